#include "keyboard/lighting/frame_encoding.h"

#include <algorithm>

#include "keyboard/lighting/keyboard_effects.h"

namespace vandrel {

void EncodeModel0Frame(const KeyboardLedFrame& frame,
                       std::span<std::uint8_t, kModel0FrameSize> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  for (std::uint8_t slot = 0; slot < kFrameSlots; ++slot) {
    const std::uint8_t led = kLedMap0[slot];
    if (led == kNoLed) continue;
    const LedEntry& entry = frame[slot];
    const std::size_t offset = 3u * led;
    out[offset] = ScaleLevel(entry.red, entry.level);
    out[offset + 1] = ScaleLevel(entry.green, entry.level);
    out[offset + 2] = ScaleLevel(entry.blue, entry.level);
  }
}

void EncodeModel3Frame(const std::array<LedColour, kZoneCount>& zone_colour,
                       std::span<std::uint8_t, kModel3FrameSize> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  for (std::size_t zone = 0; zone < kZoneCount; ++zone) {
    const LedColour colour = zone_colour[zone];
    const auto& positions = kZoneBytePositions[zone];
    for (std::size_t led = 0; led < 2; ++led) {
      out[positions[3 * led]] = colour.red;
      out[positions[3 * led + 1]] = colour.green;
      out[positions[3 * led + 2]] = colour.blue;
    }
  }
}

std::span<const std::uint8_t> EncodeKeyboardFrame(std::uint8_t model, std::uint8_t mode,
                                                  const KeyboardFrameImage& image,
                                                  KeyboardFrameBuffer& buffer) {
  if (!EffectTraits(model, mode).streamed) return {};
  if (model == 0) {
    EncodeModel0Frame(image.leds, buffer);
    return buffer;
  }
  const std::span<std::uint8_t, kModel3FrameSize> zone_bytes(buffer.data(), kModel3FrameSize);
  EncodeModel3Frame(image.zone_colour, zone_bytes);
  return zone_bytes;
}

KeyPreview PreviewOfSlot(std::uint8_t model, const KeyboardLedFrame& frame, std::uint8_t slot) {
  const LedEntry& entry = frame[slot];
  switch (model) {
    case 1:
      return {true, kSingleColourPreview, entry.level};
    case 3:
      if (kZoneOfSlot[slot] == kNoZone) return {};
      [[fallthrough]];
    case 0:
      return {true, static_cast<std::uint32_t>(entry.green << 16 | entry.blue << 8 | entry.red),
              entry.level};
    default:
      return {};
  }
}

}  // namespace vandrel
