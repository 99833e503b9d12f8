// The lighting frames of an effect without a device: the keyboard's or the pad's own effect, or
// the synchronised animation on the devices that follow it, rendered frame by frame as the
// lighting threads render them, from the state that choosing the mode leaves. Pauses are not
// taken; a simulated clock moves on by each frame's period instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "device/device_kind.h"
#include "device/lighting_block.h"
#include "keyboard/lighting/effect_state.h"

namespace vandrel::cli {

enum class FrameSource { kKeyboard, kPad, kSync };

struct FrameRequest {
  FrameSource source = FrameSource::kKeyboard;
  std::uint8_t keyboard_model = 0;  // 0, 1 or 3; the keyboard's own effect and the one following
  LightingBlock lighting;           // the device's block; for the animation, the common block
  std::uint32_t seed = 0;           // the random colours' seed (the zone keyboard's breathing)
  bool keyboard_follows = false;    // the animation only
  bool pad_follows = false;         // the animation only
};

// One device's part of a frame.
struct DeviceFrame {
  DeviceKind device = DeviceKind::kKeyboard;
  std::vector<std::uint8_t> payload;  // what command 18 carries; empty when nothing is sent
  std::vector<LedEntry> leds;         // the 126 keys' or the 15 LEDs' colour and level
};

// One frame: the keyboard's part first, then the pad's.
using RenderedFrame = std::vector<DeviceFrame>;

// Renders `count` frames of `request`, handing each to `take` in order.
void RenderFrames(const FrameRequest& request, std::size_t count,
                  const std::function<void(const RenderedFrame&)>& take);

// "NUMBER PAYLOAD" in lowercase hexadecimal, one " PAYLOAD" per device; with `preview` each
// device's payload is followed by its entries, " RRGGBBLL" each.
[[nodiscard]] std::string FormatFrameLine(std::size_t number, const RenderedFrame& frame,
                                          bool preview);

}  // namespace vandrel::cli
