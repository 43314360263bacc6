#include "DensityBitmap.h"

#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>

namespace density_bitmap {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kCell = 16;

// Digits of three by five dots, drawn two pixels per dot.
constexpr std::array<std::array<const char*, 5>, 10> kDigits = {{
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"}, {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"},
}};

int pixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

void drawDigit(QImage& image, int digit, int left, int top) {
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 3; ++column)
      if (kDigits[static_cast<size_t>(digit)][static_cast<size_t>(row)][column] == '#')
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) image.setPixel(left + 2 * column + dx, top + 2 * row + dy, 0xFF000000);
}

}  // namespace

QImage numberPicture(int value) {
  if (value < 0 || value > 16) return {};
  QImage picture(kCell, kCell, QImage::Format_RGB32);
  picture.fill(Qt::white);
  const QString digits = QString::number(value);
  const int width = static_cast<int>(digits.size()) * 7 - 1;
  int left = (kCell - width) / 2;
  for (QChar digit : digits) {
    drawDigit(picture, digit.digitValue(), left, 3);
    left += 7;
  }
  return picture;
}

QImage draw(const omr::MarkBuffer& marks, std::int32_t lineCount) {
  const int lines = std::clamp<std::int32_t>(lineCount, 0, omr::kSheetLines);
  const int width = pixels(225.0 * (omr::kSheetColumns + 1)) + kCell;
  const int height = pixels(230.0 * (lines + 1)) + kCell;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  // The column numbers: those up to 16 have a picture of their own, the
  // others get their two digits drawn the same way.
  for (int column = 1; column <= omr::kSheetColumns; ++column) {
    const int left = pixels(225.0 * column);
    if (column <= 16) {
      painter.drawImage(left, 0, numberPicture(column));
    } else {
      drawDigit(image, column / 10, left + 1, 3);
      drawDigit(image, column % 10, left + 8, 3);
    }
  }
  for (int line = 1; line <= lines; ++line) {
    const int top = pixels(230.0 * line);
    painter.drawImage(pixels(50), top, numberPicture(line % 10));
    if (line % 10 == 0) painter.drawLine(pixels(50), pixels(230.0 * line - 50), pixels(11000), pixels(230.0 * line - 50));
    for (int column = 1; column <= omr::kSheetColumns; ++column) {
      const int value = marks[static_cast<size_t>((line - 1) * omr::kSheetColumns + (column - 1))];
      const QImage picture = numberPicture(value);
      if (!picture.isNull()) painter.drawImage(pixels(225.0 * column), top, picture);
    }
  }
  for (int k = 1; k <= 4; ++k)
    painter.drawLine(pixels(2250.0 * k), pixels(230), pixels(2250.0 * k), pixels(230.0 * lines + 230));
  painter.end();
  return image;
}

QString save(const omr::MarkBuffer& marks, std::int32_t lineCount, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (!draw(marks, lineCount).save(&file, "BMP")) {
    file.cancelWriting();
    return QStringLiteral("the picture could not be written");
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace density_bitmap
