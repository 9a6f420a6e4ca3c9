// Decoding of event records and of the stack position.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "protocol/event_record.h"

namespace zm48d::testing {
namespace {

using Record = std::array<std::uint8_t, 10>;

Record WithFlags(std::uint8_t flags) {
  return {0x00, 0xA1, 0xB2, 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, flags};
}

TEST(EventRecordTest, DecodesTheExampleRecord) {
  const Record r = WithFlags(0x10);
  const EventRecord e = DecodeEventRecord(r.data());
  EXPECT_EQ(e.tag, "00A1B2");
  EXPECT_EQ(e.date, "07/12/26");
  EXPECT_EQ(e.time, "14:05:33");
  EXPECT_TRUE(e.granted);
  EXPECT_EQ(e.door, 1);
  EXPECT_FALSE(e.holiday);
  EXPECT_EQ(e.reason, 0);
  EXPECT_EQ(EventLine(r.data()), "00A1B2*07/12/26*14:05:33*Sim*Porta 1*Não*");
}

TEST(EventRecordTest, LineHasNoReasonAndShowsDoorAndHoliday) {
  EXPECT_EQ(EventLine(WithFlags(0x23).data()), "00A1B2*07/12/26*14:05:33*Não*Porta 4*Sim*");
  EXPECT_EQ(EventLine(WithFlags(0xDF).data()), "00A1B2*07/12/26*14:05:33*Sim*Porta 16*Não*");
  const Record odd = {0xFF, 0x0A, 0x00, 0x31, 0x1F, 0x99, 0x23, 0x59, 0x5A, 0x00};
  EXPECT_EQ(EventLine(odd.data()), "FF0A00*31/1F/99*23:59:5A*Não*Porta 1*Não*");
}

TEST(EventRecordTest, GridCellsForEachFlagCombination) {
  using Cells = std::array<std::string, 7>;
  EXPECT_EQ(EventGridCells(WithFlags(0x10).data()),
            (Cells{"00A1B2", "07/12/26", "14:05:33", "Sim", "Porta 1", "Não", "ok!"}));
  const auto tail = [](std::uint8_t flags) {
    const Cells c = EventGridCells(WithFlags(flags).data());
    return std::array<std::string, 4>{c[3], c[4], c[5], c[6]};
  };
  using Tail = std::array<std::string, 4>;
  EXPECT_EQ(tail(0x23), (Tail{"Não", "Porta 4", "Sim", "ok!"}));
  EXPECT_EQ(tail(0xD0), (Tail{"Sim", "Porta 1", "Não", "porta não habilitada!"}));
  EXPECT_EQ(tail(0x40), (Tail{"Não", "Porta 1", "Não", "tag não cadastrado!"}));
  EXPECT_EQ(tail(0x80)[3], "fora do horário!");
  EXPECT_EQ(kEventGridHeaders[0], "TAG");
  EXPECT_EQ(kEventGridHeaders[6], "Motivo");
}

TEST(StackPointersTest, ReadsStartAndTopBigEndian) {
  std::array<std::uint8_t, 16> header{};
  header[8] = 0x00;
  header[9] = 0x20;  // start
  header[10] = 0x00;
  header[11] = 0x34;  // top
  header[12] = 0x07;
  header[13] = 0xFA;  // limit: not read
  const StackPointers p = ParseStackPointers(header.data());
  EXPECT_EQ(p.start, 0x20);
  EXPECT_EQ(p.top, 0x34);
  EXPECT_EQ(WaitingBytes(p), 20);
  EXPECT_EQ(WaitingRecords(*WaitingBytes(p)), 2);
}

TEST(StackPointersTest, PartialRecordsAreIgnoredAndAWrappedTopIsRefused) {
  EXPECT_EQ(WaitingRecords(*WaitingBytes({0x100, 0x119})), 2);  // 25 bytes
  EXPECT_EQ(WaitingBytes({0x7FA, 0x7FA}), 0);
  EXPECT_EQ(WaitingRecords(9), 0);
  EXPECT_EQ(WaitingBytes({0x100, 0x0FF}), std::nullopt);
  EXPECT_EQ(WaitingBytes({0x7F1, 0x020}), std::nullopt);
}

}  // namespace
}  // namespace zm48d::testing
