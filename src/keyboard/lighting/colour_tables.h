// The constant colour and intensity tables of the host-rendered lighting effects. The keyboard's
// effects, the mouse pad's and the synchronised ones all draw from these same tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vandrel {

struct LedColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr bool operator==(const LedColour&, const LedColour&) = default;
};

// Level of brightness b (0-14): 45 + 15 × b.
extern const std::array<std::uint8_t, 15> kBrightnessCurve;

// 192 colours around the hue circle in six segments of 32 (red, yellow, green, cyan, blue,
// magenta and back to red). Entries 192-255 repeat 0-63, so that any byte is a valid position.
inline constexpr std::size_t kColourWheelColours = 192;
extern const std::array<LedColour, 256> kColourWheel;

// 96 wave levels: a rise from 22 to 255 and the same fall.
extern const std::array<std::uint8_t, 96> kWaveCurve;
// 128 breathing levels: a rise from 0 to 255 and the same fall.
extern const std::array<std::uint8_t, 128> kBreathCurve;
// 192 pulse levels: a quick flash to 255, a slow fade and a dark rest.
extern const std::array<std::uint8_t, 192> kPulseCurve;
// The colours of the pulsing keys; entries 8-255 repeat the first eight.
extern const std::array<LedColour, 256> kPulsePalette;

// Integer product of two levels or of a channel and a level: x × y >> 8.
[[nodiscard]] constexpr std::uint8_t ScaleLevel(std::uint8_t x, std::uint8_t y) {
  return static_cast<std::uint8_t>((x * y) >> 8);
}

[[nodiscard]] constexpr LedColour ScaleColour(LedColour colour, std::uint8_t level) {
  return {ScaleLevel(colour.red, level), ScaleLevel(colour.green, level),
          ScaleLevel(colour.blue, level)};
}

// BrightnessCurve[brightness]; a brightness above 14 counts as 14.
[[nodiscard]] std::uint8_t BrightnessLevel(std::uint8_t brightness);

}  // namespace vandrel
