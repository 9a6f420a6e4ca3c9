// The online reading: one request, two answers, whatever the line sends. A poll
// that succeeds gives eight entries of six and two upper-case hexadecimal digits;
// one that fails leaves the texts alone and logs "Erro de leitura!!".
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/scripted_link.h"
#include "operations/online_reading_line.h"
#include "protocol/online_reading.h"

namespace zm48d::fuzz {
namespace {

bool IsEntry(const std::string& text) {
  if (text.size() != 9 || text[6] != '*') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != 6 && !IsUpperHexDigit(text[i])) return false;
  }
  return true;
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  if (size < 1) return 0;
  const fuzz::Input input(data, size);
  const auto bursts = fuzz::LengthPrefixedPieces(input.subspan(1));

  fuzz::ScriptedLink reading(bursts);
  std::array<std::string, kOnlineEntries> texts;
  texts.fill("unchanged");
  const bool ok = ReadOnline(reading.link, (input[0] & 1) != 0, texts);
  for (const std::string& text : texts) FUZZ_CHECK(ok ? fuzz::IsEntry(text) : text == "unchanged");
  FUZZ_CHECK(reading.line.writes == 1);  // one request, never a retry

  fuzz::ScriptedLink polling(bursts);
  const ops::OnlinePoll poll = ops::PollOnline(polling.link);
  FUZZ_CHECK(poll.ok == ok);
  FUZZ_CHECK(poll.ok ? poll.line.size() == kOnlineEntries * 12 : poll.line == "Erro de leitura!!");
  return 0;
}
