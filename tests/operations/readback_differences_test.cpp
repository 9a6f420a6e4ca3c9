// What the controller holds set against what the files would give it: one
// change at a time, and exactly the line that names it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "operations/readback_differences.h"

namespace zm48d::testing {
namespace {

using Lines = std::vector<std::string>;

// H holidays on the 1st..Hth of December and G groups open 08:00-18:00 every
// day, odd groups on holidays too, laid out as an upload lays them out.
RulesReading Rules(int h, int g) {
  RulesReading rules;
  const int groupTable = 0x20 + 2 * h;
  const int stackStart = groupTable + 29 * g;
  const std::uint8_t header[] = {static_cast<std::uint8_t>(h),
                                 0x00,
                                 0x20,
                                 static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(groupTable >> 8),
                                 static_cast<std::uint8_t>(groupTable),
                                 0,
                                 0,
                                 static_cast<std::uint8_t>(stackStart >> 8),
                                 static_cast<std::uint8_t>(stackStart)};
  std::copy(std::begin(header), std::end(header), rules.header.begin());
  for (int i = 1; i <= h; ++i) {
    rules.holidays.push_back(static_cast<std::uint8_t>((i / 10) << 4 | i % 10));
    rules.holidays.push_back(0x12);
  }
  for (int j = 1; j <= g; ++j) {
    for (int day = 0; day < 7; ++day)
      rules.groups.insert(rules.groups.end(), {0x08, 0x00, 0x18, 0x00});
    rules.groups.push_back(j % 2);
  }
  return rules;
}

// Tags A10000 + i, doors 05, group i % 7, packed three to a line.
TagListReading Tags(int n) {
  TagListReading list{{0xB000, n}, {}};
  for (int i = 0; i < n; ++i) {
    list.image.insert(list.image.end(), {0xA1, 0x00, static_cast<std::uint8_t>(i), 0x05,
                                         static_cast<std::uint8_t>(i % 7)});
    if (i % 3 == 2) list.image.push_back(0x00);
  }
  return list;
}

// One change made to the controller's side of a reading, and the lines it should give.
template <typename Reading>
struct Change {
  const char* what;
  std::function<void(Reading&)> change;
  Lines expected;
};

// Compares each changed copy of `files` with `files` itself.
template <typename Reading, typename Compare>
void ExpectEachChange(const Reading& files, std::span<const Change<Reading>> cases,
                      Compare differences) {
  for (const Change<Reading>& c : cases) {
    SCOPED_TRACE(c.what);
    Reading controller = files;
    c.change(controller);
    EXPECT_EQ(differences(controller, files), c.expected);
  }
}

TEST(RulesDifferencesTest, EachChangeNamesItsRecordAndField) {
  using Case = Change<RulesReading>;
  const Case cases[] = {
      {"nothing", [](RulesReading&) {}, {}},
      {"the event stack pointers",
       [](RulesReading& c) {
         c.header[9] = 0x90;
         c.header[11] = 0xA0;
         c.header[13] = 1;
         c.header[15] = 7;
       },
       {}},
      {"Monday start hour",
       [](RulesReading& c) { c.groups[0] = 0x07; },
       {"grupo 01, Segunda início: controlador 07:00, arquivo 08:00"}},
      {"Tuesday start minute of group 3",
       [](RulesReading& c) { c.groups[2 * 29 + 5] = 0x30; },
       {"grupo 03, Terça início: controlador 08:30, arquivo 08:00"}},
      {"Sunday end of group 2",
       [](RulesReading& c) {
         c.groups[29 + 26] = 0x23;
         c.groups[29 + 27] = 0x59;
       },
       {"grupo 02, Domingo fim: controlador 23:59, arquivo 18:00"}},
      {"Saturday end hour",
       [](RulesReading& c) { c.groups[22] = 0x17; },
       {"grupo 01, Sábado fim: controlador 17:00, arquivo 18:00"}},
      {"holiday permission",
       [](RulesReading& c) {
         c.groups[28] = 0;
         c.groups[29 + 28] = 2;
       },
       {"grupo 01, Feriados: controlador Não, arquivo Sim",
        "grupo 02, Feriados: controlador 02, arquivo Não"}},
      {"a holiday's month",
       [](RulesReading& c) { c.holidays[3] = 0x11; },
       {"feriado 02: controlador 02/11, arquivo 02/12"}},
      {"one holiday fewer, the groups moved with it",
       [](RulesReading& c) { c = Rules(2, 3); },
       {"quantidade de feriados: controlador 2, arquivo 3",
        "endereço da tabela de grupos: controlador 0024, arquivo 0026",
        "feriado 03 ausente no controlador"}},
      {"one group more",
       [](RulesReading& c) { c = Rules(3, 4); },
       {"quantidade de grupos: controlador 4, arquivo 3", "grupo 04 ausente no arquivo"}},
      {"the holiday table elsewhere",
       [](RulesReading& c) { c.header[1] = 0x01; },
       {"endereço da tabela de feriados: controlador 0120, arquivo 0020"}},
      {"the reserved bytes",
       [](RulesReading& c) { c.header[7] = 0x01; },
       {"bytes reservados do cabeçalho: controlador 0001, arquivo 0000"}},
  };
  ExpectEachChange<RulesReading>(Rules(3, 3), cases,
                                 [](const RulesReading& controller, const RulesReading& files) {
                                   return ops::RulesDifferences(controller, files, {});
                                 });
}

TEST(RulesDifferencesTest, OnlyTheChosenTablesAreCompared) {
  RulesReading controller = Rules(3, 3);
  controller.groups[0] = 0x07;
  controller.holidays[0] = 0x31;
  RulesReading files = Rules(3, 3);
  files.groups.clear();  // no groups file: its table was not read either
  controller.groups.clear();
  EXPECT_EQ(ops::RulesDifferences(controller, files, {true, false}),
            (Lines{"feriado 01: controlador 31/12, arquivo 01/12"}));
  controller.header[3] = 9;  // the group count is not the holidays' business
  EXPECT_EQ(ops::RulesDifferences(controller, files, {true, false}).size(), 1u);
  EXPECT_EQ(ops::RulesDifferences(controller, files, {false, true}),
            (Lines{"quantidade de grupos: controlador 9, arquivo 3"}));
}

TEST(TagListDifferencesTest, TagsAreFoundByTheirNumber) {
  using Case = Change<TagListReading>;
  const Case cases[] = {
      {"nothing", [](TagListReading&) {}, {}},
      {"a tag's doors",
       [](TagListReading& c) { c.image[5 + 3] = 0x07; },
       {"tag A10001: portas controlador 07, arquivo 05"}},
      {"a tag's group",
       [](TagListReading& c) { c.image[16 + 4] = 0x0C; },
       {"tag A10003: grupo controlador 012, arquivo 003"}},
      {"the count one lower",
       [](TagListReading& c) {
         c.layout.count = 4;
         c.image.resize(21);
       },
       {"quantidade de tags: controlador 4, arquivo 5", "tag A10004 ausente no controlador"}},
      {"a tag number changed",
       [](TagListReading& c) { c.image[2] = 0x40; },
       {"tag A10000 ausente no controlador", "tag A10040 ausente no arquivo"}},
      {"a tag inserted at the front moves no other",
       [](TagListReading& c) {
         TagListReading shifted{{0xB000, 6}, {}};
         const std::uint8_t first[] = {0x00, 0x00, 0x01, 0x0F, 0x01};
         shifted.image.insert(shifted.image.end(), std::begin(first), std::end(first));
         for (int i = 0; i < 5; ++i) {
           shifted.image.insert(shifted.image.end(), c.image.begin() + (i * 5 + i / 3),
                                c.image.begin() + (i * 5 + i / 3) + 5);
           if (i % 3 == 1) shifted.image.push_back(0x00);
         }
         c = shifted;
       },
       {"quantidade de tags: controlador 6, arquivo 5", "tag 000001 ausente no arquivo"}},
      {"two tags swapped",
       [](TagListReading& c) {
         std::swap_ranges(c.image.begin() + 5, c.image.begin() + 10, c.image.begin() + 16);
       },
       {"lista de tags: ordem diferente a partir da posição 2"}},
      {"a filler byte",
       [](TagListReading& c) { c.image[15] = 0x01; },
       {"lista de tags, enchimento após a tag A10002: controlador 01, arquivo 00"}},
      {"the list elsewhere",
       [](TagListReading& c) { c.layout.start = 0xC000; },
       {"endereço da lista de tags: controlador C000, arquivo B000"}},
  };
  ExpectEachChange<TagListReading>(Tags(5), cases, &ops::TagListDifferences);
}

TEST(TagListDifferencesTest, ATagTwiceMeetsEachCopyInTurn) {
  TagListReading files = Tags(3);
  files.image[5 + 2] = 0x00;  // tags A10000, A10000, A10002
  TagListReading controller = files;
  controller.image[5 + 3] = 0x0F;  // the second copy's doors
  EXPECT_EQ(ops::TagListDifferences(controller, files),
            (Lines{"tag A10000: portas controlador 0F, arquivo 05"}));
  EXPECT_TRUE(ops::TagListDifferences(files, files).empty());
  EXPECT_TRUE(ops::TagListDifferences(Tags(0), Tags(0)).empty());
}

}  // namespace
}  // namespace zm48d::testing
