// "Pilha": downloads the controller's event stack into the grid, one event per
// row; two hidden test buttons.
#include <QVBoxLayout>

#include "app/form1.h"
#include "app/string_grid.h"
#include "app/widgets.h"
#include "operations/operator_texts.h"

namespace zm48d {

namespace {
constexpr int kTopHeight = 41;
}  // namespace

void TForm1::BuildStackPage() {
  auto* top = new QWidget(PageBody(7));
  top->setFixedHeight(kTopHeight);
  Button34 = NewButton(top, "Button34", QStringLiteral("Descarregar Registros"), {8, 8, 140, 25});
  Label23 = NewLabel(top, "Label23", FromUtf8(text::kRecordCountCaption), {160, 14});
  Button40 = NewButton(top, "Button40", QStringLiteral("Button40"), {440, 8, 75, 25});
  Button41 = NewButton(top, "Button41", QStringLiteral("Button41"), {520, 8, 75, 25});
  Button40->hide();
  Button41->hide();
  FitContents(top);
  // The label's text grows with the count it shows.
  Label23->setMinimumWidth(240);
  Label23->resize(240, Label23->height());

  sgPIL = NewStringGrid(PageBody(7), "sgPIL",
                        {7, 100, {99, 83, 88, 71, 76, 64, 154}, /*editable=*/false});

  auto* layout = new QVBoxLayout(PageBody(7));
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(sgPIL, 1);
}

}  // namespace zm48d
