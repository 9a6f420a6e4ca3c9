// "Cadastro": the tag list editor. One row per registered tag: its number, a
// description, the doors it may open and its access group.
#include <QHBoxLayout>

#include "app/form1.h"
#include "app/string_grid.h"
#include "app/widgets.h"

namespace zm48d {

namespace {

constexpr int kListWidth = 438;
constexpr int kEditHeight = 21;
constexpr int kButtonHeight = 25;

void BuildTagFields(TForm1& f, QWidget* panel) {
  f.Label8 = NewLabel(panel, "Label8", QStringLiteral("Tag"), {8, 8});
  f.Edit1 = NewEdit(panel, "Edit1", QStringLiteral("000000"), {8, 24, 81, kEditHeight});
  f.Button18 = NewButton(panel, "Button18", QStringLiteral("Último"), {96, 22, 75, kButtonHeight});
  f.Label9 = NewLabel(panel, "Label9", QStringLiteral("Descrição"), {8, 52});
  f.Edit2 = NewEdit(panel, "Edit2", QString(), {8, 68, 225, kEditHeight});
  f.Label22 = NewLabel(panel, "Label22", QStringLiteral("Grupo"), {8, 96});
  f.Edit11 = NewEdit(panel, "Edit11", QStringLiteral("01"), {8, 112, 41, kEditHeight});
  f.cbP1 = NewCheckBox(panel, "cbP1", QStringLiteral("Porta 1"), {64, 98, 75, 17});
  f.cbP2 = NewCheckBox(panel, "cbP2", QStringLiteral("Porta 2"), {144, 98, 75, 17});
  f.cbP3 = NewCheckBox(panel, "cbP3", QStringLiteral("Porta 3"), {64, 118, 75, 17});
  f.cbP4 = NewCheckBox(panel, "cbP4", QStringLiteral("Porta 4"), {144, 118, 75, 17});
}

void BuildTagButtons(TForm1& f, QWidget* panel) {
  f.Button21 = NewButton(panel, "Button21", QStringLiteral("Novo"), {8, 144, 72, kButtonHeight});
  f.Button19 =
      NewButton(panel, "Button19", QStringLiteral("Inserir"), {84, 144, 72, kButtonHeight});
  f.Button20 =
      NewButton(panel, "Button20", QStringLiteral("Excluir"), {160, 144, 72, kButtonHeight});
  f.Button39 =
      NewButton(panel, "Button39", QStringLiteral("Montar lista com os últimos \"x\" tags lidos"),
                {4, 182, 244, kButtonHeight});
  f.Label29 = NewLabel(panel, "Label29", QStringLiteral("\"x\""), {8, 216});
  f.Edit17 = NewEdit(panel, "Edit17", QStringLiteral("1"), {32, 212, 41, kEditHeight});
  f.Button23 =
      NewButton(panel, "Button23", QStringLiteral("Abrir Arquivo"), {8, 248, 110, kButtonHeight});
  f.Button24 = NewButton(panel, "Button24", QStringLiteral("Salvar Arquivo"),
                         {123, 248, 110, kButtonHeight});
  f.Button22 = NewButton(panel, "Button22", QStringLiteral("Ler lista do aparelho"),
                         {8, 290, 225, kButtonHeight}, /*bold=*/true);
  f.Button35 = NewButton(panel, "Button35", QStringLiteral("Enviar lista para o aparelho"),
                         {8, 322, 225, kButtonHeight}, /*bold=*/true);
}

}  // namespace

void TForm1::BuildTagsPage() {
  auto* panel = new QWidget(PageBody(4));
  BuildTagFields(*this, panel);
  BuildTagButtons(*this, panel);
  FitContents(panel);
  sgLISTA = NewStringGrid(PageBody(4), "sgLISTA", {4, 1000, {76, 198, 78, 58}, /*editable=*/true});
  sgLISTA->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgLISTA->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  sgLISTA->setFixedWidth(kListWidth);

  auto* layout = new QHBoxLayout(PageBody(4));
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel, 1);
  layout->addWidget(sgLISTA);
}

}  // namespace zm48d
