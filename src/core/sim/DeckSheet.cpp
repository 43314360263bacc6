#include "sim/DeckSheet.h"

#include <algorithm>

omr::MarkBuffer DeckSheet::markBuffer(Side side, int lineCount) const {
  omr::MarkBuffer buffer{};
  const int lastLine = std::clamp(lineCount, 0, omr::kSheetLines);
  for (const Mark& mark : marks(side)) {
    // Marks come from a validated deck, but a sheet built in code may hold
    // anything: nothing outside the buffer is ever written.
    if (mark.line < 1 || mark.line > lastLine || mark.column < 1 || mark.column > omr::kSheetColumns)
      continue;
    buffer[static_cast<std::size_t>((mark.line - 1) * omr::kSheetColumns + (mark.column - 1))] =
        mark.darkness;
  }
  return buffer;
}

QList<DeckSheet::Mark> DeckSheet::marksFrom(const omr::MarkBuffer& buffer) {
  QList<Mark> marks;
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    if (buffer[i] == 0) continue;
    const int index = static_cast<int>(i);
    marks.append({static_cast<std::int16_t>(index / omr::kSheetColumns + 1),
                  static_cast<std::int16_t>(index % omr::kSheetColumns + 1), buffer[i]});
  }
  return marks;
}
