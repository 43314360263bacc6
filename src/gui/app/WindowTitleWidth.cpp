#include "app/WindowTitleWidth.h"

#include <QFontMetrics>

int windowTitleWidth(const QString& title, const QFont& font) {
  QFont titleFont(font);
  titleFont.setBold(true);
  if (font.pointSizeF() > 0) titleFont.setPointSizeF(font.pointSizeF() * 1.1);
  // A title bar is about twice as tall as a line of text; its icon and its
  // three buttons take a square of that height each.
  const int squares = 4 * 2 * QFontMetrics(font).height();
  return QFontMetrics(titleFont).horizontalAdvance(title) + squares;
}
