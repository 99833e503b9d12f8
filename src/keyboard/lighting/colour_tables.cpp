#include "keyboard/lighting/colour_tables.h"

#include <algorithm>

namespace vandrel {
namespace {

// The channel that rises through a segment of the colour wheel; the falling one below.
constexpr std::array<std::uint8_t, 32> kRisingChannel = {
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255,
};
constexpr std::array<std::uint8_t, 32> kFallingChannel = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0,
};

constexpr std::array<std::uint8_t, 15> BuildBrightnessCurve() {
  std::array<std::uint8_t, 15> curve{};
  for (std::size_t b = 0; b < curve.size(); ++b) curve[b] = static_cast<std::uint8_t>(45 + 15 * b);
  return curve;
}

constexpr std::array<LedColour, 256> BuildColourWheel() {
  std::array<LedColour, 256> wheel{};
  for (std::size_t i = 0; i < 32; ++i) {
    const std::uint8_t up = kRisingChannel[i];
    const std::uint8_t down = kFallingChannel[i];
    wheel[i] = {255, up, 0};          // red → yellow
    wheel[32 + i] = {down, 255, 0};   // yellow → green
    wheel[64 + i] = {0, 255, up};     // green → cyan
    wheel[96 + i] = {0, down, 255};   // cyan → blue
    wheel[128 + i] = {up, 0, 255};    // blue → magenta
    wheel[160 + i] = {255, 0, down};  // magenta → red
  }
  for (std::size_t i = kColourWheelColours; i < wheel.size(); ++i) {
    wheel[i] = wheel[i - kColourWheelColours];
  }
  return wheel;
}

// A rise followed by the same values in reverse order.
template <std::size_t N>
constexpr std::array<std::uint8_t, 2 * N> Mirrored(const std::array<std::uint8_t, N>& rise) {
  std::array<std::uint8_t, 2 * N> curve{};
  for (std::size_t i = 0; i < N; ++i) {
    curve[i] = rise[i];
    curve[2 * N - 1 - i] = rise[i];
  }
  return curve;
}

constexpr std::array<std::uint8_t, 48> kWaveRise = {
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255,
};

constexpr std::array<std::uint8_t, 64> kBreathRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255,
};

// The pulse's flash and fade; the remaining entries up to 191 are dark.
constexpr std::uint8_t kPulseFlashAndFade[] = {
    0,   4,   8,   14,  22,  33,  45,  61,  77,  94,  114, 134, 158, 182, 206, 234,
    255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158,
    152, 146, 140, 134, 129, 124, 119, 114, 109, 104, 99,  94,  89,  85,  81,  77,
    73,  69,  65,  61,  57,  53,  49,  45,  42,  39,  36,  33,  30,  27,  24,  22,
    20,  18,  16,  14,  12,  10,  9,   8,   7,   6,   5,   4,   3,   2,   2,   1,
};

constexpr std::array<std::uint8_t, 192> BuildPulseCurve() {
  std::array<std::uint8_t, 192> curve{};
  std::copy(std::begin(kPulseFlashAndFade), std::end(kPulseFlashAndFade), curve.begin());
  return curve;
}

constexpr LedColour kPulseColours[] = {
    {255, 0, 0},   {255, 96, 0}, {255, 255, 0}, {0, 255, 0},
    {0, 255, 255}, {0, 0, 255},  {128, 0, 255}, {255, 255, 255},
};

constexpr std::array<LedColour, 256> BuildPulsePalette() {
  std::array<LedColour, 256> palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = kPulseColours[i % 8];
  return palette;
}

}  // namespace

const std::array<std::uint8_t, 15> kBrightnessCurve = BuildBrightnessCurve();
const std::array<LedColour, 256> kColourWheel = BuildColourWheel();
const std::array<std::uint8_t, 96> kWaveCurve = Mirrored(kWaveRise);
const std::array<std::uint8_t, 128> kBreathCurve = Mirrored(kBreathRise);
const std::array<std::uint8_t, 192> kPulseCurve = BuildPulseCurve();
const std::array<LedColour, 256> kPulsePalette = BuildPulsePalette();

std::uint8_t BrightnessLevel(std::uint8_t brightness) {
  return kBrightnessCurve[std::min<std::size_t>(brightness, kBrightnessCurve.size() - 1)];
}

}  // namespace vandrel
