#include <optional>

#include "keyboard/keyboard_model.h"
#include "keyboard/lighting/keyboard_effects.h"
#include "keyboard/lighting/keyboard_speed_table.h"
#include "lighting/keyboard_pass.h"
#include "lighting/lighting_threads.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kStartDelay = std::chrono::milliseconds(1000);
constexpr Clock::Duration kAbsentPause = std::chrono::milliseconds(100);

}  // namespace

void RenderKeyboardImage(std::uint8_t model, const EffectInputs& inputs, EffectState& effect,
                         KeyboardFrameImage& image) {
  effect.zone_colour = image.zone_colour;
  RenderKeyboardFrame(model, inputs, effect, image.leds);
  image.zone_colour = effect.zone_colour;
}

void FinishKeyboardPass(EffectState& effect) { ++effect.colour_counter; }

KeyboardLightingThread::KeyboardLightingThread(const LightingThreadInputs& inputs)
    : in_(inputs), random_(kKeyboardEffectSeed) {}

void KeyboardLightingThread::Run(Event& stop) {
  RunLightingLoop(
      in_.clock, stop, kStartDelay, kKeyboardLightingExit, [this] { Pass(); },
      in_.channels.connections, [this] { return in_.channels.keyboard.connected(); });
}

// The page's requests are taken after the pause and before the lighting the frame is rendered
// from is read: the page changes the lighting before it queues, so a mode chosen during the pause
// is rendered only once its reset and seed are applied, and never the other way round.
void KeyboardLightingThread::Pass() {
  const LightingBlock pace = in_.keyboard.Lighting();
  SleepFor(in_.clock, KeyboardFrameSleep(pace.mode, pace.speed));
  in_.keyboard.engine_requests.ApplyPending(effect_);
  const DeviceChannel& channel = in_.channels.keyboard;
  if (!channel.connected()) {
    in_.clock.Sleep(kAbsentPause);
    return;
  }
  if (!channel.sync_lighting() && in_.keyboard.lighting_known.load()) {
    const std::optional<KeyboardModel> model = KeyboardModelOf(in_.keyboard_model());
    if (model && *model != KeyboardModel::kPerKeyOwn)
      RenderAndSend(static_cast<std::uint8_t>(*model));
  }
  FinishKeyboardPass(effect_);
}

// Renders onto the frame last published (the synchronised animation may have written it), so that
// the keys an effect leaves alone keep what they showed.
void KeyboardLightingThread::RenderAndSend(std::uint8_t model) {
  const KeyboardLightingSnapshot snapshot = in_.keyboard.LightingSnapshot();
  const std::uint8_t mode = snapshot.lighting.mode;
  SleepFor(in_.clock, EffectTraits(model, mode).pre_delay);
  const bool first = !in_.keyboard.FrameRendered();
  image_ = in_.keyboard.frame.Read();
  const KeyboardFrameImage start = image_;
  const EffectInputs inputs{snapshot.lighting, snapshot.custom.Current(), random_};
  RenderKeyboardImage(model, inputs, effect_, image_);
  // An effect that draws nothing on its first frame (the static one) would send the starting
  // zeros, every key dark: the keyboard keeps what it shows until the next pass draws.
  if (first && image_ == start && !start_held_back_) {
    start_held_back_ = true;
    return;
  }
  in_.keyboard.frame.Publish(image_);
  if (model != static_cast<std::uint8_t>(KeyboardModel::kSingleColour)) {
    in_.send_keyboard_frame(model, mode, image_);
  }
}

}  // namespace vandrel
