#pragma once
// The window's masked edits: digit fields with literal separators ("99:99",
// "99/99/99") whose unfilled positions show the digit 0. The positions the
// operator leaves unfilled in a field count as its leading ones, so "7" typed
// into the hour reads 07, not 70; the edit takes that form when it loses focus.
#include <vector>

#include <QLineEdit>

namespace zm48d {

class MaskedEdit final : public QLineEdit {
  Q_OBJECT

 public:
  // `mask` is a Qt input mask of optional digits ('0') and separators, with '0'
  // as its blank character, for example "00:00;0".
  MaskedEdit(const char* mask, QWidget* parent);

  // The text the handlers take: each field's typed digits at its end, the
  // unfilled positions as leading zeros.
  QString MaskedText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool IsSeparator(int position) const;
  int NextEditable(int position) const;
  int PreviousEditable(int position) const;
  void MarkRange(int from, int to, bool typed);
  void TakeProgrammaticText();

  std::vector<bool> typed_;  // per position: a digit the operator or the program put there
  bool keying_ = false;
};

}  // namespace zm48d
