#pragma once
// Where the main window opens: its own size and place when they fit the screen's
// available area, else moved and shrunk into it, so that no edge, menu or status
// bar starts off the screen.
#include <QMargins>
#include <QRect>

namespace zm48d {

// `wanted`: the window's client area; `frame`: what the window manager adds
// around it (title bar, borders), which must fit too; `available`: the
// screen's area without panels.
QRect FittedGeometry(const QRect& wanted, const QMargins& frame, const QRect& available);

}  // namespace zm48d
