// "TX": the three files that make up what is sent to the controller, the room
// left for its event stack, and the send itself.
#include "app/form1.h"
#include "app/widgets.h"

namespace zm48d {

namespace {

struct PathRow {
  QLabel** label;
  const char* labelName;
  const char* caption;
  QLineEdit** edit;
  const char* editName;
  QPushButton** browse;
  const char* browseName;
};

}  // namespace

void TForm1::BuildTxPage() {
  const PathRow rows[] = {
      {&Label18, "Label18", ".txt com feriados", &Edit8, "Edit8", &Button14, "Button14"},
      {&Label19, "Label19", ".txt com grupos", &Edit9, "Edit9", &Button16, "Button16"},
      {&Label28, "Label28", ".txt com  a lista de tags cadastrados", &Edit16, "Edit16", &Button38,
       "Button38"},
  };
  int y = 16;
  for (const PathRow& row : rows) {
    *row.label = NewLabel(PageBody(6), row.labelName, QString::fromUtf8(row.caption), {16, y});
    *row.edit = NewEdit(PageBody(6), row.editName, QString(), {16, y + 16, 441, 21});
    *row.browse =
        NewButton(PageBody(6), row.browseName, QStringLiteral("..."), {464, y + 14, 25, 25},
                  /*bold=*/true);
    y += 48;
  }
  Button32 = NewButton(PageBody(6), "Button32", QStringLiteral("Calcular espaço para pilha"),
                       {16, 168, 185, 25});
  lbPIL = NewLabel(PageBody(6), "lbPIL", QStringLiteral("="), {212, 174});
  // The label is sized for its first caption "="; the result it shows is wider.
  lbPIL->resize(160, lbPIL->height());
  Button33 = NewButton(PageBody(6), "Button33", QStringLiteral("Enviar para o aparelho"),
                       {16, 208, 185, 25}, /*bold=*/true);
  FitContents(PageBody(6));
}

}  // namespace zm48d
