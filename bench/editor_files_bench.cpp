// The tag list editor with a full list: "Abrir Arquivo" loading a 999-tag file
// into the grid and "Salvar Arquivo" writing it back, through the real handlers
// with the file dialogs answered by a script. Target: well under 100 ms each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>

#include "app/form1.h"
#include "app/string_grid.h"
#include "bench/bench_application.h"
#include "tests/app/app_test_support.h"
#include "tests/support/fake_link.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

constexpr int kTags = 999;

// Tags 000001.. with all four doors, groups cycling 001..099 and a description
// with accented letters, as a production list would have them.
std::vector<std::string> FullTagList() {
  std::vector<std::string> lines = {"ZM48D-LISTA", std::to_string(kTags)};
  char line[64];
  for (int i = 1; i <= kTags; ++i) {
    std::snprintf(line, sizeof line, "%06X*0F*%03d*Funcion\xE1rio %d - Port\xE3o", i, 1 + i % 99,
                  i);
    lines.emplace_back(line);
  }
  return lines;
}

struct EditorBench {
  EditorBench() {
    bench::EnsureApplication();
    form = std::make_unique<TForm1>(link, messages, dialogs);
    form->FormActivate();
    path = dir.Write("lista.txt", FullTagList());
  }

  void Click(QPushButton* button, const std::string& file) {
    dialogs.answers.push_back(QString::fromStdString(file));
    button->click();
  }
  bool Failed() const { return !messages.shown.empty() || !messages.errors.empty(); }

  FakeLink link;
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  std::unique_ptr<TForm1> form;
  TempDir dir;
  std::string path;
};

void BM_LoadTagList999(benchmark::State& state) {
  EditorBench bench;
  for (auto _ : state) bench.Click(bench.form->Button23, bench.path);
  if (bench.Failed() || CellText(*bench.form->sgLISTA, kTags, 0) != "0003E7") {
    state.SkipWithError("the list did not load");
  }
  state.counters["tags"] = kTags;
}
BENCHMARK(BM_LoadTagList999)->Unit(benchmark::kMillisecond);

void BM_SaveTagList999(benchmark::State& state) {
  EditorBench bench;
  bench.Click(bench.form->Button23, bench.path);
  const std::string copy = bench.dir.Path("copia.txt");
  for (auto _ : state) bench.Click(bench.form->Button24, copy);
  if (bench.Failed() || bench.dir.Read("copia.txt") != bench.dir.Read("lista.txt")) {
    state.SkipWithError("the list was not saved back unchanged");
  }
  state.counters["tags"] = kTags;
}
BENCHMARK(BM_SaveTagList999)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm48d::testing
