#pragma once
// Small factories for the window's controls: each gets its object name (the name
// the handlers know it by), its caption or text and its place on the page.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

#include "app/masked_edit.h"

namespace zm48d {

// Masks of the date and time edits. Every position is an optional digit, the
// separators stay in the text and an unfilled position shows the digit 0, so an
// untouched edit reads "00/00/00", "00:00:00" or "00:00". The texts the handlers
// take from these edits come from MaskedText(): text() drops the blank
// character, which here is the digit 0.
inline constexpr char kDateMask[] = "00/00/00;0";
inline constexpr char kTimeMask[] = "00:00:00;0";
inline constexpr char kShortTimeMask[] = "00:00;0";

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, QRect at,
                       bool bold = false);
// A button a dialog's layout places; Enter does not press it.
QPushButton* NewDialogButton(QWidget* parent, const char* name, const QString& caption);
QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, QPoint at);
QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text, QRect at);
MaskedEdit* NewMaskedEdit(QWidget* parent, const char* name, const char* mask, int maxLength,
                          QRect at);
// A widget whose controls sit at fixed places asks for the room they take, so
// that a page too small for it scrolls instead of hiding them.
void FitContents(QWidget* widget);

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, QRect at);

}  // namespace zm48d
