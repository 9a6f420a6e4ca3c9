#pragma once
// A frame of the trace in words: the command letter and what it asks for, or
// what an answer carries, for the window's trace pane beside the bytes.
#include <cstdint>
#include <span>
#include <string>

#include "protocol/link_state.h"

namespace zm48d::ops {

// A request frame: 02 head 1E cmd n 1C data 03 sum 04. A frame too short for
// its length is described as cut short.
std::string DescribeRequest(std::span<const std::uint8_t> frame);
// A response frame: 02 head 1E n sep data trl sum end; "OK", the bytes that the
// hexadecimal text of a read answer stands for, or why the terminal refuses it:
// text that is not upper-case hexadecimal pairs, or, answering the memory read
// `request` (the request frame it answers, when known), fewer than 16 bytes.
std::string DescribeResponse(std::span<const std::uint8_t> frame,
                             std::span<const std::uint8_t> request = {});

}  // namespace zm48d::ops
