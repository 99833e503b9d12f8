// LightingBlock: the 8-byte lighting settings every device keeps in the same layout, so that one
// device's lighting can be copied onto the others ("same mode"). Brightness b gives the level
// 45 + 15 × b on a 0-255 scale; speed 0 is the fastest.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace vandrel {

struct LightingBlock {
  std::uint8_t mode = 0;          // 0: effect number, meaning per device
  std::uint8_t brightness = 0;    // 1: 0-14
  std::uint8_t speed = 0;         // 2: 0-14, 0 fastest
  std::uint8_t direction = 0;     // 3: 1 leftward, 0 rightward
  std::uint8_t seven_colour = 0;  // 4: 1 cycles through the colour wheel, 0 fixed colour
  std::uint8_t red = 0;           // 5
  std::uint8_t green = 0;         // 6
  std::uint8_t blue = 0;          // 7

  static constexpr std::size_t kSize = 8;
  friend constexpr bool operator==(const LightingBlock&, const LightingBlock&) = default;
};
static_assert(sizeof(LightingBlock) == LightingBlock::kSize);

[[nodiscard]] inline std::array<std::uint8_t, LightingBlock::kSize> Encode(
    const LightingBlock& block) {
  return std::bit_cast<std::array<std::uint8_t, LightingBlock::kSize>>(block);
}

[[nodiscard]] inline LightingBlock DecodeLightingBlock(
    std::span<const std::uint8_t, LightingBlock::kSize> bytes) {
  std::array<std::uint8_t, LightingBlock::kSize> copy{};
  std::copy(bytes.begin(), bytes.end(), copy.begin());
  return std::bit_cast<LightingBlock>(copy);
}

// The fixed colour as the lighting pages show it: opaque 0xAARRGGBB.
[[nodiscard]] constexpr std::uint32_t FixedColourArgb(const LightingBlock& block) {
  return 0xFF000000U | static_cast<std::uint32_t>(block.red) << 16 |
         static_cast<std::uint32_t>(block.green) << 8 | block.blue;
}

// Makes the red, green and blue of `argb` (0xAARRGGBB) the fixed colour, which ends seven-colour
// cycling.
constexpr void StoreFixedColour(LightingBlock& block, std::uint32_t argb) {
  block.red = static_cast<std::uint8_t>((argb >> 16) & 0xFFU);
  block.green = static_cast<std::uint8_t>((argb >> 8) & 0xFFU);
  block.blue = static_cast<std::uint8_t>(argb & 0xFFU);
  block.seven_colour = 0;
}

// Sets one component of the fixed colour (0 red, 1 green, 2 blue; others change nothing), which
// ends seven-colour cycling.
constexpr void StoreColourComponent(LightingBlock& block, int component, std::uint8_t value) {
  constexpr std::array<std::uint8_t LightingBlock::*, 3> kFields = {
      &LightingBlock::red, &LightingBlock::green, &LightingBlock::blue};
  if (component < 0 || component >= static_cast<int>(kFields.size())) return;
  block.*kFields[static_cast<std::size_t>(component)] = value;
  block.seven_colour = 0;
}

}  // namespace vandrel
