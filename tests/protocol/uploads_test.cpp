// Rules and tag list uploads: what the controller holds afterwards, and what is
// refused before a single frame goes out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "files/runtime_errors.h"
#include "protocol/uploads.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/open_line_test.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Uploads : public OpenLineTest {
 protected:
  Bytes Eeprom(int at, int n) { return EepromSlice(line.emulator, at, n); }
  Bytes Settings(int at, int n) { return SettingsSlice(line.emulator, at, n); }
  size_t Sent() { return line.emulator.Requests().size(); }

  TempDir dir;
  LinkStatus status = 77;
};

TEST_F(Uploads, RulesLandInTheControllerInOrderWithAnEmptyStack) {
  const auto h = dir.Write("h.txt", SampleHolidays(2));
  const auto g = dir.Write("g.txt", SampleGroups(3, 3));
  line.emulator.With([](auto& c) {
    c.eeprom[14] = 0x5A;
    c.eeprom[15] = 0xA5;
  });
  ASSERT_TRUE(UploadAccessRules(line.link, h, g, status));
  EXPECT_EQ(Eeprom(0, 16), (Bytes{2, 0x00, 0x20, 3, 0x00, 0x24, 0, 0, 0x00, 0x7B, 0x00, 0x7B, 0x07,
                                  0xFB, 0x5A, 0xA5}));
  EXPECT_EQ(Eeprom(0x20, 4), (Bytes{0x01, 0x12, 0x02, 0x12}));
  const Bytes group1 = Eeprom(0x24, 29);
  EXPECT_EQ(Bytes(group1.begin(), group1.begin() + 4), (Bytes{0x08, 0x00, 0x18, 0x00}));
  EXPECT_EQ(Bytes(group1.begin() + 20, group1.begin() + 28),
            (Bytes{0, 0, 0x23, 0x59, 0, 0, 0x23, 0x59}));
  EXPECT_EQ(group1[28], 1);
  EXPECT_EQ(Eeprom(0x24 + 29 + 28, 1), Bytes{0}) << "Não";
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].data[3], 14) << "the header goes first, bytes 0 to 13";
}

TEST_F(Uploads, RulesWithEmptyTablesSendOnlyTheHeader) {
  ASSERT_TRUE(UploadAccessRules(line.link, dir.Write("h", SampleHolidays(0)),
                                dir.Write("g", SampleGroups(0, 0)), status));
  EXPECT_EQ(Sent(), 1u);
  EXPECT_EQ(Eeprom(0, 14), (Bytes{0, 0, 0x20, 0, 0, 0x20, 0, 0, 0, 0x20, 0, 0x20, 0x07, 0xFA}));
}

TEST_F(Uploads, RulesThatDoNotFitAreRefusedBeforeAnythingIsSent) {
  const auto h0 = dir.Write("h0", SampleHolidays(0));
  ASSERT_TRUE(UploadAccessRules(line.link, h0, dir.Write("g69", SampleGroups(69, 69)), status));
  line.emulator.ClearRequests();
  const Bytes before = Eeprom(0, 2048);
  EXPECT_FALSE(UploadAccessRules(line.link, h0, dir.Write("g70", SampleGroups(70, 70)), status));
  EXPECT_FALSE(UploadAccessRules(line.link, h0, dir.Write("g300", SampleGroups(300, 300)), status));
  EXPECT_FALSE(UploadAccessRules(line.link, dir.Write("hneg", SampleHolidays(0)),
                                 dir.Write("gneg", {"ZM48D-GRUPOS", "-1"}), status));
  EXPECT_EQ(Sent(), 0u);
  EXPECT_EQ(Eeprom(0, 2048), before) << "the controller keeps its old rules";
}

TEST_F(Uploads, WrongOrMissingFilesSendNothingAndLeaveTheStatus) {
  const auto g = dir.Write("g", SampleGroups(1, 1));
  EXPECT_FALSE(UploadAccessRules(line.link, dir.Path("none"), g, status));
  EXPECT_FALSE(UploadAccessRules(line.link, dir.Write("hx", {"ZM48D-FERIADOS ", "0"}), g, status));
  EXPECT_FALSE(UploadAccessRules(line.link, dir.Write("h1", {"ZM48D-FERIADOS"}), g, status));
  EXPECT_FALSE(UploadAccessRules(line.link, g, g, status));
  EXPECT_EQ(Sent(), 0u);
  EXPECT_EQ(status, 77);
}

