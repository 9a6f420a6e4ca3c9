#include "app/masked_edit.h"

#include <algorithm>
#include <cstddef>

#include <QKeyEvent>

namespace zm48d {

namespace {

constexpr QChar kBlank = QLatin1Char('0');

}  // namespace

MaskedEdit::MaskedEdit(const char* mask, QWidget* parent) : QLineEdit(parent) {
  setInputMask(QString::fromLatin1(mask));
  typed_.assign(static_cast<std::size_t>(displayText().size()), false);
  // Text put in by the program (a reading, "23:59") is taken as typed in full.
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!keying_) TakeProgrammaticText();
  });
}

bool MaskedEdit::IsSeparator(int position) const {
  const QString shown = displayText();
  return position < shown.size() && !shown[position].isDigit();
}

int MaskedEdit::NextEditable(int position) const {
  while (position < static_cast<int>(typed_.size()) && IsSeparator(position)) ++position;
  return position;
}

int MaskedEdit::PreviousEditable(int position) const {
  --position;
  while (position >= 0 && IsSeparator(position)) --position;
  return position;
}

void MaskedEdit::MarkRange(int from, int to, bool typed) {
  for (int p = std::max(from, 0); p < std::min(to, static_cast<int>(typed_.size())); ++p) {
    typed_[static_cast<std::size_t>(p)] = typed;
  }
}

// Zeros everywhere look like an untouched edit and are taken as blanks.
void MaskedEdit::TakeProgrammaticText() {
  const QString shown = displayText();
  const bool blank =
      std::all_of(shown.begin(), shown.end(), [](QChar c) { return c == kBlank || !c.isDigit(); });
  std::fill(typed_.begin(), typed_.end(), !blank);
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
  const int cursor = cursorPosition();
  const bool selection = hasSelectedText();
  const int selStart = selection ? selectionStart() : cursor;
  const int selEnd = selection ? selStart + static_cast<int>(selectedText().size()) : cursor;
  const QString before = displayText();
  keying_ = true;
  QLineEdit::keyPressEvent(event);
  keying_ = false;
  const bool changed = displayText() != before || cursorPosition() != cursor;
  if (!changed) return;

  const QString typedText = event->text();
  if (typedText.size() == 1 && typedText[0].isDigit()) {
    MarkRange(selStart, selEnd, false);
    MarkRange(NextEditable(selStart), NextEditable(selStart) + 1, true);
  } else if (event->key() == Qt::Key_Backspace) {
    if (selection)
      MarkRange(selStart, selEnd, false);
    else
      MarkRange(PreviousEditable(cursor), PreviousEditable(cursor) + 1, false);
  } else if (event->key() == Qt::Key_Delete) {
    if (selection)
      MarkRange(selStart, selEnd, false);
    else
      MarkRange(NextEditable(cursor), NextEditable(cursor) + 1, false);
  } else if (displayText() != before) {
    TakeProgrammaticText();  // a paste or an undo: take what stands there
  }
}

void MaskedEdit::focusOutEvent(QFocusEvent* event) {
  const QString fixed = MaskedText();
  if (fixed != displayText()) setText(fixed);
  QLineEdit::focusOutEvent(event);
}

QString MaskedEdit::MaskedText() const {
  const QString shown = displayText();
  QString result;
  QString field;
  int width = 0;
  auto flush = [&] {
    result += QString(width - field.size(), kBlank) + field;
    field.clear();
    width = 0;
  };
  for (int p = 0; p < shown.size(); ++p) {
    if (IsSeparator(p)) {
      flush();
      result += shown[p];
      continue;
    }
    ++width;
    if (typed_[static_cast<std::size_t>(p)]) field += shown[p];
  }
  flush();
  return result;
}

}  // namespace zm48d
