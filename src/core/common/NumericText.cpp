#include "common/NumericText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace numeric {
namespace {

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

double finiteOrLimit(double value) {
  if (std::isnan(value)) return 0.0;
  if (std::isinf(value))
    return value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  return value;
}

}  // namespace

double leadingValue(QStringView text) {
  // Collect the characters of the number into plain ASCII for strtod. The
  // exponent is only taken when a digit follows its letter (and sign).
  // Digits beyond what a double can tell apart are not kept: further digits
  // of the whole part only raise the exponent, further decimals change
  // nothing. So a line of millions of digits costs no more than a short one.
  constexpr int kMaxDigits = 800;
  constexpr long long kExponentLimit = 100000;
  std::string number;
  enum class Stage { Sign, Mantissa, Fraction, ExponentSign, Exponent } stage = Stage::Sign;
  int keptDigits = 0;
  bool mantissaDigits = false;
  long long droppedWholeDigits = 0;
  bool hasExponent = false;
  bool negativeExponent = false;
  long long exponent = 0;
  for (QChar c : text) {
    if (isSkipped(c)) continue;
    const char ch = static_cast<char>(c.unicode() < 128 ? c.unicode() : 0);
    switch (stage) {
      case Stage::Sign:
        if (ch == '+' || ch == '-') {
          number += ch;
          stage = Stage::Mantissa;
          continue;
        }
        stage = Stage::Mantissa;
        [[fallthrough]];
      case Stage::Mantissa:
        if (isDigit(c)) {
          mantissaDigits = true;
          if (keptDigits < kMaxDigits) {
            number += ch;
            ++keptDigits;
          } else if (droppedWholeDigits < kExponentLimit) {
            ++droppedWholeDigits;
          }
          continue;
        }
        if (ch == '.') { number += ch; stage = Stage::Fraction; continue; }
        [[fallthrough]];
      case Stage::Fraction:
        if (isDigit(c)) {
          mantissaDigits = true;
          if (keptDigits < kMaxDigits) {
            number += ch;
            ++keptDigits;
          }
          continue;
        }
        if (mantissaDigits && (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd')) {
          stage = Stage::ExponentSign;
          continue;
        }
        break;
      case Stage::ExponentSign:
        if (ch == '+' || ch == '-') {
          negativeExponent = ch == '-';
          stage = Stage::Exponent;
          continue;
        }
        stage = Stage::Exponent;
        [[fallthrough]];
      case Stage::Exponent:
        if (isDigit(c)) {
          hasExponent = true;
          exponent = std::min(exponent * 10 + (ch - '0'), kExponentLimit);
          continue;
        }
        break;
    }
    break;
  }
  if (!mantissaDigits) return 0.0;
  const long long scale = (hasExponent ? (negativeExponent ? -exponent : exponent) : 0) + droppedWholeDigits;
  if (scale != 0) number += "e" + std::to_string(scale);
  return finiteOrLimit(std::strtod(number.c_str(), nullptr));
}

double roundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  return std::nearbyint(value);  // the default rounding mode rounds halves to even
}

std::optional<std::int16_t> toInt16(double value) {
  const double r = roundHalfEven(value);
  if (!(r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max()))
    return std::nullopt;
  return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> toInt32(double value) {
  const double r = roundHalfEven(value);
  if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
    return std::nullopt;
  return static_cast<std::int32_t>(r);
}

std::int32_t clampedInt(double value, std::int32_t lo, std::int32_t hi) {
  const double r = roundHalfEven(value);
  if (std::isnan(r) || r < lo) return lo;
  if (r > hi) return hi;
  return static_cast<std::int32_t>(r);
}

std::optional<double> strictValue(QStringView text) {
  const QString trimmed = text.trimmed().toString();
  if (trimmed.isEmpty()) return std::nullopt;
  bool seenDigit = false;
  bool seenPoint = false;
  bool seenExponent = false;
  bool exponentDigit = false;
  for (qsizetype i = 0; i < trimmed.size(); ++i) {
    const QChar c = trimmed.at(i);
    if ((c == u'+' || c == u'-') &&
        (i == 0 || (seenExponent && (trimmed.at(i - 1) == u'E' || trimmed.at(i - 1) == u'e'))))
      continue;
    if (isDigit(c)) {
      (seenExponent ? exponentDigit : seenDigit) = true;
      continue;
    }
    if (c == u'.' && !seenPoint && !seenExponent) { seenPoint = true; continue; }
    if ((c == u'E' || c == u'e') && seenDigit && !seenExponent) { seenExponent = true; continue; }
    return std::nullopt;
  }
  if (!seenDigit || (seenExponent && !exponentDigit)) return std::nullopt;
  return finiteOrLimit(std::strtod(trimmed.toLatin1().constData(), nullptr));
}

QString shortestForm(double value) {
  if (value == 0.0) return QStringLiteral("0");  // also turns -0 into 0
  if (value == std::trunc(value) && std::fabs(value) < 1e15)
    return QString::number(static_cast<long long>(value));
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString signedForm(double value) {
  const QString text = shortestForm(value);
  return text.startsWith(u'-') ? text : u' ' + text;
}

}  // namespace numeric
