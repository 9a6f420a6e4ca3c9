#pragma once
// Where the main window opens: its own size and place when they fit the screen's
// available area, else moved and shrunk into it, so that no edge, menu or status
// bar starts off the screen.
#include <QMargins>
#include <QRect>
#include <QWidget>

namespace zm48d {

// `wanted`: the window's client area; `frame`: what the window manager adds
// around it (title bar, borders), which must fit too; `available`: the
// screen's area without panels.
QRect FittedGeometry(const QRect& wanted, const QMargins& frame, const QRect& available);

// Moves and shrinks the top-level `window` into its screen's available area,
// with the frame the window manager gave it (none before it is first shown).
void FitIntoScreen(QWidget& window);
// The same now, and again when the window is first shown and its frame known.
void FitIntoScreenWhenShown(QWidget& window);

}  // namespace zm48d
