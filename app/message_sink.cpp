#include "app/message_sink.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "operations/operator_texts.h"

namespace zm48d {

namespace {

// Room beside the title for the title bar's icon and buttons.
constexpr int kTitleBarExtra = 160;

// A QMessageBox sizes itself to its text alone and ignores a minimum width; a
// spacer across its grid keeps it as wide as its title needs.
void FitTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                        .horizontalAdvance(box.windowTitle()) +
                    kTitleBarExtra;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
             const QString& details = {}) {
  QMessageBox box(icon, QString::fromUtf8(kWindowCaption), text, QMessageBox::Ok, parent);
  if (!details.isEmpty()) box.setDetailedText(details);
  FitTitle(box);
  box.exec();
}

}  // namespace

void QtMessageSink::Show(const QString& text) { ShowBox(parent_, QMessageBox::NoIcon, text); }

void QtMessageSink::ShowFailure(const QString& text, const QString& details) {
  ShowBox(parent_, QMessageBox::NoIcon, text, details);
}

void QtMessageSink::ShowError(const QString& text) {
  ShowBox(parent_, QMessageBox::Critical, text);
}

bool QtMessageSink::Ask(const QString& question) {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kWindowCaption), question,
                  QMessageBox::Yes | QMessageBox::No, parent_);
  FitTitle(box);
  box.button(QMessageBox::Yes)->setText(FromUtf8(text::kYes));
  box.button(QMessageBox::No)->setText(FromUtf8(text::kNo));
  // A stray Enter or Escape must not destroy anything.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zm48d
