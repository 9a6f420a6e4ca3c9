#pragma once
// Lines of sample rule and tag list files, for tests and benchmarks that need
// files of a given size. Text is Windows-1252, as the editors write it.
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace zm48d::testing {

using Lines = std::vector<std::string>;

// "DD/12*Dia" for days 01..count (days past 31 are not real dates; nothing checks).
Lines SampleHolidays(int count);
// A count line of `count` and `lines` group lines: 08:00-18:00 Monday to Friday,
// 00:00-23:59 at the weekend; odd groups may pass on holidays ("Sim"), even ones not.
Lines SampleGroups(int count, int lines);
inline Lines SampleGroups(int count) { return SampleGroups(count, count); }
// Tag i (from 0): tag A10000 + i, doors 05, group i % 7, description "Tag i".
Lines SampleTags(int count);

// The largest configuration a controller holds (49 holidays, 65 groups, 999
// tags), written into `dir` as feriados.txt, grupos.txt and lista.txt.
struct SampleFilePaths {
  std::string holidays;
  std::string groups;
  std::string tags;
};
SampleFilePaths WriteLargestConfiguration(const TempDir& dir);

// The path of a sample file shipped in examples/ ("feriados.txt", ...).
std::string ExampleFile(const std::string& name);

}  // namespace zm48d::testing
