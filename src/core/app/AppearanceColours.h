#pragma once

#include "app/AppSettings.h"
#include "common/RgbColour.h"

#include <cstdint>

/// The colours of the main window's status area, in the form the settings
/// keep colours: red + 256 * green + 65536 * blue.
struct AppearanceColours {
  std::uint32_t base = 0;           ///< window and status labels background
  std::uint32_t text = 0;           ///< their text colour (TextColor)
  std::uint32_t highlight = 0;      ///< last-record labels (Label8, Label9) background
  std::uint32_t highlightText = 0;  ///< their text colour (HighlightTextColor)

  friend bool operator==(const AppearanceColours&, const AppearanceColours&) = default;
};

/// One colour value from three components held as reals: each is rounded
/// to the nearest integer (halves to even), a component above 255 counting
/// as 255 and one below 0 (or not a number) as 0.
std::uint32_t colourValue(double red, double green, double blue);

/// A text colour (TextColor, HighlightTextColor): rounded to the nearest
/// integer, kept within 0..0xFFFFFF.
std::uint32_t textColourValue(double value);

/// The four colours of the settings' appearance values.
AppearanceColours appearanceColours(const AppSettings& settings);

/// The components of a colour value.
RgbColour colourComponents(std::uint32_t value);

/// The outer colour picked from the appearance window's chart: the colour
/// number (red + 256 * green + 65536 * blue; -1 for a point off the
/// picture) written in upper-case hexadecimal, a negative number in its
/// 32-bit form, with zeros in front up to six digits; then red is read
/// from characters 5-6, green from 3-4, blue from 1-2, counted from the
/// left. A point off the picture so gives white; a number of more than six
/// digits gives its six leftmost ones.
RgbColour pickedColourComponents(std::int32_t colourNumber);
