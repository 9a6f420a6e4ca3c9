// "Grupos": the groups editor. One row per access group: seven weekly time
// windows and whether the group may pass on holidays.
#include <QFrame>
#include <QVBoxLayout>

#include "app/form1.h"
#include "app/string_grid.h"
#include "app/widgets.h"

namespace zm48d {

namespace {

constexpr int kPanelHeight = 130;
constexpr int kDayColumnWidth = 92;
constexpr int kTimeEditWidth = 45;
constexpr int kEditHeight = 21;

struct DayEdits {
  QLabel** label;
  const char* labelName;
  const char* caption;
  MaskedEdit** start;
  const char* startName;
  MaskedEdit** end;
  const char* endName;
};

// One column per day, Monday first as the grid's pairs: the day's name over its
// start and end edits.
void BuildWeek(TForm1& f, QWidget* panel) {
  const DayEdits days[] = {
      {&f.Label1, "Label1", "Segunda-feira", &f.meSEG1, "meSEG1", &f.meSEG2, "meSEG2"},
      {&f.Label2, "Label2", "Terça-feira", &f.meTER1, "meTER1", &f.meTER2, "meTER2"},
      {&f.Label3, "Label3", "Quarta-feira", &f.meQUA1, "meQUA1", &f.meQUA2, "meQUA2"},
      {&f.Label4, "Label4", "Quinta-feira", &f.meQUI1, "meQUI1", &f.meQUI2, "meQUI2"},
      {&f.Label5, "Label5", "Sexta-feira", &f.meSEX1, "meSEX1", &f.meSEX2, "meSEX2"},
      {&f.Label6, "Label6", "Sábado", &f.meSAB1, "meSAB1", &f.meSAB2, "meSAB2"},
      {&f.Label7, "Label7", "Domingo", &f.meDOM1, "meDOM1", &f.meDOM2, "meDOM2"},
  };
  int x = 8;
  for (const DayEdits& day : days) {
    *day.label = NewLabel(panel, day.labelName, QString::fromUtf8(day.caption), {x, 6});
    *day.start = NewMaskedEdit(panel, day.startName, kShortTimeMask, 5,
                               {x, 22, kTimeEditWidth, kEditHeight});
    *day.end =
        NewMaskedEdit(panel, day.endName, kShortTimeMask, 5, {x, 46, kTimeEditWidth, kEditHeight});
    x += kDayColumnWidth;
  }
}

void BuildButtons(TForm1& f, QWidget* panel) {
  f.cbFER =
      NewCheckBox(panel, "cbFER", QStringLiteral("Permitir acesso nos feriados"), {8, 74, 220, 17});
  f.Button8 = NewButton(panel, "Button8", QStringLiteral("Novo"), {8, 98, 75, 25});
  f.Button6 = NewButton(panel, "Button6", QStringLiteral("Inserir"), {88, 98, 75, 25});
  f.Button7 = NewButton(panel, "Button7", QStringLiteral("Excluir"), {168, 98, 75, 25});
  f.Button7->hide();
  f.Button9 = NewButton(panel, "Button9", QStringLiteral("Abrir Arquivo"), {248, 98, 95, 25});
  f.Button10 = NewButton(panel, "Button10", QStringLiteral("Salvar Arquivo"), {348, 98, 95, 25});
  f.Button17 = NewButton(panel, "Button17", QStringLiteral("Ler do Leitor"), {448, 98, 95, 25},
                         /*bold=*/true);
}

}  // namespace

void TForm1::BuildGroupsPage() {
  sgGRUPO = NewStringGrid(PageBody(3), "sgGRUPO",
                          {16,
                           100,
                           {51, 53, 54, 56, 57, 54, 55, 55, 51, 51, 49, 64, 64, 64, 64, 64},
                           /*editable=*/true});
  Panel1 = new QFrame(PageBody(3));
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setFixedHeight(kPanelHeight);
  BuildWeek(*this, Panel1);
  BuildButtons(*this, Panel1);
  FitContents(Panel1);

  auto* layout = new QVBoxLayout(PageBody(3));
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(sgGRUPO, 1);
  layout->addWidget(Panel1);
}

}  // namespace zm48d
