// PadDevice: the exchanges with the mouse pad and the bookkeeping around them — the full read after
// attachment, the slot switch, the 100 ms live apply, the frame send and the factory reset — and
// the one way the pad's lighting changes: every change of live's LightingBlock made here (reads,
// slot switch, page edits through EditLighting or MarkDirty) is published to the lighting threads
// through state.animation.lighting.
//
// Results of single exchanges are not checked: a failed read leaves its record as it was and the
// sequence goes on. User-interface thread, except SendFrame.
#pragma once

#include <span>

#include "device/device_channel.h"
#include "device/lighting_block.h"
#include "pad/pad_frame.h"
#include "pad/pad_profiles.h"
#include "pad/pad_state.h"
#include "profile/profile_saver.h"

namespace vandrel {

class PadDevice {
 public:
  // Everything given must outlive the device.
  PadDevice(DeviceChannel& channel, PadState& state, ProfileSaver& profiles);
  PadDevice(const PadDevice&) = delete;
  PadDevice& operator=(const PadDevice&) = delete;

  [[nodiscard]] PadState& state() { return state_; }
  [[nodiscard]] DeviceChannel& channel() { return channel_; }

  // Full read: device information, the five slot records and the active slot, inside one
  // configuration bracket; the active slot's record becomes live and the light profile is
  // rewritten.
  void ReadAll();
  // Makes slot `slot` (0-4) active and reads it; false when it already was (only the active slot
  // was read) or when `slot` is out of range (nothing sent). The profiles are not rewritten.
  bool SwitchSlot(int slot);
  // Timer 2: sends the live record when it changed.
  void ApplyLive();
  // A loaded .led: its record's settings become live (keeping the active slot's number) and are
  // sent by the next live apply. A payload the pad cannot take (pad_profiles.h) is refused whole:
  // its problem is returned, nothing changed and nothing sent.
  [[nodiscard]] std::optional<FieldProblem> ApplyLightProfile(
      std::span<const std::uint8_t, kPadLightProfileSize> payload);
  // The pad's factory reset; the caller reads the pad again once it has settled.
  void Reset();

  // Every page edit of live: marks it for the next live apply, rewrites the light profile and
  // publishes the lighting.
  void MarkDirty();
  // Changes live's LightingBlock with `edit(LightingBlock&)`, then MarkDirty.
  template <typename Edit>
  void EditLighting(Edit edit) {
    edit(state_.live.lighting);
    MarkDirty();
  }
  // The user chose effect `mode`: stored like any edit, the renderer is asked to start the effect
  // afresh, and the pad leaves the synchronised animation.
  void ChooseMode(std::uint8_t mode);

  // Sends `frame` to the pad (command 18) unless the pad shows it already; the channel's result.
  // Any thread: it touches only the channel.
  int SendFrame(const PadFrame& frame);
  // Whether the pad shows `frame`: it accepted it last. Any thread.
  [[nodiscard]] bool ShowsFrame(const PadFrame& frame);

 private:
  void ReadSlot(int slot);
  void MakeLive(int slot);
  void PublishLighting();
  [[nodiscard]] int ReadActiveSlot();

  DeviceChannel& channel_;
  PadState& state_;
  ProfileSaver& profiles_;
};

}  // namespace vandrel
