#include "reading/DensityText.h"

#include <algorithm>

namespace density_text {

QString twoDigits(int value) {
  QString text = QString::number(value);
  if (text.size() < 2) text.prepend(u'0');
  return text;
}

QString header() {
  QString text = QStringLiteral("   ");
  for (int column = 1; column <= omr::kSheetColumns; ++column) text += twoDigits(column) + u' ';
  return text;
}

QStringList lines(const omr::MarkBuffer& marks, std::int32_t lineCount) {
  QStringList result{header()};
  const int count = std::clamp<std::int32_t>(lineCount, 0, omr::kSheetLines);
  for (int line = 1; line <= count; ++line) {
    QString row = twoDigits(line) + u' ';
    for (int column = 1; column <= omr::kSheetColumns; ++column)
      row += twoDigits(marks[static_cast<size_t>((line - 1) * omr::kSheetColumns + (column - 1))]) + u' ';
    result.append(row);
  }
  return result;
}

}  // namespace density_text
