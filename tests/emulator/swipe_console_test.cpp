// The console's swipe: a tag presented at a reader, decided by the emulated
// controller on its memory, with the event, the relay and the reader's entry
// it leaves; and bad lines, which leave everything as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "emulator/console.h"
#include "protocol/memory_image.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Sample rules: 2 holidays (01/12, 02/12), 3 groups of 08:00-18:00 on weekdays
// and all day at the weekend. Tag A10000 + i: doors 1 and 3, group i % 7.
class SwipeConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    line.emulator.With([](emu::Controller& c) {
      auto memory = std::make_unique<MemoryImage>();
      memory->eeprom = c.eeprom;
      memory->settings = c.settings;
      PlaceRules(*memory, BuildRulesImage(LineList(SampleHolidays(2)), LineList(SampleGroups(3))));
      const LineList tags(SampleTags(5));
      PlaceTagList(*memory, {UploadRefusal::kNone, 0xB000, 5, BuildTagListImage(tags, 5)});
      c.eeprom = memory->eeprom;
      c.settings = memory->settings;
      c.settings[0x8008] = 6;  // relay 3: 1500 ms; the others keep 1000 ms
    });
  }
  emu::ConsoleReply Run(const std::string& command) {
    return emu::RunConsoleLine(line.emulator, command);
  }
  Bytes Eeprom(int at, int n) {
    return line.emulator.With(
        [&](auto& c) { return Bytes(c.eeprom.begin() + at, c.eeprom.begin() + at + n); });
  }
  emu::OnlineEntry Online(int index) {
    return line.emulator.With([&](auto& c) { return c.online[index]; });
  }
  // Both memory spaces and the reader entries, to compare before and after.
  std::string Snapshot() {
    return line.emulator.With([](const emu::Controller& c) {
      std::string all(c.eeprom.begin(), c.eeprom.end());
      all.append(c.settings.begin(), c.settings.end());
      for (const auto& entry : c.online)
        all += std::to_string(entry.tag) + "/" + std::to_string(entry.value);
      return all;
    });
  }

  EmulatedLine line;
};

// Holidays 2 and groups 3 put the stack at 0x007B.
TEST_F(SwipeConsole, GrantedReadIsRecordedPulsesItsRelayAndShowsOnItsReader) {
  const emu::ConsoleReply reply = Run("swipe 3 A10001 07/12/26 09:30:05");
  EXPECT_EQ(reply.text,
            "A10001  07/12/26  09:30:05  Sim     Porta 3  Não      ok!\n"
            "relay 3 pulsed for 1500 ms");
  EXPECT_TRUE(reply.memoryChanged);
  EXPECT_EQ(Eeprom(10, 2), (Bytes{0x00, 0x85}));
  EXPECT_EQ(Eeprom(0x7B, 10), (Bytes{0xA1, 0x00, 0x01, 0x07, 0x12, 0x26, 0x09, 0x30, 0x05, 0x12}));
  EXPECT_EQ(Online(2).tag, 0xA10001u);
  EXPECT_EQ(Online(2).value, 0x12);
}

TEST_F(SwipeConsole, RefusedReadsAreRecordedWithoutAPulse) {
  struct Case {
    const char* command;
    const char* row;
    std::uint8_t flags;
  };
  const Case cases[] = {
      {"swipe 2 A10001 07/12/26 09:30:00",
       "A10001  07/12/26  09:30:00  Não     Porta 2  Não      porta não habilitada!", 0xC1},
      {"swipe 1 A10000 07/12/26 09:30:00",  // group 0
       "A10000  07/12/26  09:30:00  Não     Porta 1  Não      fora do horário!", 0x80},
      {"swipe 4 00BEEF 02/12/26 18:01:00",
       "00BEEF  02/12/26  18:01:00  Não     Porta 4  Sim      tag não cadastrado!", 0x63},
  };
  int top = 0x7B;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const emu::ConsoleReply reply = Run(c.command);
    EXPECT_EQ(reply.text, c.row);
    EXPECT_TRUE(reply.memoryChanged);
    EXPECT_EQ(Eeprom(top + 9, 1), Bytes{c.flags});
    top += 10;
  }
  EXPECT_EQ(Eeprom(10, 2), (Bytes{0x00, static_cast<std::uint8_t>(top)}));
  EXPECT_EQ(Online(3).value, 0x63);
}

