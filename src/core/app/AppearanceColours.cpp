#include "app/AppearanceColours.h"

#include "common/NumericText.h"

#include <QString>

namespace {

constexpr std::int32_t kLargestColour = 0xFFFFFF;

std::uint32_t component(double value) {
  return static_cast<std::uint32_t>(numeric::clampedInt(value, 0, 255));
}

}  // namespace

std::uint32_t colourValue(double red, double green, double blue) {
  return component(red) + 256U * component(green) + 65536U * component(blue);
}

std::uint32_t textColourValue(double value) {
  return static_cast<std::uint32_t>(numeric::clampedInt(value, 0, kLargestColour));
}

AppearanceColours appearanceColours(const AppSettings& settings) {
  return {colourValue(settings.BackRed, settings.BackGreen, settings.BackBlue),
          textColourValue(settings.TextColor),
          colourValue(settings.HighlightRed, settings.HighlightGreen, settings.HighlightBlue),
          textColourValue(settings.HighlightTextColor)};
}

RgbColour colourComponents(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value & 0xFFU), static_cast<std::uint8_t>((value >> 8) & 0xFFU),
          static_cast<std::uint8_t>((value >> 16) & 0xFFU)};
}

RgbColour pickedColourComponents(std::int32_t colourNumber) {
  const QString digits =
      QString::number(static_cast<std::uint32_t>(colourNumber), 16).toUpper().rightJustified(6, u'0');
  const auto pair = [&digits](qsizetype first) {
    return static_cast<std::uint8_t>(digits.mid(first - 1, 2).toUInt(nullptr, 16));
  };
  return {pair(5), pair(3), pair(1)};
}
