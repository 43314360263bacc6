#include "layout/LayoutPreview.h"

#include "common/AnsiCodec.h"
#include "layout/LayoutItems.h"
#include "layout/LayoutList.h"
#include "layout/LayoutTable.h"

#include <QFile>

namespace {

constexpr RgbColour kPreviewColour{128, 0, 128};

// One line of the file without its line end (CR LF or a bare LF; a bare CR
// stays in the line, as the layout parse keeps it).
QString nextLine(QFile& file) {
  QByteArray bytes = file.readLine();
  if (bytes.endsWith('\n')) {
    bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
  }
  return ansi::decode(bytes);
}

}  // namespace

LayoutPreview readLayoutPreview(const QString& folder, const QString& listText, FieldRect& rect) {
  LayoutPreview preview;
  const QString path = layoutFilePath(folder, listText);
  if (path.isEmpty()) return preview;
  preview.found = true;

  QFile file(path);
  const bool readable = file.open(QIODevice::ReadOnly);
  const QString header = readable ? nextLine(file) : QString();
  const auto headerItems = layout_items::split<4>(header);
  preview.ThresholdHex = layout_items::thresholdHex(headerItems.items[2]);
  preview.LayoutTurn = headerItems.items[3].toString();
  if (!readable) return preview;

  for (int row = 1; row <= LayoutTable::kMaxFieldCount && !file.atEnd(); ++row) {
    const QString line = nextLine(file);
    if (line.isEmpty()) break;
    const auto items = layout_items::split<4>(line);
    if (items.items[0].startsWith(u'/')) continue;
    rect.setRow(row, {layout_items::int16Item(items.items[0]), layout_items::int16Item(items.items[1]),
                      layout_items::int16Item(items.items[2]), layout_items::int16Item(items.items[3])});
    preview.rows.append(row);
  }
  return preview;
}

void drawLayoutPreview(SheetPicture& picture, const LayoutPreview& preview, const FieldRect& rect) {
  for (const int row : preview.rows) markFieldBlock(picture, preview.LayoutTurn, rect.row(row), kPreviewColour);
}
