// "Leitura OnLine": one line per poll of the controller's readers while the
// reading runs.
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/form1.h"
#include "app/widgets.h"

namespace zm48d {

namespace {
constexpr int kMemoHeight = 393;
}  // namespace

void TForm1::BuildOnlinePage() {
  Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"), PageBody(8));
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFixedHeight(kMemoHeight);

  auto* bottom = new QWidget(PageBody(8));
  Button44 = NewButton(bottom, "Button44", QStringLiteral("Iniciar Leitura"), {8, 8, 105, 25});
  Button45 = NewButton(bottom, "Button45", QStringLiteral("Apagar Memo"), {120, 8, 105, 25});
  FitContents(bottom);

  auto* layout = new QVBoxLayout(PageBody(8));
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Memo1);
  layout->addWidget(bottom, 1);
}

}  // namespace zm48d
