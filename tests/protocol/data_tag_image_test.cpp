// TagRecords, the packed tag list image and its pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "files/runtime_errors.h"
#include "protocol/tag_image.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kListStart = 0xB000;  // where the terminal puts the list
constexpr std::size_t kPage = 128;            // bytes a settings page holds

Bytes ToVector(const TagRecord& r) { return Bytes(r.begin(), r.end()); }

// A tag list file of `n` lines whose tag number is the line's index.
LineList TagFile(int n) {
  std::vector<std::string> lines = {"ZM48D-LISTA", std::to_string(n)};
  char line[32];
  for (int i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "%06X*0F*%03d*t%d", i, i % 100, i);
    lines.push_back(line);
  }
  return LineList(lines);
}

TEST(TagRecordTest, FieldsByPosition) {
  EXPECT_EQ(ToVector(TagRecordFromLine("00A1B2*05*001*Portaria")),
            (Bytes{0x00, 0xA1, 0xB2, 0x05, 0x01}));
  EXPECT_EQ(ToVector(TagRecordFromLine("FFFFFF*0F*300*")), (Bytes{0xFF, 0xFF, 0xFF, 0x0F, 0x2C}));
}

TEST(TagRecordTest, LowerCaseDigitsContributeNothing) {
  EXPECT_EQ(ToVector(TagRecordFromLine("00a1b2*0f*001*")), (Bytes{0x00, 0x01, 0x02, 0x00, 0x01}));
}

TEST(TagRecordTest, ShortLinesReadOnlyWhatIsThere) {
  EXPECT_EQ(ToVector(TagRecordFromLine("00A1B2*05*7")), (Bytes{0x00, 0xA1, 0xB2, 0x05, 0x07}));
  EXPECT_EQ(ToVector(TagRecordFromLine("00A1B2*05*")), (Bytes{0x00, 0xA1, 0xB2, 0x05, 0x00}));
  EXPECT_EQ(ToVector(TagRecordFromLine("00A1")), (Bytes{0x00, 0xA1, 0x00, 0x00, 0x00}));
  EXPECT_THROW(TagRecordFromLine("00A1B2*05*1A*"), ConversionError);
  EXPECT_THROW(TagRecordFromLine("00A1B2*05*12 "), ConversionError);
}

TEST(TagImageTest, SizesAndPagesForTypicalCounts) {
  struct Case {
    int n;
    std::size_t bytes, pages;
  };
  for (const Case c : {Case{0, 0, 0}, Case{1, 5, 1}, Case{3, 16, 1}, Case{4, 21, 1},
                       Case{24, 128, 1}, Case{25, 133, 2}, Case{999, 5328, 42}}) {
    SCOPED_TRACE(c.n);
    const Bytes image = BuildTagListImage(TagFile(c.n), c.n);
    ASSERT_EQ(image.size(), c.bytes);
    const auto pages = SplitIntoPages(image);
    ASSERT_EQ(pages.size(), c.pages);
    // Every record sits after its predecessors and one filler per full line.
    for (int i = 0; i < c.n; ++i) {
      const std::size_t at = 5 * i + i / 3;
      ASSERT_EQ(image[at + 2], i & 0xFF);
      ASSERT_EQ(image[at + 1], (i >> 8) & 0xFF);
      if (i % 3 == 2) {
        ASSERT_EQ(image[at + 5], 0x00);
      }
    }
    // Pages carry the image in order, the rest of the last page cleared.
    for (std::size_t k = 0; k < pages.size(); ++k) {
      for (std::size_t b = 0; b < kPage; ++b) {
        const std::size_t at = k * kPage + b;
        ASSERT_EQ(pages[k][b], at < image.size() ? image[at] : 0x00) << k << ':' << b;
      }
    }
  }
}

TEST(TagImageTest, OnlyTheCountedLinesAreReadAndMissingOnesThrow) {
  const LineList file = TagFile(5);
  EXPECT_EQ(BuildTagListImage(file, 2).size(), 10u);
  try {
    BuildTagListImage(file, 7);
    FAIL() << "no error";
  } catch (const ListIndexError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (7)");
  }
  EXPECT_TRUE(BuildTagListImage(file, -3).empty());
  EXPECT_THROW(BuildTagListImage(file, 2147483647), ListIndexError);
}

TEST(TagImageTest, PagesMustStayBelowTheEndOfTheSettingsSpace) {
  EXPECT_TRUE(TagListFits(kListStart, 5328));
  EXPECT_TRUE(TagListFits(kListStart, 0x5000));       // 160 pages end at 0xFFFF
  EXPECT_FALSE(TagListFits(kListStart, 0x5000 + 1));  // a 161st page would wrap
  EXPECT_TRUE(TagListFits(0xFF80, 1));
  EXPECT_FALSE(TagListFits(0xFF81, 128));
  EXPECT_FALSE(TagListFits(0, static_cast<std::size_t>(-1)));
}

}  // namespace
}  // namespace zm48d::testing
