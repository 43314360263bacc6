#pragma once

#include "device/OmrApi.h"

#include <QImage>
#include <QString>

#include <cstdint>

/// The density grid as a picture: the column numbers across the top, and for
/// each sheet line the last digit of its number and the picture of every
/// position's darkness (the numbers 0 to 16; a darker value leaves its cell
/// empty), with a rule above every tenth line and before columns 10, 20, 30
/// and 40. Positions are those of the density window, in pixels of 15
/// twips.
namespace density_bitmap {

/// The picture of the number `value` (0 to 16), 16 by 16 pixels, black on
/// white; a null image for any other value.
QImage numberPicture(int value);

/// The grid of `marks`, lines 1 to `lineCount` (at most 155).
QImage draw(const omr::MarkBuffer& marks, std::int32_t lineCount);

/// Draws the grid and saves it as a BMP file at `path`, whole or not at all.
/// Returns the reason when it could not be saved, else empty text.
QString save(const omr::MarkBuffer& marks, std::int32_t lineCount, const QString& path);

}  // namespace density_bitmap
