#include "app/WindowPlacement.h"

#include <algorithm>

WindowPlacement placeWindow(QSize preferred, QSize minimum, const QRect& available, const QMargins& frame) {
  const QSize room = available.marginsRemoved(frame).size();
  WindowPlacement placement;
  placement.fillsScreen = preferred.width() > room.width() || preferred.height() > room.height();
  const QSize size = (placement.fillsScreen ? room : preferred).expandedTo(minimum);
  // A window larger than the free area keeps its title bar on the screen,
  // where the operator can take hold of it.
  const QSize framed = size.grownBy(frame);
  const int left = available.left() + std::max(0, (available.width() - framed.width()) / 2);
  const int top = available.top() + std::max(0, (available.height() - framed.height()) / 2);
  placement.geometry = QRect(QPoint(left + frame.left(), top + frame.top()), size);
  return placement;
}
