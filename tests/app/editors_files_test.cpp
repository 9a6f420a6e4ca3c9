// The three editors' files through "Salvar Arquivo" and "Abrir Arquivo": the bytes
// written, what comes back into the grids, and every way a file is refused.
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>

#include "app/editor_files.h"
#include "tests/app/editors_fixture.h"

namespace zm48d::testing {
namespace {

using Lines = std::vector<std::string>;
using EditorFilesTest = EditorTest;

std::string Crlf(const Lines& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

const std::string kWorkdays =
    "08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*00:00*23:59*00:00*23:59*";

TEST_F(EditorFilesTest, GroupsRoundTripKeepsFilledRowsInOrderAndClosesGaps) {
  form.cbFER->setChecked(true);
  form.Button6->click();  // row 1, Sim
  form.cbFER->setChecked(false);
  form.meSEG1->setText("08:00");
  form.Button6->click();  // row 2, Monday from 08:00, Não
  TypeRow(*form.sgGRUPO, 5, QString::fromStdString("07*" + kWorkdays + "Não").split('*'));
  Type(*form.sgGRUPO, 3, 1, "10:00");  // no group number: left out

  const std::string path = dir.Path("grupos.txt");
  ClickWithFile(form.Button10, path);
  const std::string row1 =
      "01*00:00*23:59*00:00*23:59*00:00*23:59*00:00*23:59*00:00*23:59*"
      "00:00*23:59*00:00*23:59*Sim";
  const std::string row2 =
      "02*08:00*23:59*00:00*23:59*00:00*23:59*00:00*23:59*00:00*23:59*"
      "00:00*23:59*00:00*23:59*N\xE3o";
  EXPECT_EQ(dir.Read("grupos.txt"),
            Crlf({"ZM48D-GRUPOS", "3", row1, row2, "07*" + kWorkdays + "N\xE3o"}));
  EXPECT_EQ(row1.size(), 90u);

  const auto before = Rows(*form.sgGRUPO);
  form.meSEG2->setText("12:00");
  Type(*form.sgGRUPO, 9, 0, "09");
  ClickWithFile(form.Button9, path);
  EXPECT_EQ(Row(*form.sgGRUPO, 1), before[1]);
  EXPECT_EQ(Row(*form.sgGRUPO, 2), before[2]);
  EXPECT_EQ(Row(*form.sgGRUPO, 3), before[5]);
  EXPECT_EQ(Row(*form.sgGRUPO, 5), EmptyRow(*form.sgGRUPO));
  EXPECT_EQ(Row(*form.sgGRUPO, 9), EmptyRow(*form.sgGRUPO));
  EXPECT_EQ(form.meSEG2->displayText(), "23:59");  // "Novo" ran
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
}

TEST_F(EditorFilesTest, HolidaysRoundTripKeepsAsterisksAndReadsByPosition) {
  TypeRow(*form.sgFER, 1, {"25/12", "Natal"});
  TypeRow(*form.sgFER, 2, {"", "sem data"});
  TypeRow(*form.sgFER, 4, {"01/01", "Ano*Novo*"});
  TypeRow(*form.sgFER, 6, {"1/5", "Natal"});
  TypeRow(*form.sgFER, 7, {"07/09", ""});
  ClickWithFile(form.Button11, dir.Path("feriados.txt"));
  EXPECT_EQ(dir.Read("feriados.txt"),
            Crlf({"ZM48D-FERIADOS", "4", "25/12*Natal", "01/01*Ano*Novo*", "1/5*Natal", "07/09*"}));

  ClickWithFile(form.Button12, dir.Path("feriados.txt"));
  EXPECT_EQ(Row(*form.sgFER, 1), QStringList({"25/12", "Natal"}));
  EXPECT_EQ(Row(*form.sgFER, 2), QStringList({"01/01", "Ano*Novo*"}));
  EXPECT_EQ(Row(*form.sgFER, 3), QStringList({"1/5*N", "tal"}));  // a short date shifts the line
  EXPECT_EQ(Row(*form.sgFER, 4), QStringList({"07/09", ""}));
  EXPECT_EQ(Row(*form.sgFER, 5), EmptyRow(*form.sgFER));
  EXPECT_EQ(Row(*form.sgFER, 0), QStringList({"Data", "Descrição do Feriado"}));
}

// Descriptions travel as Windows-1252: one byte per character, 0x80..0x9F included.
TEST_F(EditorFilesTest, TagListRoundTripMapsColumnsAndCodePage) {
  TypeRow(*form.sgLISTA, 1, {"1A2B3C", "Portaria", "03", "002"});
  TypeRow(*form.sgLISTA, 2, {"00A1B2", "", "00", "001"});
  TypeRow(*form.sgLISTA, 3, {"FFFFFF", "Ação € “x” Não", "0F", "099"});
  ClickWithFile(form.Button24, dir.Path("lista.txt"));
  const Lines expected = {"ZM48D-LISTA", "3", "1A2B3C*03*002*Portaria", "00A1B2*00*001*",
                          "FFFFFF*0F*099*A\xE7\xE3o \x80 \x93x\x94 N\xE3o"};
  EXPECT_EQ(dir.Read("lista.txt"), Crlf(expected));
  EXPECT_EQ(expected[3].size(), 14u);

  const auto before = Rows(*form.sgLISTA);
  ClickWithFile(form.Button23, dir.Path("lista.txt"));
  EXPECT_EQ(Rows(*form.sgLISTA), before);
}

TEST_F(EditorFilesTest, EmptyGridSavesTwoLinesAndCountZeroEmptiesTheGrid) {
  ClickWithFile(form.Button24, dir.Path("vazia.txt"));
  EXPECT_EQ(dir.Read("vazia.txt"), "ZM48D-LISTA\r\n0\r\n");

  TypeRow(*form.sgLISTA, 1, {"1A2B3C", "Portaria", "03", "002"});
  form.Edit2->setText("texto");
  ClickWithFile(form.Button23, dir.Path("vazia.txt"));
  EXPECT_EQ(Row(*form.sgLISTA, 1), EmptyRow(*form.sgLISTA));
  EXPECT_EQ(form.Edit2->text(), "");
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
}

// The count line alone decides; LF and CR line ends are read as well as CR LF.
TEST_F(EditorFilesTest, CountSmallerThanTheDataLinesLoadsOnlyThatMany) {
  const std::string path = dir.Path("f.txt");
  std::ofstream(path, std::ios::binary)
      << "ZM48D-FERIADOS\n2\r25/12*Natal\r\n01/01*Ano\n21/04*a\r\n15/11*b\r\n02/11*c";
  ClickWithFile(form.Button12, path);
  EXPECT_EQ(Row(*form.sgFER, 1), QStringList({"25/12", "Natal"}));
  EXPECT_EQ(Row(*form.sgFER, 2), QStringList({"01/01", "Ano"}));
  EXPECT_EQ(Row(*form.sgFER, 3), EmptyRow(*form.sgFER));
}

TEST_F(EditorFilesTest, HeaderMustMatchByteForByte) {
  TypeRow(*form.sgGRUPO, 1, {"01", "08:00"});
  TypeRow(*form.sgFER, 1, {"25/12", "Natal"});
  TypeRow(*form.sgLISTA, 1, {"1A2B3C", "x"});
  const auto groups = Rows(*form.sgGRUPO);
  const auto holidays = Rows(*form.sgFER);
  const auto tags = Rows(*form.sgLISTA);
  const std::pair<QPushButton*, std::string> cases[] = {
      {form.Button9, "ZM48D-GRUPOS "},  // trailing blank
      {form.Button9, "zm48d-grupos"},   // case
      {form.Button12, "ZM48D-GRUPOS"},  // another kind of file
      {form.Button23, " ZM48D-LISTA"},
  };
  for (const auto& [button, header] : cases) {
    messages.shown.clear();
    ClickWithFile(button, dir.Write("h.txt", {header, "0"}));
    EXPECT_EQ(messages.shown, std::vector<QString>{"Arquivo incompatível!!"}) << header;
  }
  EXPECT_EQ(Rows(*form.sgGRUPO), groups);
  EXPECT_EQ(Rows(*form.sgFER), holidays);
  EXPECT_EQ(Rows(*form.sgLISTA), tags);
  EXPECT_TRUE(messages.errors.empty());
}

// A file whose count goes past the grid's last row is refused whole, before
// "Novo"; a count that just fills the grid loads.
TEST_F(EditorFilesTest, MoreDataLinesThanRowsIsRefusedWithTheGridUnchanged) {
  struct Case {
    QPushButton* open;
    QTableWidget* grid;
    std::string header;
    std::string line;
  };
  const Case cases[] = {
      {form.Button9, form.sgGRUPO, "ZM48D-GRUPOS", "01*" + kWorkdays + "Sim"},
      {form.Button12, form.sgFER, "ZM48D-FERIADOS", "25/12*Natal"},
      {form.Button23, form.sgLISTA, "ZM48D-LISTA", "1A2B3C*03*002*Portaria"},
  };
  for (const Case& c : cases) {
    const int rows = c.grid->rowCount() - 1;
    Lines file = {c.header, std::to_string(rows + 1)};
    file.insert(file.end(), static_cast<std::size_t>(rows + 1), c.line);
    Type(*c.grid, 1, 0, "antes");
    const auto before = Rows(*c.grid);
    messages.shown.clear();
    ClickWithFile(c.open, dir.Write("muitos.txt", file));
    EXPECT_EQ(messages.shown, std::vector<QString>{TooManyLinesText(rows)}) << c.header;
    EXPECT_EQ(Rows(*c.grid), before) << c.header;

    file[1] = std::to_string(rows);
    messages.shown.clear();
    ClickWithFile(c.open, dir.Write("cheio.txt", file));
    EXPECT_TRUE(messages.shown.empty()) << c.header;
    EXPECT_EQ(CellText(*c.grid, rows, 0), CellText(*c.grid, 1, 0)) << c.header;
    EXPECT_NE(CellText(*c.grid, 1, 0), "antes") << c.header;
  }
  EXPECT_EQ(TooManyLinesText(999), "Arquivo com mais de 999 registros!!");
  EXPECT_TRUE(messages.errors.empty());
}

TEST_F(EditorFilesTest, CountThatIsNotANumberIsTheRuntimesErrorBeforeNovo) {
  TypeRow(*form.sgFER, 1, {"25/12", "Natal"});
  const auto before = Rows(*form.sgFER);
  const std::string f = dir.Write("f.txt", {"ZM48D-FERIADOS", "N\xE3o", "01/01*Ano"});
  const std::string g = dir.Write("g.txt", {"ZM48D-FERIADOS", "", "01/01*Ano"});
  ClickWithFile(form.Button12, f);
  ClickWithFile(form.Button12, g);
  // The runtime's text, then the file it came from.
  const auto in = [](const std::string& path) {
    return QString::fromStdString(" in \"" + path + "\"");
  };
  EXPECT_EQ(messages.errors, (std::vector<QString>{"'Não' is not a valid integer value" + in(f),
                                                   "'' is not a valid integer value" + in(g)}));
  EXPECT_EQ(Rows(*form.sgFER), before);
}

// List indexes count from 0: the header is line 0, the count line 1.
TEST_F(EditorFilesTest, MissingLineIsListIndexOutOfBounds) {
  TypeRow(*form.sgLISTA, 5, {"FFFFFF", "antes"});
  const auto before = Rows(*form.sgLISTA);
  ClickWithFile(form.Button23, dir.Write("vazio.txt", {}));
  ClickWithFile(form.Button23, dir.Write("so_cabecalho.txt", {"ZM48D-LISTA"}));
  EXPECT_EQ(Rows(*form.sgLISTA), before);  // nothing changed before "Novo"

  ClickWithFile(form.Button23, dir.Write("curto.txt", {"ZM48D-LISTA", "3", "1A2B3C*03*002*P"}));
  const auto in = [&](const char* name) {
    return QString::fromStdString(" in \"" + dir.Path(name) + "\"");
  };
  EXPECT_EQ(messages.errors,
            (std::vector<QString>{"List index out of bounds (0)" + in("vazio.txt"),
                                  "List index out of bounds (1)" + in("so_cabecalho.txt"),
                                  "List index out of bounds (3)" + in("curto.txt")}));
  EXPECT_EQ(Row(*form.sgLISTA, 1), QStringList({"1A2B3C", "P", "03", "002"}));
  EXPECT_EQ(Row(*form.sgLISTA, 5), EmptyRow(*form.sgLISTA));  // "Novo" ran
}

TEST_F(EditorFilesTest, FileThatCannotBeOpenedChangesNothing) {
  TypeRow(*form.sgGRUPO, 1, {"01", "08:00"});
  const auto before = Rows(*form.sgGRUPO);
  const std::string path = dir.Path("nao_existe.txt");
  ClickWithFile(form.Button9, path);
  EXPECT_EQ(messages.errors, std::vector<QString>{QString::fromStdString(
                                 "Cannot open file \"" + path + "\". No such file or directory")});
  EXPECT_EQ(Rows(*form.sgGRUPO), before);
}

// The new file is written beside the old one first: when that fails (here the
// name leaves no room for the temporary name), the old file stays as it was.
TEST_F(EditorFilesTest, FailedSaveKeepsTheOldFile) {
  const std::string name = std::string(250, 'a') + ".txt";
  const std::string path = dir.Write(name, {"ZM48D-FERIADOS", "1", "25/12*Natal"});
  const std::string old = dir.Read(name);
  TypeRow(*form.sgFER, 1, {"01/01", "Ano Novo"});
  ClickWithFile(form.Button11, path);
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_TRUE(messages.errors[0].startsWith(
      QString::fromStdString("Cannot create file \"" + path + "\". ")));
  EXPECT_EQ(dir.Read(name), old);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path(""))) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);  // no temporary file left behind
}

