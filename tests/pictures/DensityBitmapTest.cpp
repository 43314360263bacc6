#include "windows/DensityBitmap.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int darkPixels(const QImage& image, QRect area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ++dark;
  return dark;
}

TEST(DensityBitmap, NumbersZeroToSixteenHavePictures) {
  for (int value = 0; value <= 16; ++value) {
    const QImage picture = density_bitmap::numberPicture(value);
    ASSERT_EQ(picture.size(), QSize(16, 16)) << value;
    EXPECT_GT(darkPixels(picture, picture.rect()), 0) << value;
  }
  EXPECT_NE(density_bitmap::numberPicture(8), density_bitmap::numberPicture(3));
  EXPECT_TRUE(density_bitmap::numberPicture(17).isNull());
  EXPECT_TRUE(density_bitmap::numberPicture(-1).isNull());
}

TEST(DensityBitmap, GridCellsShowTheirValueOrStayEmpty) {
  omr::MarkBuffer marks{};
  marks[0] = 9;         // line 1, column 1
  marks[48 + 1] = 200;  // line 2, column 2: darker than any picture
  const QImage grid = density_bitmap::draw(marks, 70);
  EXPECT_EQ(grid.width(), 751);
  EXPECT_EQ(grid.height(), 1105);  // to the foot of the rules below line 70, and a cell
  const QRect lineOneColumnOne(15, 15, 16, 16);
  const QRect lineTwoColumnTwo(30, 31, 16, 16);
  EXPECT_EQ(grid.copy(lineOneColumnOne), density_bitmap::numberPicture(9));
  EXPECT_EQ(darkPixels(grid, lineTwoColumnTwo), 0);
}

TEST(DensityBitmap, NoLinesGiveTheHeaderOnly) {
  const QImage grid = density_bitmap::draw(omr::MarkBuffer{}, 0);
  EXPECT_EQ(grid.height(), 31);
  EXPECT_GT(darkPixels(grid, QRect(15, 0, 16, 16)), 0);  // column 1's number
}

TEST(DensityBitmap, SavedAsABitmapFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("gecici2.bmp");
  EXPECT_EQ(density_bitmap::save(omr::MarkBuffer{}, 5, path), QString());
  QImage read;
  ASSERT_TRUE(read.load(path, "BMP"));
  EXPECT_EQ(read.size(), density_bitmap::draw(omr::MarkBuffer{}, 5).size());
  EXPECT_FALSE(density_bitmap::save(omr::MarkBuffer{}, 5, dir.filePath("no/such/gecici2.bmp")).isEmpty());
}

}  // namespace
