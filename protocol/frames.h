#pragma once
// Request and response frames and the one-request-one-response transaction.
//
// Request:  02 head 1E cmd n 1C data[n] 03 sum 04   (sum of bytes 02..03, mod 256)
// Response: 02 head 1E n sep data[n] trl sum end    (sum of bytes 02..trl, mod 256)
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/link_state.h"

namespace zm48d {

// Sum of the bytes modulo 256.
std::uint8_t FrameChecksum(const std::uint8_t* bytes, int count);
// The request frame (n + 9 bytes) held in the request fields of `link`.
std::vector<std::uint8_t> BuildRequestFrame(const LinkState& link);

// Sends the request held in `link`; true when status is 0.
bool SendFrame(LinkState& link, LinkStatus& status);
// Receives and checks one response into link.response; true when status is 0.
bool ReceiveFrame(LinkState& link, LinkStatus& status);
// SendFrame, then ReceiveFrame if the send succeeded.
bool Transact(LinkState& link, LinkStatus& status);

// Fills the request fields: command, data length and data bytes.
void SetRequest(LinkState& link, std::uint8_t command, std::span<const std::uint8_t> data);

}  // namespace zm48d
