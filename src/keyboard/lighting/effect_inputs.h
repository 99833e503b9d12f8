// What the keyboard lighting engine reads besides its own state, handed in for every frame: the
// lighting settings, the custom colour set in use and a source of random numbers. The lighting
// thread passes copies it took from the keyboard's settings, so that the user interface may edit
// the settings while a frame is rendered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/lighting_block.h"

namespace vandrel {

// Bytes of one custom colour set: 126 × (R, G, B) on the per-key and zone models, 126 levels on
// the single-colour model.
inline constexpr std::size_t kCustomColourSetSize = 378;

// Random numbers for the effects that draw colours at random; tests script them.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Any byte, all equally likely.
  [[nodiscard]] virtual std::uint8_t NextByte() = 0;
};

// A small, fast generator (xorshift32) for the lighting thread.
class XorShiftRandom final : public RandomSource {
 public:
  explicit XorShiftRandom(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
  [[nodiscard]] std::uint8_t NextByte() override {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<std::uint8_t>(state_ >> 24);
  }
  // Equal generators give the same numbers from here on; every draw moves the state on.
  friend bool operator==(const XorShiftRandom& a, const XorShiftRandom& b) {
    return a.state_ == b.state_;
  }

 private:
  std::uint32_t state_;
};

struct EffectInputs {
  LightingBlock lighting;  // mode, brightness, direction, seven-colour flag, fixed colour
  // The custom set chosen for the custom modes (the set `custom_set` selects).
  std::span<const std::uint8_t, kCustomColourSetSize> custom_colours;
  RandomSource& random;
};

}  // namespace vandrel
