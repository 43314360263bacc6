#pragma once

#include "device/OmrApi.h"

#include <QStringList>

#include <cstdint>

/// The density grid as text: the header of column numbers, then one line
/// per sheet line with its number and the 48 darkness values, every number
/// written with at least two digits ("07", "12") and followed by a blank.
namespace density_text {

/// Two-digit form of a number: a "0" in front of a single digit.
QString twoDigits(int value);

/// The header line (three blanks, then the column numbers).
QString header();

/// The header, then lines 1 to `lineCount` (at most 155) of `marks`.
QStringList lines(const omr::MarkBuffer& marks, std::int32_t lineCount);

}  // namespace density_text
