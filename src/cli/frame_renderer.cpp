#include "cli/frame_renderer.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "cli/output.h"
#include "core/manual_clock.h"
#include "keyboard/lighting/effect_inputs.h"
#include "keyboard/lighting/frame_encoding.h"
#include "lighting/keyboard_pass.h"
#include "lighting/sync_effects.h"
#include "pad/pad_effects.h"
#include "pad/pad_frame_encoding.h"

namespace vandrel::cli {
namespace {

template <typename Leds>
DeviceFrame MakeDeviceFrame(DeviceKind device, std::span<const std::uint8_t> payload,
                            const Leds& leds) {
  return {device, {payload.begin(), payload.end()}, {leds.begin(), leds.end()}};
}

DeviceFrame KeyboardPart(std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
  KeyboardFrameBuffer buffer{};
  return MakeDeviceFrame(DeviceKind::kKeyboard, EncodeKeyboardFrame(model, mode, image, buffer),
                         image.leds);
}

DeviceFrame PadPart(const PadFrame& frame) {
  const auto payload = EncodePadFrame(frame);
  return MakeDeviceFrame(DeviceKind::kPad, payload, frame);
}

// The keyboard's own effect. No custom colours are read from a keyboard, so the custom modes
// show every key dark.
class KeyboardFrames {
 public:
  explicit KeyboardFrames(const FrameRequest& request)
      : model_(request.keyboard_model), lighting_(request.lighting), random_(request.seed) {
    StartEffectMode(model_, lighting_.mode, effect_);
  }

  RenderedFrame Next() {
    const EffectInputs inputs{lighting_, custom_colours_, random_};
    RenderKeyboardImage(model_, inputs, effect_, image_);
    RenderedFrame frame{KeyboardPart(model_, lighting_.mode, image_)};
    FinishKeyboardPass(effect_);
    return frame;
  }

 private:
  std::uint8_t model_;
  LightingBlock lighting_;
  XorShiftRandom random_;
  EffectState effect_;
  KeyboardFrameImage image_;
  std::array<std::uint8_t, kCustomColourSetSize> custom_colours_{};
};

// The pad's own effect, on a clock that moves on by the thread's pauses instead of taking them.
class PadFrames {
 public:
  explicit PadFrames(const FrameRequest& request) : lighting_(request.lighting) {
    StartPadMode(lighting_.mode, effect_);
  }

  RenderedFrame Next() {
    clock_.Sleep(PadFrameDelay(lighting_.mode, lighting_.speed));
    clock_.Sleep(PadPreDelay(lighting_));
    clock_.Sleep(RenderPadFrame(lighting_, effect_, frame_, clock_.Now()));
    return {PadPart(frame_)};
  }

 private:
  LightingBlock lighting_;
  PadEffectState effect_;
  PadFrame frame_{};
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
};

// The synchronised animation. Same mode gave the keyboard the common block, so the keyboard's
// frame is sent as one of the common mode.
class SyncFrames {
 public:
  explicit SyncFrames(const FrameRequest& request)
      : model_(request.keyboard_model), common_(request.lighting) {
    if (request.keyboard_follows) keyboard_.emplace();
    if (request.pad_follows) pad_.emplace();
  }

  RenderedFrame Next() {
    RenderSyncFrame(common_, sync_step_,
                    {keyboard_ ? &*keyboard_ : nullptr, pad_ ? &*pad_ : nullptr});
    RenderedFrame frame;
    if (keyboard_) frame.push_back(KeyboardPart(model_, common_.mode, *keyboard_));
    if (pad_) frame.push_back(PadPart(*pad_));
    return frame;
  }

 private:
  std::uint8_t model_;
  LightingBlock common_;
  std::uint8_t sync_step_ = 0;
  std::optional<KeyboardFrameImage> keyboard_;
  std::optional<PadFrame> pad_;
};

template <typename Frames>
void Render(const FrameRequest& request, std::size_t count,
            const std::function<void(const RenderedFrame&)>& take) {
  Frames frames(request);
  for (std::size_t i = 0; i < count; ++i) take(frames.Next());
}

}  // namespace

void RenderFrames(const FrameRequest& request, std::size_t count,
                  const std::function<void(const RenderedFrame&)>& take) {
  switch (request.source) {
    case FrameSource::kKeyboard:
      Render<KeyboardFrames>(request, count, take);
      break;
    case FrameSource::kPad:
      Render<PadFrames>(request, count, take);
      break;
    case FrameSource::kSync:
      Render<SyncFrames>(request, count, take);
      break;
  }
}

std::string FormatFrameLine(std::size_t number, const RenderedFrame& frame, bool preview) {
  std::string line = std::to_string(number);
  for (const DeviceFrame& device : frame) {
    line += ' ' + LowerHex(device.payload);
    if (!preview) continue;
    for (const LedEntry& led : device.leds) {
      const std::array entry = {led.red, led.green, led.blue, led.level};
      line += ' ' + LowerHex(entry);
    }
  }
  return line;
}

}  // namespace vandrel::cli
