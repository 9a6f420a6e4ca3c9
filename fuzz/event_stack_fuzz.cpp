// The event stack read from a controller whose memory is the input: whatever
// the stack header says, "Último" and "Montar lista" take tags only from whole
// records between the start and the top (never below the start), or say that
// there are none; every waiting record decodes to the texts the pages show.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/controller.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/loopback_line.h"
#include "operations/operator_texts.h"
#include "operations/stack_tags.h"
#include "protocol/event_record.h"

namespace zm48d::fuzz {
namespace {

class RecordedNotices final : public ops::Notices {
 public:
  void Show(ops::Tone, std::string_view text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

struct Stack {
  const emu::Space& eeprom;
  StackPointers pointers;
  int Waiting() const { return pointers.top - pointers.start; }
  std::string TagAt(int address) const {
    return TagText(&eeprom[static_cast<std::size_t>(address)]);
  }
};

// The 2048-byte area holds 201 records: decoding more of a wild header's range
// would only slow the runs down.
constexpr int kMostDecoded = 256;

void CheckDecoding(const Stack& stack) {
  const int end =
      std::min(int{stack.pointers.top}, stack.pointers.start + kMostDecoded * EventRecordSize);
  for (int at = stack.pointers.start; at + EventRecordSize <= end; at += EventRecordSize) {
    const std::uint8_t* record = &stack.eeprom[static_cast<std::size_t>(at)];
    const EventRecord event = DecodeEventRecord(record);
    FUZZ_CHECK(event.door >= 1 && event.door <= 16);
    FUZZ_CHECK(event.reason >= 0 && event.reason <= 3);
    FUZZ_CHECK(event.tag.size() == 6 && event.date.size() == 8 && event.time.size() == 8);
    FUZZ_CHECK(EventLine(record).back() == '*');
    FUZZ_CHECK(EventGridCells(record)[0] == event.tag);
  }
}

void CheckNewest(LinkState& link, const Stack& stack) {
  RecordedNotices notices;
  std::string tag;
  const bool ok = ops::TakeNewestTag({link, 1, notices}, [&](const std::string& t) { tag = t; });
  const bool recordWaiting = stack.Waiting() >= EventRecordSize;
  FUZZ_CHECK(ok == recordWaiting);
  if (ok) {
    FUZZ_CHECK(tag == stack.TagAt(stack.pointers.top - EventRecordSize));
  } else {
    FUZZ_CHECK(notices.texts == std::vector<std::string>{std::string(text::kNoRecords)});
  }
}

void CheckOldest(LinkState& link, const Stack& stack, int count) {
  RecordedNotices notices;
  std::vector<std::string> tags;
  const bool ok = ops::TakeOldestTags(
      {link, 1, notices}, [count] { return count; },
      [&](const std::vector<std::string>& t) { tags = t; });
  if (stack.Waiting() < 0) {
    FUZZ_CHECK(!ok &&
               notices.texts == std::vector<std::string>{std::string(text::kStackReadFailed)});
    return;
  }
  const int expected = std::min(std::max(count, 0), stack.Waiting() / EventRecordSize);
  FUZZ_CHECK(ok == (expected > 0));
  if (!ok) {
    FUZZ_CHECK(notices.texts == std::vector<std::string>{std::string(text::kNoRecords)});
    return;
  }
  FUZZ_CHECK(static_cast<int>(tags.size()) == expected);
  for (int k = 0; k < expected; ++k) {
    FUZZ_CHECK(tags[static_cast<std::size_t>(k)] ==
               stack.TagAt(stack.pointers.start + k * EventRecordSize));
  }
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  if (size < 1 + stack_header::kSize) return 0;
  // The "x" typed, -128..127: "Montar lista" then reads at most 128 records
  // however many are waiting, which keeps each run short.
  const int count = static_cast<std::int8_t>(data[0]);
  static emu::Controller controller;  // 128 KiB: made once, memory set for each input
  controller.eeprom.fill(0);
  std::copy_n(data + 1, std::min(size - 1, controller.eeprom.size()), controller.eeprom.begin());

  const fuzz::Stack stack{controller.eeprom, ParseStackPointers(controller.eeprom.data())};
  fuzz::CheckDecoding(stack);
  fuzz::LoopbackLine line(controller);
  LinkState link(line);
  fuzz::CheckNewest(link, stack);
  fuzz::CheckOldest(link, stack, count);
  return 0;
}
