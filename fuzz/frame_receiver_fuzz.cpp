// The response frame receiver and the commands that read an answer, behind a
// line that sends whatever the input says. Whatever arrives, a transaction ends
// with one of its nine status codes, succeeds exactly when the code is 0, and
// succeeds only on a frame from the terminal's head whose checksum holds.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/scripted_link.h"
#include "protocol/commands.h"
#include "protocol/config_block.h"
#include "protocol/frames.h"
#include "protocol/memory.h"

namespace zm48d::fuzz {
namespace {

constexpr LinkStatus kLastStatus = link_status::kBadChecksum;

// A frame the receiver accepted: framed, addressed to us, within the buffer,
// its checksum right.
void CheckAccepted(const LinkState& link) {
  const auto& r = link.response;
  const int n = r[3];
  FUZZ_CHECK(r[0] == 0x02 && r[1] == link.HeadAddress && r[2] == 0x1E);
  FUZZ_CHECK(n + 8 <= kResponseBufferSize);
  FUZZ_CHECK(FrameChecksum(r.data(), 6 + n) == r[6 + n]);
}

void CheckOutcome(const LinkState& link, bool ok, LinkStatus status) {
  FUZZ_CHECK(status <= kLastStatus);
  if (ok) FUZZ_CHECK(status == link_status::kOk);
  if (status == link_status::kOk && ok) CheckAccepted(link);
}

bool IsClockText(const std::string& text, char separator) {
  return text.size() == 8 && text[2] == separator && text[5] == separator;
}

// One operation, chosen by the first byte; the rest are the bursts the line sends.
void RunOperation(std::uint8_t choice, LinkState& link) {
  LinkStatus status = 0xFF;
  switch (choice % 6) {
    case 0: {
      const bool ok = ReceiveFrame(link, status);
      FUZZ_CHECK(ok == (status == link_status::kOk));
      CheckOutcome(link, ok, status);
      return;
    }
    case 1: {
      const bool ok = Beep(link, status);
      CheckOutcome(link, ok, status);
      return;
    }
    case 2: {
      std::array<std::uint8_t, 40> bytes{};
      const bool ok =
          ReadEeprom(link, 0x0100, static_cast<int>(bytes.size()), bytes.data(), status);
      FUZZ_CHECK(!ok || status == link_status::kOk);
      return;
    }
    case 3: {
      std::string time = "unchanged", date = "unchanged", weekday = "unchanged";
      const bool ok = ReadClock(link, time, date, weekday, status);
      if (ok) {
        FUZZ_CHECK(IsClockText(time, ':') && IsClockText(date, '/'));
      } else {
        FUZZ_CHECK(time == "unchanged" && date == "unchanged" && weekday == "unchanged");
      }
      return;
    }
    case 4: {
      std::array<int, 4> milliseconds{};
      const bool ok = ReadRelayTimes(link, milliseconds, status);
      for (int ms : milliseconds) FUZZ_CHECK(!ok || (ms >= 0 && ms <= 255 * 250));
      return;
    }
    default: {
      const std::uint8_t bytes[] = {1, 2, 3};
      const bool ok = WriteEeprom(link, 0x0200, 3, bytes, status);
      FUZZ_CHECK(!ok || (link.ResponseData(0) == 'O' && link.ResponseData(1) == 'K'));
      return;
    }
  }
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  if (size < 2) return 0;
  const fuzz::Input input(data, size);
  fuzz::ScriptedLink scripted(fuzz::LengthPrefixedPieces(input.subspan(2)));
  LinkState& link = scripted.link;
  link.HeadAddress = input[1];
  fuzz::RunOperation(input[0], link);
  SerialClose(link.serial);
  return 0;
}
