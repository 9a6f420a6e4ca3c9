#include "tests/support/sample_files.h"

#include <cstdio>

namespace zm48d::testing {

Lines SampleHolidays(int count) {
  Lines out{"ZM48D-FERIADOS", std::to_string(count)};
  for (int i = 1; i <= count; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/12*Dia", i);
    out.push_back(text);
  }
  return out;
}

Lines SampleGroups(int count, int lines) {
  Lines out{"ZM48D-GRUPOS", std::to_string(count)};
  for (int i = 1; i <= lines; ++i) {
    char text[100];
    std::snprintf(text, sizeof text,
                  "%02d*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*00:00*23:59*"
                  "00:00*23:59*%s",
                  i % 100, i % 2 ? "Sim" : "N\xE3o");
    out.push_back(text);
  }
  return out;
}

Lines SampleTags(int count) {
  Lines out{"ZM48D-LISTA", std::to_string(count)};
  for (int i = 0; i < count; ++i) {
    char text[40];
    std::snprintf(text, sizeof text, "%06X*05*%03d*Tag %d", 0xA10000 + i, i % 7, i);
    out.push_back(text);
  }
  return out;
}

SampleFilePaths WriteLargestConfiguration(const TempDir& dir) {
  return {dir.Write("feriados.txt", SampleHolidays(49)), dir.Write("grupos.txt", SampleGroups(65)),
          dir.Write("lista.txt", SampleTags(999))};
}

std::string ExampleFile(const std::string& name) {
  return std::string(ZM48D_SOURCE_DIR) + "/examples/" + name;
}

}  // namespace zm48d::testing
