// Turning a rendered keyboard frame into what leaves the engine: the payload of command 18 for the
// keyboard (378 bytes of per-key colour on model 0, 36 bytes of zone colour on model 3, nothing on
// model 1 or for the modes the keyboard animates itself) and the light of each key button of the
// preview.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "keyboard/lighting/effect_state.h"

namespace vandrel {

inline constexpr std::size_t kModel0FrameSize = 378;  // 126 LEDs × R, G, B
inline constexpr std::size_t kModel3FrameSize = 36;   // 6 zones × 2 LEDs × R, G, B
using KeyboardFrameBuffer = std::array<std::uint8_t, kModel0FrameSize>;

// Each slot's colour dimmed by its level, at 3 × its LED index; LEDs without a slot stay 0.
void EncodeModel0Frame(const KeyboardLedFrame& frame,
                       std::span<std::uint8_t, kModel0FrameSize> out);

// Each zone's colour at its two LEDs' byte positions.
void EncodeModel3Frame(const std::array<LedColour, kZoneCount>& zone_colour,
                       std::span<std::uint8_t, kModel3FrameSize> out);

// What the keyboard is sent and the preview shows: the per-key frame and, on model 3, the zone
// colours.
struct KeyboardFrameImage {
  KeyboardLedFrame leds{};
  std::array<LedColour, kZoneCount> zone_colour{};
  friend bool operator==(const KeyboardFrameImage&, const KeyboardFrameImage&) = default;
};

// The payload to send for the frame of `mode` on `model`, encoded into `buffer`; an empty span
// when nothing is sent.
[[nodiscard]] std::span<const std::uint8_t> EncodeKeyboardFrame(std::uint8_t model,
                                                                std::uint8_t mode,
                                                                const KeyboardFrameImage& image,
                                                                KeyboardFrameBuffer& buffer);

// The light colour every key button of the single-colour keyboard shows (as G, B, R bytes).
inline constexpr std::uint32_t kSingleColourPreview = 0xF6FF00;

struct KeyPreview {
  bool shown = false;              // false: the button is left as it is
  std::uint32_t light_colour = 0;  // (G << 16) | (B << 8) | R
  std::uint8_t light_alpha = 0;    // the entry's level
};

// How the key button of `slot` previews the frame. Model 3 shows only the slots of its zones;
// model 2 shows nothing.
[[nodiscard]] KeyPreview PreviewOfSlot(std::uint8_t model, const KeyboardLedFrame& frame,
                                       std::uint8_t slot);

}  // namespace vandrel
