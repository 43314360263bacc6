#pragma once

#include "layout/FieldRect.h"
#include "layout/SheetPicture.h"

#include <QList>
#include <QString>

/// What the preview read from a layout file.
struct LayoutPreview {
  bool found = false;    ///< a layout file exists for the list's text
  QString ThresholdHex;  ///< header item 3, as the layout parse keeps it
  QString LayoutTurn;    ///< header item 4
  QList<int> rows;       ///< the FieldRect rows this preview wrote, in order
};

/// Reads the layout named by the list's text (NAME.omrf in `folder`, any
/// letter case) for the preview. The text is read in code page 1254, also
/// for UTF-8 files, since only numbers and header item 4 are used. Field
/// lines are read until the end of the file or the first empty line; row r
/// of `rect` takes items 1 to 4 of the r-th field line read as numbers (0
/// when not numbers), except for a line whose first item begins with "/",
/// whose row keeps what it held. Rows beyond 500 are neither stored nor
/// read. A missing file gives found = false and leaves `rect` alone; a file
/// that cannot be read previews as an empty one.
LayoutPreview readLayoutPreview(const QString& folder, const QString& listText, FieldRect& rect);

/// Draws the block of every row the preview wrote, point by point, in
/// purple (128, 0, 128), mirrored for a form fed turned. The caller resets
/// the picture first.
void drawLayoutPreview(SheetPicture& picture, const LayoutPreview& preview, const FieldRect& rect);
