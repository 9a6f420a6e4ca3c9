// "Feriados": the holidays editor. The operator types each date (DD/MM) and its
// description into the grid directly.
#include <QHBoxLayout>

#include "app/form1.h"
#include "app/string_grid.h"
#include "app/widgets.h"

namespace zm48d {

namespace {
constexpr int kGridWidth = 300;
}  // namespace

void TForm1::BuildHolidaysPage() {
  sgFER = NewStringGrid(PageBody(5), "sgFER", {2, 50, {64, 209}, /*editable=*/true});
  sgFER->setFixedWidth(kGridWidth);

  auto* panel = new QWidget(PageBody(5));
  Button13 = NewButton(panel, "Button13", QStringLiteral("Novo"), {16, 8, 105, 25});
  Button11 = NewButton(panel, "Button11", QStringLiteral("Salvar Arquivo"), {16, 40, 105, 25});
  Button12 = NewButton(panel, "Button12", QStringLiteral("Abrir Arquivo"), {16, 72, 105, 25});
  Button15 = NewButton(panel, "Button15", QStringLiteral("Ler do leitor"), {16, 112, 105, 25},
                       /*bold=*/true);
  FitContents(panel);

  auto* layout = new QHBoxLayout(PageBody(5));
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(sgFER);
  layout->addWidget(panel, 1);
}

}  // namespace zm48d
