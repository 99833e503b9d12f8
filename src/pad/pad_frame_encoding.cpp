#include "pad/pad_frame_encoding.h"

namespace vandrel {
namespace {

std::uint8_t Dimmed(std::uint8_t component, std::uint8_t level) {
  return static_cast<std::uint8_t>(component * level >> 8);
}

}  // namespace

std::array<std::uint8_t, kPadFrameSize> EncodePadFrame(const PadFrame& frame) {
  std::array<std::uint8_t, kPadFrameSize> payload{};
  for (std::size_t led = 0; led < kPadLedCount; ++led) {
    const LedEntry& entry = frame[led];
    payload[3 * led] = Dimmed(entry.red, entry.level);
    payload[3 * led + 1] = Dimmed(entry.green, entry.level);
    payload[3 * led + 2] = Dimmed(entry.blue, entry.level);
  }
  return payload;
}

}  // namespace vandrel
