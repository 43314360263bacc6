#include "layout/SheetPicture.h"

#include <limits>

PicturePoint fieldPointPosition(int pictureWidth, int pictureHeight, QStringView LayoutTurn, int line,
                                int column) {
  const std::int64_t x = 30 * std::int64_t{column};
  const std::int64_t y = 30 * std::int64_t{line};
  if (LayoutTurn == u"T") return {pictureWidth - x - 150, pictureHeight - y - 150};
  return {x, y};
}

void DrawFieldPoint(SheetPicture& picture, QStringView LayoutTurn, int line, int column, RgbColour colour) {
  const PicturePoint point = fieldPointPosition(picture.width(), picture.height(), LayoutTurn, line, column);
  constexpr std::int64_t kMin = std::numeric_limits<int>::min();
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  if (point.x < kMin || point.x > kMax || point.y < kMin || point.y > kMax) return;  // far off the picture
  picture.setPoint(static_cast<int>(point.x), static_cast<int>(point.y), colour);
}
