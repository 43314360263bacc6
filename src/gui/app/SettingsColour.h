#pragma once

#include "app/AppearanceColours.h"

#include <QColor>

#include <cstdint>

/// A colour as the settings keep it (red + 256 * green + 65536 * blue) for
/// painting.
inline QColor colourOf(std::uint32_t value) {
  const RgbColour rgb = colourComponents(value);
  return {rgb.red, rgb.green, rgb.blue};
}
