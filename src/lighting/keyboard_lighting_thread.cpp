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
      in_.clock, stop, kStartDelay, kKeyboardLightingExit, [this] { return Pass(true); },
      in_.channels.connections, [this] { return in_.channels.keyboard.connected(); },
      {&in_.channels.keyboard.changes(), &in_.keyboard.lighting_changes,
       &in_.keyboard.engine_requests.arrivals()},
      [this] { return LeadPause(); });
}

Clock::Duration KeyboardLightingThread::LeadPause() const {
  const LightingBlock pace = in_.keyboard.Lighting();
  return KeyboardFrameSleep(pace.mode, pace.speed);
}

// The page's requests are taken after the pause and before the lighting the frame is rendered
// from is read: the page changes the lighting before it queues, so a mode chosen during the pause
// is rendered only once its reset and seed are applied, and never the other way round.
bool KeyboardLightingThread::Pass(bool lead_waited) {
  const Clock::Duration pause = LeadPause();
  CatchUpRestedPasses(pause, lead_waited ? pause : Clock::Duration::zero());
  if (!lead_waited) SleepFor(in_.clock, pause);
  in_.keyboard.engine_requests.ApplyPending(effect_);
  const DeviceChannel& channel = in_.channels.keyboard;
  if (!channel.connected()) {
    in_.clock.Sleep(kAbsentPause);
    return false;
  }
  // Standing aside, or with nothing known to render, only a change can give the pass work.
  bool rests = true;
  if (!channel.sync_lighting() && in_.keyboard.lighting_known.load()) {
    const std::optional<KeyboardModel> model = KeyboardModelOf(in_.keyboard_model());
    if (model && *model != KeyboardModel::kPerKeyOwn)
      rests = RenderAndSend(static_cast<std::uint8_t>(*model));
  }
  FinishKeyboardPass(effect_);
  if (rests) rest_began_ = in_.clock.Now();
  return rests;
}

// Every pass moves the colour counter on, also those the thread waited through instead: it moves
// on by as many as would have run since (each its pause and its stop poll), so that the colours
// later keys take do not depend on how long the thread waited. `waited_since` is this pass's own
// pause, when the loop has waited it already.
void KeyboardLightingThread::CatchUpRestedPasses(Clock::Duration pause,
                                                 Clock::Duration waited_since) {
  if (!rest_began_) return;
  const Clock::Duration rested = in_.clock.Now() - *rest_began_ - waited_since;
  rest_began_.reset();
  const auto passes = rested / (pause + kLightingStopPoll);
  effect_.colour_counter = static_cast<std::uint8_t>(effect_.colour_counter + passes);
}

// Renders onto the frame last published (the synchronised animation may have written it), so that
// the keys an effect leaves alone keep what they showed. A frame that changed neither the image
// nor the effect's state, and drew no random number, is what every later pass would draw too:
// the effects read nothing else but the lighting, which tells of its changes.
bool KeyboardLightingThread::RenderAndSend(std::uint8_t model) {
  const KeyboardLightingSnapshot snapshot = in_.keyboard.LightingSnapshot();
  const std::uint8_t mode = snapshot.lighting.mode;
  SleepFor(in_.clock, EffectTraits(model, mode).pre_delay);
  const bool first = !in_.keyboard.FrameRendered();
  image_ = in_.keyboard.frame.Read();
  const KeyboardFrameImage start = image_;
  const EffectState before = effect_;
  const XorShiftRandom random_before = random_;
  const EffectInputs inputs{snapshot.lighting, snapshot.custom.Current(), random_};
  RenderKeyboardImage(model, inputs, effect_, image_);
  // An effect that draws nothing on its first frame (the static one) would send the starting
  // zeros, every key dark: the keyboard keeps what it shows until the next pass draws.
  if (first && image_ == start && !start_held_back_) {
    start_held_back_ = true;
    return false;
  }
  const bool still = image_ == start && effect_ == before && random_ == random_before;
  in_.keyboard.frame.Publish(image_);
  bool shown = true;
  if (model != static_cast<std::uint8_t>(KeyboardModel::kSingleColour)) {
    shown = in_.send_keyboard_frame(model, mode, image_);
  }
  return still && shown;
}

}  // namespace vandrel
