#pragma once
// The Telnet layer of an RFC 2217 connection, without any I/O: line bytes out
// with each 0xFF (IAC) doubled, and bytes in split into line data, option
// negotiation and the server's COM-PORT-OPTION answers. A codec for a raw
// connection passes the bytes through untouched.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace zm48d {

namespace telnet {
inline constexpr std::uint8_t kIac = 255;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kSb = 250;
inline constexpr std::uint8_t kSe = 240;

inline constexpr std::uint8_t kBinary = 0;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kComPortOption = 44;

// COM-PORT-OPTION commands, client to server; the server answers each with the
// command plus kServerAnswer and the value it now uses.
inline constexpr std::uint8_t kSetBaudRate = 1;  // 4 bytes, big-endian
inline constexpr std::uint8_t kSetDataSize = 2;
inline constexpr std::uint8_t kSetParity = 3;    // 1: none
inline constexpr std::uint8_t kSetStopSize = 4;  // 1: one stop bit
inline constexpr std::uint8_t kSetControl = 5;   // 1: no flow control; 9: DTR off; 12: RTS off
inline constexpr std::uint8_t kPurgeData = 12;   // 3: both of the server's queues
inline constexpr std::uint8_t kServerAnswer = 100;
}  // namespace telnet

class TelnetCodec {
 public:
  explicit TelnetCodec(bool telnet) : telnet_(telnet) {}

  bool IsTelnet() const { return telnet_; }
  // Back to the state of a new connection.
  void Reset();

  // Appends line bytes to `out` as they go on the connection.
  void EncodeData(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out) const;
  // What the client asks for on connecting: binary both ways, no go-ahead, and the
  // COM-PORT-OPTION.
  static std::vector<std::uint8_t> OpeningNegotiation();
  // IAC SB COM-PORT-OPTION command value IAC SE, the value's IACs doubled.
  static std::vector<std::uint8_t> ComPortCommand(std::uint8_t command,
                                                  std::span<const std::uint8_t> value);

  // Takes bytes received from the server; the line data among them go to the
  // end of `data`.
  void Feed(std::span<const std::uint8_t> bytes, std::deque<std::uint8_t>& data);

  // Answers owed to the server's negotiation (refusals of options the client did
  // not offer); empty them onto the connection.
  std::vector<std::uint8_t> TakeReplies();

  // Whether the server took the COM-PORT-OPTION: nullopt while it has not said.
  std::optional<bool> ComPortAccepted() const { return comPort_; }
  // The values of the server's answers to `command`, in the order they came.
  const std::vector<std::vector<std::uint8_t>>& ComPortAnswers(std::uint8_t command) const;

 private:
  enum class State { kData, kIac, kOption, kSubnegotiation, kSubnegotiationIac };

  void Command(std::uint8_t verb, std::uint8_t option);
  void EndSubnegotiation();

  bool telnet_;
  State state_ = State::kData;
  std::uint8_t verb_ = 0;
  std::vector<std::uint8_t> subnegotiation_;
  std::vector<std::uint8_t> replies_;
  std::optional<bool> comPort_;
  std::map<std::uint8_t, std::vector<std::vector<std::uint8_t>>> answers_;
};

}  // namespace zm48d
