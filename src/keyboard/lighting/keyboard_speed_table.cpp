#include "keyboard/lighting/keyboard_speed_table.h"

#include <algorithm>
#include <array>

#include "keyboard/lighting/keyboard_effects.h"

namespace vandrel {
namespace {

constexpr std::size_t kModes = 19;
constexpr std::size_t kSpeeds = 15;
using SpeedTable = std::array<std::array<std::uint8_t, kSpeeds>, kModes>;

constexpr std::uint8_t Usual(std::size_t speed) { return static_cast<std::uint8_t>(9 + 4 * speed); }

// Milliseconds: 9 + 4 × speed, but for the fastest speed of a few modes, and for modes 17 and 18,
// which are one speed step slower.
constexpr SpeedTable BuildSpeedTable() {
  SpeedTable table{};
  for (auto& row : table) {
    for (std::size_t speed = 0; speed < kSpeeds; ++speed) row[speed] = Usual(speed);
  }
  table[0][0] = 2;
  table[2][14] = 63;
  table[4][0] = 3;
  table[7][0] = 3;
  table[12][0] = 3;
  table[17][0] = 0;
  table[18][0] = 65;
  for (std::size_t speed = 1; speed < kSpeeds; ++speed) {
    table[17][speed] = Usual(speed - 1);
    table[18][speed] = Usual(speed - 1);
  }
  return table;
}

constexpr SpeedTable kKeyboardSpeedTable = BuildSpeedTable();

}  // namespace

Clock::Duration KeyboardFrameSleep(std::uint8_t mode, std::uint8_t speed) {
  const std::size_t column = std::min<std::size_t>(speed, kSpeeds - 1);
  const std::uint8_t milliseconds =
      mode < kModes ? kKeyboardSpeedTable[mode][column] : Usual(column);
  return std::chrono::milliseconds(milliseconds);
}

Clock::Duration KeyboardFramePeriod(std::uint8_t model, std::uint8_t mode, std::uint8_t speed) {
  return KeyboardFrameSleep(mode, speed) + EffectTraits(model, mode).pre_delay;
}

}  // namespace vandrel
