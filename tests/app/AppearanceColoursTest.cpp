#include "app/AppSettings.h"
#include "app/AppearanceColours.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(AppearanceColours, ComponentsAreRoundedAndClampedBeforeTheyAreCombined) {
  const struct {
    double red, green, blue;
    std::uint32_t value;
  } cases[] = {
      {0, 0, 192, 0xC00000},
      {255, 255, 128, 0x80FFFF},
      {0.5, 1.5, 2.5, 0x020200},        // halves go to the even neighbour
      {254.6, 0.49, 127.5, 0x8000FF},
      {256, 300, 1e12, 0xFFFFFF},       // above 255 counts as 255
      {-1, -0.6, -1e12, 0x000000},      // below 0 counts as 0
      {kNaN, 7, kNaN, 0x000700},
  };
  for (const auto& c : cases)
    EXPECT_EQ(colourValue(c.red, c.green, c.blue), c.value) << c.red << ' ' << c.green << ' ' << c.blue;
}

TEST(AppearanceColours, TextColoursAreRoundedAndKeptToTwentyFourBits) {
  const struct {
    double value;
    std::uint32_t colour;
  } cases[] = {
      {65535, 65535}, {18, 18}, {18.5, 18}, {19.5, 20}, {16777215, 0xFFFFFF},
      {16777216, 0xFFFFFF}, {1e15, 0xFFFFFF}, {-1, 0}, {-2147483633, 0}, {kNaN, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(textColourValue(c.value), c.colour) << c.value;
}

TEST(AppearanceColours, DefaultSettingsGiveDarkBlueWithYellowAndAPaleHighlight) {
  const AppearanceColours colours = appearanceColours(AppSettings{});
  EXPECT_EQ(colours.base, 0xC00000U);
  EXPECT_EQ(colours.text, 65535U);
  EXPECT_EQ(colours.highlight, 0x80FFFFU);
  EXPECT_EQ(colours.highlightText, 18U);

  AppSettings settings;
  settings.BackRed = 1;
  settings.BackGreen = 2;
  settings.BackBlue = 3;
  settings.TextColor = 4.4;
  settings.HighlightRed = 999;
  settings.HighlightGreen = 0;
  settings.HighlightBlue = -5;
  settings.HighlightTextColor = 0x123456;
  EXPECT_EQ(appearanceColours(settings), (AppearanceColours{0x030201, 4, 0x0000FF, 0x123456}));
}

TEST(AppearanceColours, ComponentsOfAColourValue) {
  EXPECT_EQ(colourComponents(0x80FFFF), (RgbColour{255, 255, 128}));
  EXPECT_EQ(colourComponents(0xC00000), (RgbColour{0, 0, 192}));
  EXPECT_EQ(colourComponents(0x123456), (RgbColour{0x56, 0x34, 0x12}));
  EXPECT_EQ(colourComponents(0xFF000000), (RgbColour{0, 0, 0}));  // bits above blue are not a component
}

TEST(AppearanceColours, PickedColourIsReadFromItsHexadecimalText) {
  const struct {
    std::int32_t number;
    RgbColour colour;
  } cases[] = {
      {0x0000FF, {255, 0, 0}},
      {0x00FF00, {0, 255, 0}},
      {0xFF0000, {0, 0, 255}},
      {0x123456, {0x56, 0x34, 0x12}},
      {0xA, {10, 0, 0}},                   // "00000A": the zeros in front keep red in characters 5-6
      {0, {0, 0, 0}},
      {0xFFFFFF, {255, 255, 255}},
      {-1, {255, 255, 255}},               // off the picture: "FFFFFFFF"
      {-2, {255, 255, 255}},               // "FFFFFFFE": the last two digits are never read
      {0x1234567, {0x56, 0x34, 0x12}},     // seven digits: read from the left
      {std::numeric_limits<std::int32_t>::min(), {0, 0, 0x80}},  // "80000000"
  };
  for (const auto& c : cases) {
    const RgbColour picked = pickedColourComponents(c.number);
    EXPECT_EQ(picked, c.colour) << std::hex << c.number << ": " << int(picked.red) << ' ' << int(picked.green)
                                << ' ' << int(picked.blue);
  }
}

TEST(AppearanceColours, PickedColourOfAnyChartPixelIsThatPixelsComponents) {
  for (std::int32_t number = 0; number <= 0xFFFFFF; number += 4093)
    ASSERT_EQ(pickedColourComponents(number), colourComponents(static_cast<std::uint32_t>(number))) << number;
}

}  // namespace
