// What a network server sends, and what an operator types as a port: any bytes.
// The Telnet codec gives back exactly the line data it encoded, however the
// stream is cut and whatever Telnet commands the server mixes in; a raw codec
// passes every byte through; a server's bytes never yield more line data than
// they hold. The URL parser refuses or gives a host and a port 1..65535.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "link/port_url.h"
#include "link/telnet_codec.h"

namespace zm48d::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Fed(TelnetCodec& codec, const std::vector<Bytes>& chunks) {
  std::deque<std::uint8_t> data;
  for (const Bytes& chunk : chunks) codec.Feed(chunk, data);
  return Bytes(data.begin(), data.end());
}

void CheckRoundTrip(const std::vector<Bytes>& pieces) {
  // The first piece is the line; the rest are Telnet commands a server slips in
  // between the chunks of its encoding (each cut to a whole command).
  if (pieces.empty()) return;
  const Bytes& line = pieces[0];
  TelnetCodec codec(true);
  Bytes wire;
  codec.EncodeData(line, wire);
  std::vector<Bytes> chunks;
  std::size_t at = 0;
  for (std::size_t i = 1; i < pieces.size() && at < wire.size(); ++i) {
    const std::size_t cut = std::min(wire.size(), at + 1 + pieces[i].size() % 7);
    // Never inside a doubled IAC: a command there would split the pair.
    std::size_t end = cut;
    std::size_t iacs = 0;
    for (std::size_t k = 0; k < end; ++k) iacs = wire[k] == telnet::kIac ? iacs + 1 : 0;
    if (iacs % 2 == 1 && end < wire.size()) ++end;
    chunks.emplace_back(wire.begin() + static_cast<std::ptrdiff_t>(at),
                        wire.begin() + static_cast<std::ptrdiff_t>(end));
    const std::uint8_t option = pieces[i].empty() ? 0 : pieces[i][0];
    chunks.push_back({telnet::kIac, static_cast<std::uint8_t>(telnet::kWill + option % 4), option});
    at = end;
  }
  chunks.emplace_back(wire.begin() + static_cast<std::ptrdiff_t>(at), wire.end());
  TelnetCodec decoder(true);
  FUZZ_CHECK(Fed(decoder, chunks) == line);

  TelnetCodec raw(false);
  Bytes same;
  raw.EncodeData(line, same);
  FUZZ_CHECK(same == line);
  FUZZ_CHECK(Fed(raw, {line}) == line);
}

void CheckServerBytes(Input input) {
  TelnetCodec codec(true);
  const Bytes bytes(input.begin(), input.end());
  const Bytes data = Fed(codec, {bytes});
  FUZZ_CHECK(data.size() <= bytes.size());
  (void)codec.TakeReplies();
}

void CheckUrl(const std::string& text) {
  std::string problem;
  const auto url = ParsePortUrl(text, problem);
  FUZZ_CHECK(url.has_value() == problem.empty());
  if (!url) return;
  FUZZ_CHECK(IsPortUrl(text));
  FUZZ_CHECK(!url->host.empty() && url->port >= 1);
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zm48d::fuzz::Input input{data, size};
  zm48d::fuzz::CheckRoundTrip(zm48d::fuzz::LengthPrefixedPieces(input));
  zm48d::fuzz::CheckServerBytes(input);
  zm48d::fuzz::CheckUrl(zm48d::fuzz::AsText(input));
  return 0;
}
