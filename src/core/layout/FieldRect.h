#pragma once

#include "layout/LayoutTable.h"
#include "layout/SheetPicture.h"

#include <QList>
#include <QStringView>

#include <cstdint>

/// The blocks of a layout's fields on the sheet, one row per field line:
/// first and last reading line, first and last column. The start-of-run
/// prompts and the sheet checks mark a field by its block.
class FieldRect {
 public:
  struct Block {
    std::int32_t lineFrom = 0;
    std::int32_t lineTo = 0;
    std::int32_t colFrom = 0;
    std::int32_t colTo = 0;

    friend bool operator==(const Block&, const Block&) = default;
  };

  /// The blocks of every field of `layout`, front and back side alike.
  static FieldRect fromLayout(const LayoutTable& layout);

  /// Sets row `row` (1 to 500); other rows are ignored.
  void setRow(int row, Block block);
  /// Row `row`; an empty block (0..0) for rows never set or outside 1 to 500.
  Block row(int row) const;

 private:
  QList<Block> m_rows = QList<Block>(LayoutTable::kMaxFieldCount);
};

/// Marks the block of row `row` point by point on `picture` in `colour`,
/// mirrored for a form fed turned. Only the points that can fall on the
/// picture are visited, so a block of absurd size costs nothing.
void markFieldBlock(SheetPicture& picture, QStringView LayoutTurn, const FieldRect::Block& block,
                    RgbColour colour);
