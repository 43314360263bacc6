#pragma once

#include <cstdint>

/// A colour as its three components.
struct RgbColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const RgbColour&, const RgbColour&) = default;
};