// The two dialogs are shared by the editors and open with the name last chosen
// through them; a cancel does nothing and keeps that name.
TEST_F(EditorFilesTest, SharedDialogsRememberTheLastNameAndCancelDoesNothing) {
  const std::string path = dir.Path("lista.txt");
  ClickWithFile(form.Button24, path);
  form.Button10->click();  // cancelled: no groups file written over it
  EXPECT_EQ(dir.Read("lista.txt"), "ZM48D-LISTA\r\n0\r\n");
  TypeRow(*form.sgFER, 1, {"25/12", "Natal"});
  form.Button12->click();  // cancelled open: grid kept
  EXPECT_EQ(CellText(*form.sgFER, 1, 0), "25/12");
  ClickWithFile(form.Button23, path);

  const QString name = QString::fromStdString(path);
  ASSERT_EQ(dialogs.calls.size(), 4u);
  EXPECT_EQ(dialogs.calls[0].lastName, "");
  EXPECT_EQ(dialogs.calls[1].lastName, name);  // save dialog: the tag list's name
  EXPECT_EQ(dialogs.calls[2].lastName, "");    // the open dialog has its own
  EXPECT_EQ(dialogs.calls[3].lastName, "");
  form.Button12->click();
  EXPECT_EQ(dialogs.calls[4].lastName, name);
  EXPECT_TRUE(messages.shown.empty() && messages.errors.empty());
}

}  // namespace
}  // namespace zm48d::testing