// Without a time the controller's own clock says when; a clock set to no real
// date decides nothing.
TEST_F(SwipeConsole, ReadWithoutATimeTakesTheControllersClock) {
  line.emulator.With([](emu::Controller& c) {
    c.clock = {13, 12, 26, 0, 10, 0, 1};  // Sunday 13/12/26 10:00:01
    c.clockRunning = false;
  });
  EXPECT_EQ(
      Run("swipe 1 A10001").text,
      "A10001  13/12/26  10:00:01  Sim     Porta 1  Não      ok!\nrelay 1 pulsed for 1000 ms");

  line.emulator.With([](emu::Controller& c) { c.clock.month = 13; });
  const std::string before = Snapshot();
  const emu::ConsoleReply reply = Run("swipe 1 A10001");
  EXPECT_EQ(reply.text,
            "swipe: the clock holds no real date and time (13/13/26 10:00:01): set it, or give "
            "DD/MM/YY HH:MM:SS");
  EXPECT_FALSE(reply.memoryChanged);
  EXPECT_EQ(Snapshot(), before);
}

// A full stack drops the event (the door still opens); a damaged header
// decides nothing. Either way the memory stays as it was.
TEST_F(SwipeConsole, FullStackOrDamagedHeaderSaySoAndKeepTheMemory) {
  const std::pair<int, std::string> cases[] = {
      // stack top (start 0x007B, limit 0x07FB), reply
      {0x07F5,
       "A10001  07/12/26  09:30:00  Sim     Porta 1  Não      ok!\n"
       "stack full: the event was not recorded\nrelay 1 pulsed for 1000 ms"},
      {0x0070, "swipe: damaged memory, the stack top lies below its start: nothing recorded"},
  };
  for (const auto& [top, text] : cases) {
    SCOPED_TRACE(top);
    line.emulator.With([top = top](emu::Controller& c) {
      c.eeprom[10] = static_cast<std::uint8_t>(top >> 8);
      c.eeprom[11] = static_cast<std::uint8_t>(top);
    });
    const auto memory = [&] { return Snapshot().substr(0, 2 * 65536); };
    const std::string before = memory();
    const emu::ConsoleReply reply = Run("swipe 1 A10001 07/12/26 09:30:00");
    EXPECT_EQ(reply.text, text);
    EXPECT_FALSE(reply.memoryChanged);
    EXPECT_EQ(memory(), before);
  }
}

TEST_F(SwipeConsole, BadLinesSayWhatIsWrongAndChangeNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"swipe", "usage: swipe DOOR TAG [DD/MM/YY HH:MM:SS]"},
      {"swipe 1", "usage: swipe DOOR TAG [DD/MM/YY HH:MM:SS]"},
      {"swipe 1 A10001 07/12/26", "usage: swipe DOOR TAG [DD/MM/YY HH:MM:SS]"},
      {"swipe 1 A10001 07/12/26 09:30:00 extra", "usage: swipe DOOR TAG [DD/MM/YY HH:MM:SS]"},
      {"swipe 0 A10001", "swipe: DOOR must be 1 to 4, not '0'"},
      {"swipe 5 A10001 07/12/26 09:30:00", "swipe: DOOR must be 1 to 4, not '5'"},
      {"swipe one A10001", "swipe: DOOR must be 1 to 4, not 'one'"},
      {"swipe 1 A1000G", "swipe: TAG must be six hexadecimal digits, not 'A1000G'"},
      {"swipe 1 A1001 07/12/26 09:30:00", "swipe: TAG must be six hexadecimal digits, not 'A1001'"},
      {"swipe 1 A10001 31/02/26 09:30:00",
       "swipe: '31/02/26 09:30:00' is no real date and time DD/MM/YY HH:MM:SS"},
      {"swipe 1 A10001 07/12/26 24:00:00",
       "swipe: '07/12/26 24:00:00' is no real date and time DD/MM/YY HH:MM:SS"},
      {"swipe 1 A10001 7/12/26 9:30:00",
       "swipe: '7/12/26 9:30:00' is no real date and time DD/MM/YY HH:MM:SS"},
  };
  const std::string before = Snapshot();
  for (const auto& [command, message] : cases) {
    SCOPED_TRACE(command);
    const emu::ConsoleReply reply = Run(command);
    EXPECT_EQ(reply.text, message);
    EXPECT_FALSE(reply.memoryChanged);
  }
  EXPECT_EQ(Snapshot(), before);
  EXPECT_NE(Run("help").text.find("swipe DOOR TAG [DD/MM/YY HH:MM:SS]"), std::string::npos);
}

}  // namespace
}  // namespace zm48d::testing
