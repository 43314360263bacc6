#include "layout/FieldRect.h"

#include "layout/SheetPicture.h"

#include <algorithm>

FieldRect FieldRect::fromLayout(const LayoutTable& layout) {
  FieldRect rect;
  for (qsizetype i = 0; i < layout.fields.size(); ++i) {
    const FieldDefinition& field = layout.fields[i];
    rect.setRow(static_cast<int>(i + 1),
                {field.FieldLineFrom, field.FieldLineTo, field.FieldColFrom, field.FieldColTo});
  }
  return rect;
}

void FieldRect::setRow(int row, Block block) {
  if (row >= 1 && row <= m_rows.size()) m_rows[row - 1] = block;
}

FieldRect::Block FieldRect::row(int row) const {
  if (row < 1 || row > m_rows.size()) return {};
  return m_rows[row - 1];
}

namespace {

// The part of from..to whose points 30 * n (or extent - 30 * n - 150 when
// turned) can lie in 0..extent - 1.
std::pair<std::int64_t, std::int64_t> visibleSpan(std::int64_t from, std::int64_t to, std::int64_t extent,
                                                  bool turned) {
  std::int64_t lo = 0;
  std::int64_t hi = (extent - 1) / 30;
  if (turned) {
    lo = -(149 / 30);          // extent - 30 * n - 150 <= extent - 1
    hi = (extent - 150) / 30;  // extent - 30 * n - 150 >= 0
    if (extent < 150) hi = -((150 - extent + 29) / 30);
  }
  return {std::max(from, lo), std::min(to, hi)};
}

}  // namespace

void markFieldBlock(SheetPicture& picture, QStringView LayoutTurn, const FieldRect::Block& block,
                    RgbColour colour) {
  const bool turned = LayoutTurn == u"T";
  const auto [lineLo, lineHi] = visibleSpan(block.lineFrom, block.lineTo, picture.height(), turned);
  const auto [colLo, colHi] = visibleSpan(block.colFrom, block.colTo, picture.width(), turned);
  for (std::int64_t line = lineLo; line <= lineHi; ++line) {
    for (std::int64_t column = colLo; column <= colHi; ++column)
      DrawFieldPoint(picture, LayoutTurn, static_cast<int>(line), static_cast<int>(column), colour);
  }
}
