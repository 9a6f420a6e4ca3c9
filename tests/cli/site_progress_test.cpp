// What an operator sees of `zm48d site`: on a terminal the live lines, read
// through a small model of a terminal screen; elsewhere one line as each
// controller ends; then the table, its columns aligned by characters.
#include "cli/site_progress.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace zm48d::testing {
namespace {

using cli::PrintSiteSummary;
using cli::SiteProgress;

// The screen left by the cursor movements the progress uses: ESC [ n A (up),
// ESC [ 2 K (clear the line), CR and LF. Anything else is a fault.
std::vector<std::string> Screen(const std::string& output) {
  std::vector<std::string> rows(1);
  std::size_t row = 0;
  for (std::size_t i = 0; i < output.size(); ++i) {
    const char c = output[i];
    if (c == '\x1b') {
      const std::size_t end = output.find_first_of("AK", i);
      EXPECT_NE(end, std::string::npos);
      const int count = std::stoi(output.substr(i + 2, end - i - 2));
      if (output[end] == 'A') {
        EXPECT_LE(static_cast<std::size_t>(count), row) << "moved above the first line";
        row -= static_cast<std::size_t>(count);
      } else {
        EXPECT_EQ(count, 2);
        rows[row].clear();
      }
      i = end;
    } else if (c == '\n') {
      if (++row == rows.size()) rows.emplace_back();
    } else if (c != '\r') {
      rows[row] += c;
    }
  }
  return rows;
}

site::Site ThreeControllers() {
  site::Site site;
  for (const auto& [name, port] :
       {std::pair{"portaria", "COM1"}, std::pair{"depósito", "/dev/ttyUSB0"},
        std::pair{"recepcao", "rfc2217://10.0.0.7:2001"}}) {
    site.controllers.emplace_back().name = name;
    site.controllers.back().port = port;
  }
  return site;
}

TEST(SiteProgress, LiveLinesAreRedrawnInPlaceOneForEachController) {
  const site::Site site = ThreeControllers();
  std::ostringstream out;
  SiteProgress progress(site, out, 80);
  progress.Progress(1, "Enviando lista: página 3 de 38");
  progress.Progress(0, "Enviando feriados");
  progress.Finished(2, {false, "sem resposta", {}});
  progress.Progress(1, "Enviando lista: página 4 de 38");

  // The names padded by characters: "depósito" is eight wide, as the others.
  EXPECT_EQ(Screen(out.str()), (std::vector<std::string>{"portaria  Enviando feriados",
                                                         "depósito  Enviando lista: página 4 de 38",
                                                         "recepcao  sem resposta", ""}));
}

TEST(SiteProgress, LiveLinesAreCutToTheTerminalSoThatNoneWraps) {
  const site::Site site = ThreeControllers();
  std::ostringstream out;
  SiteProgress progress(site, out, 20);
  progress.Progress(1, "Enviando lista: página 3 de 38");

  const std::vector<std::string> screen = Screen(out.str());
  ASSERT_EQ(screen.size(), 4U);
  EXPECT_EQ(screen[1], "depósito  Enviando ");  // 19 characters, 20 bytes
  EXPECT_EQ(screen[0], "portaria  ...");
}

TEST(SiteProgress, PlainOutputHasOneLineAsEachControllerEnds) {
  const site::Site site = ThreeControllers();
  std::ostringstream out;
  SiteProgress progress(site, out, std::nullopt);
  progress.Progress(0, "Enviando feriados");
  progress.Finished(2, {false, "sem resposta", {}});
  progress.Finished(0, {true, "concluído", {}});

  EXPECT_EQ(out.str(), "recepcao: sem resposta\nportaria: concluído\n");
}

TEST(SiteProgress, SummaryTableAlignsItsColumnsByCharacters) {
  const site::Site site = ThreeControllers();
  std::ostringstream out;
  PrintSiteSummary(out, site,
                   {{true, "concluído", {}}, {true, "concluído", {}}, {false, "sem resposta", {}}});

  EXPECT_EQ(out.str(),
            "\n"
            "Controlador  Porta                    Resultado\n"
            "portaria     COM1                     ok: concluído\n"
            "depósito     /dev/ttyUSB0             ok: concluído\n"
            "recepcao     rfc2217://10.0.0.7:2001  FALHOU: sem resposta\n");
}

}  // namespace
}  // namespace zm48d::testing
