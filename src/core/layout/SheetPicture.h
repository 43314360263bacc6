#pragma once

#include "common/RgbColour.h"

#include <QStringView>

#include <cstdint>

/// The sheet picture of the main window (Picture1): the layout preview and
/// the marks that point the operator at a field. Coordinates are the
/// picture's own units: 30 per reading line and per column. The window
/// draws it; the core only sets points.
class SheetPicture {
 public:
  virtual ~SheetPicture() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  /// Sets one point. Points off the picture are ignored.
  virtual void setPoint(int x, int y, RgbColour colour) = 0;
};

/// Where reading line `line`, column `column` stands on the picture: x = 30
/// * column, y = 30 * line; on a form fed turned (`LayoutTurn` "T") mirrored
/// in both directions, 150 units in from the far edges.
struct PicturePoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
};
PicturePoint fieldPointPosition(int pictureWidth, int pictureHeight, QStringView LayoutTurn, int line,
                                int column);

/// Sets the point of reading line `line`, column `column` in `colour`.
void DrawFieldPoint(SheetPicture& picture, QStringView LayoutTurn, int line, int column, RgbColour colour);
