#include "app/window_geometry.h"

#include <algorithm>

namespace zm48d {

namespace {

// One axis: a length no longer than the room, and a start that keeps it inside.
std::pair<int, int> Fitted(int start, int length, int roomStart, int room) {
  const int fitted = std::min(length, room);
  return {std::clamp(start, roomStart, roomStart + room - fitted), fitted};
}

}  // namespace

QRect FittedGeometry(const QRect& wanted, const QMargins& frame, const QRect& available) {
  const QRect outer = wanted.marginsAdded(frame);
  const auto [x, width] = Fitted(outer.x(), outer.width(), available.x(), available.width());
  const auto [y, height] = Fitted(outer.y(), outer.height(), available.y(), available.height());
  return QRect(x, y, width, height).marginsRemoved(frame);
}

}  // namespace zm48d
