#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

/// Number reading and writing shared by the settings file and layout files.
///
/// Both file formats store numbers as loose text: blanks may stand anywhere,
/// the number ends at the first character that cannot belong to it, and text
/// without digits counts as zero. Integers are stored rounded to the nearest
/// whole number, halves to the even neighbour.
namespace numeric {

/// The leading number of a text. Blanks, tabs and line feeds are skipped
/// wherever they stand; an optional sign, digits, one decimal point and an
/// exponent (E or D) are taken up to the first other character. No digits
/// gives 0. A value too large for a double gives +/- the largest double.
double leadingValue(QStringView text);

/// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value);

/// `value` rounded half to even when it fits a 16-bit integer, else nothing.
std::optional<std::int16_t> toInt16(double value);

/// `value` rounded half to even when it fits a 32-bit integer, else nothing.
std::optional<std::int32_t> toInt32(double value);

/// `value` rounded half to even and clamped into [lo, hi].
std::int32_t clampedInt(double value, std::int32_t lo, std::int32_t hi);

/// A strict conversion of a whole text to a number: blanks around it are
/// allowed, anything else that is not part of the number makes it fail.
/// Empty text fails.
std::optional<double> strictValue(QStringView text);

/// The shortest decimal form of a value: 12, -3, 2.5, 0.125.
QString shortestForm(double value);

/// A number as the program writes it into texts: one leading blank when not
/// negative (" 12", "-3").
QString signedForm(double value);

}  // namespace numeric
