#include "keyboard/keyboard_model.h"
#include "lighting/lighting_threads.h"
#include "lighting/sync_effects.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kNoDevicePause = std::chrono::milliseconds(1000);
constexpr Clock::Duration kSmoothModePause = std::chrono::milliseconds(6);
constexpr Clock::Duration kIdleStep = std::chrono::milliseconds(1);
constexpr std::uint8_t kCycleMode = 1;
constexpr std::uint8_t kBreathMode = 2;

}  // namespace

SyncLightingThread::SyncLightingThread(const LightingThreadInputs& inputs) : in_(inputs) {}

void SyncLightingThread::Run(Event& stop) {
  DeviceChannels& channels = in_.channels;
  RunLightingLoop(
      in_.clock, stop, Clock::Duration::zero(), kSyncLightingExit, [this] { return Pass(true); },
      channels.connections,
      [&channels] {
        return channels.keyboard.connected() || channels.mouse.connected() ||
               channels.pad.connected();
      },
      {&channels.keyboard.changes(), &channels.mouse.changes(), &channels.pad.changes(),
       &in_.common.changes(), &in_.keyboard.lighting_changes},
      [this] { return LeadPause(); });
}

Clock::Duration SyncLightingThread::LeadPause() const {
  return std::chrono::milliseconds(4 * in_.common.Load().speed);
}

// While no device follows the animation, or the effect stands still and the devices show its
// frames, the passes to come would change nothing until a flag, the common block or a device
// changes: the pass lets the thread wait for that.
bool SyncLightingThread::Pass(bool lead_waited) {
  if (!lead_waited) SleepFor(in_.clock, LeadPause());
  const LightingBlock common = in_.common.Load();
  const DeviceChannels& channels = in_.channels;
  if (!channels.keyboard.connected() && !channels.mouse.connected() && !channels.pad.connected()) {
    in_.clock.Sleep(kNoDevicePause);
    return false;
  }
  const bool mouse = channels.mouse.sync_lighting();
  if (!channels.keyboard.sync_lighting() && !mouse && !channels.pad.sync_lighting()) return true;
  // Same mode sets every device's flag, even one never attached: only a device that is there
  // follows the animation.
  const bool keyboard = channels.keyboard.sync_lighting() && channels.keyboard.connected();
  const bool pad = channels.pad.sync_lighting() && channels.pad.connected();
  if (common.mode == kCycleMode || common.mode == kBreathMode) in_.clock.Sleep(kSmoothModePause);
  const bool moved = Render(common, keyboard, pad);
  bool shown = true;
  if (keyboard) {
    shown = SendKeyboard();
  } else {
    in_.clock.Sleep(kIdleStep);
  }
  if (!mouse) in_.clock.Sleep(kIdleStep);
  if (pad) {
    shown = in_.send_pad_frame(pad_frame_) && shown;
  } else {
    in_.clock.Sleep(kIdleStep);
  }
  return !moved && shown;
}

// Renders onto the frames last published, so that what the effect leaves alone keeps its colour.
bool SyncLightingThread::Render(const LightingBlock& common, bool keyboard, bool pad) {
  SyncTargets targets;
  if (keyboard) {
    keyboard_image_ = in_.keyboard.frame.Read();
    targets.keyboard = &keyboard_image_;
  }
  if (pad) {
    pad_frame_ = in_.pad.frame.Read();
    targets.pad = &pad_frame_;
  }
  const KeyboardFrameImage keyboard_before = keyboard_image_;
  const PadFrame pad_before = pad_frame_;
  const std::uint8_t step_before = sync_step_;
  RenderSyncFrame(common, sync_step_, targets);
  if (keyboard) in_.keyboard.frame.Publish(keyboard_image_);
  if (pad) in_.pad.frame.Publish(pad_frame_);
  return sync_step_ != step_before || keyboard_image_ != keyboard_before ||
         pad_frame_ != pad_before;
}

// Only the per-key and the zone keyboards are sent frames.
bool SyncLightingThread::SendKeyboard() {
  const std::optional<KeyboardModel> model = KeyboardModelOf(in_.keyboard_model());
  if (model != KeyboardModel::kPerKey && model != KeyboardModel::kSixZones) return true;
  return in_.send_keyboard_frame(static_cast<std::uint8_t>(*model), in_.keyboard.Lighting().mode,
                                 keyboard_image_);
}

}  // namespace vandrel