TEST_F(Uploads, MissingDataLineOrBadCountThrowsBeforeAnythingIsSent) {
  const auto h = dir.Write("h", SampleHolidays(0));
  EXPECT_THROW(UploadAccessRules(line.link, h, dir.Write("g", SampleGroups(3, 2)), status),
               ListIndexError);
  EXPECT_THROW(UploadAccessRules(line.link, h, dir.Write("gx", {"ZM48D-GRUPOS", "x"}), status),
               ConversionError);
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(Uploads, RulesFailingPartWayStopAtTheFailedFrame) {
  line.emulator.SetFault({emu::Fault::kNotOk, 1, 1});
  EXPECT_FALSE(UploadAccessRules(line.link, dir.Write("h", SampleHolidays(2)),
                                 dir.Write("g", SampleGroups(3, 3)), status));
  EXPECT_EQ(Sent(), 2u);
  EXPECT_EQ(status, link_status::kOk);
}

TEST_F(Uploads, TagListRecordsCountThenPagesWithZeroFill) {
  line.emulator.With(
      [](auto& c) { std::fill(c.settings.begin() + 0xB000, c.settings.begin() + 0xB200, 0xEE); });
  ASSERT_TRUE(UploadTagList(line.link, 0xB000, dir.Write("t", SampleTags(25)), status));
  EXPECT_EQ(Settings(0x800A, 4), (Bytes{0xB0, 0x00, 0x00, 25}));
  EXPECT_EQ(Settings(0xB000, 6), (Bytes{0xA1, 0x00, 0x00, 0x05, 0x00, 0xA1}));
  EXPECT_EQ(Settings(0xB00F, 1), Bytes{0x00}) << "filler after three records";
  EXPECT_EQ(Settings(0xB080, 5), (Bytes{0xA1, 0x00, 0x18, 0x05, 24 % 7}));
  EXPECT_EQ(Settings(0xB085, 123), Bytes(123, 0x00));
  EXPECT_EQ(Settings(0xB100, 1), Bytes{0xEE}) << "nothing past the last page";
  const auto requests = line.emulator.Requests();
  ASSERT_EQ(requests.size(), 8u + 1u + 2u);
  EXPECT_EQ(requests[9].data[1] << 8 | requests[9].data[2], 0xB000);
  EXPECT_EQ(requests[10].data[1] << 8 | requests[10].data[2], 0xB080);
}

TEST_F(Uploads, EmptyTagListRecordsOnlyTheCount) {
  ASSERT_TRUE(UploadTagList(line.link, 0xB000, dir.Write("t", SampleTags(0)), status));
  EXPECT_EQ(Settings(0x800A, 4), (Bytes{0xB0, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Sent(), 9u);
}

TEST_F(Uploads, TagListsThatCannotBeStoredAreRefused) {
  EXPECT_FALSE(UploadTagList(line.link, 0xB000, dir.Path("missing"), status));
  EXPECT_FALSE(UploadTagList(line.link, 0xB000, dir.Write("lc", {"zm48d-lista", "0"}), status));
  EXPECT_FALSE(UploadTagList(line.link, 0xB000, dir.Write("neg", {"ZM48D-LISTA", "-2"}), status));
  // 3900 tags need 20800 bytes: past 0xFFFF from 0xB000, where addresses would wrap.
  EXPECT_FALSE(UploadTagList(line.link, 0xB000, dir.Write("big", SampleTags(3900)), status));
  EXPECT_EQ(Sent(), 0u);
  EXPECT_THROW(UploadTagList(line.link, 0xB000,
                             dir.Write("short", {"ZM48D-LISTA", "2", "000001*01*001*"}), status),
               ListIndexError);
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(Uploads, TagPageFailureStopsTheUploadAfterTheCountWasRecorded) {
  line.emulator.SetFault({emu::Fault::kNoAnswer, 10, 1});
  EXPECT_FALSE(UploadTagList(line.link, 0xB000, dir.Write("t", SampleTags(60)), status));
  EXPECT_EQ(status, link_status::kNoHeader);
  EXPECT_EQ(Sent(), 11u) << "config read (8) and write, first page, failed second page";
  EXPECT_EQ(Settings(0x800C, 2), (Bytes{0, 60}));
}

}  // namespace
}  // namespace zm48d::testing
