// What the main window asks of the parts that come with each device, macros and profiles. The
// hub runs the shared steps of its tables (timers, tabs, the window) and calls these at the
// points where a device's own work belongs. Until a part is given, the hub does its own steps
// only. Every member runs on the user-interface thread unless it says otherwise.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/clock.h"
#include "device/device_kind.h"

namespace vandrel {

// The frame timer sends a device's frame again once no frame has gone to it for this long (the
// keyboard's for longer when its effect's own frames come further apart).
inline constexpr Clock::Duration kFrameResendAfter = std::chrono::milliseconds(100);
// While the window is on the screen the frame timer shows the newest frame at most this often:
// 20 times a second. A preview of the keyboard relights a hundred keys, about half a millisecond
// of the window's CPU time; at the window's own 50 ms pace the previews wake it with its other
// timers, not between them (30 previews a second woke it 48 times). The devices' own frames, up
// to 54 a second on the keyboard and 82 on the pad, do not depend on it.
inline constexpr Clock::Duration kPreviewPeriod = std::chrono::milliseconds(50);

// While the device shows the frame published last there is nothing to resend: the timer only
// looks this often whether that is still so.
inline constexpr Clock::Duration kFrameLookPeriod = std::chrono::milliseconds(1000);

// When the frame timer is next wanted: a preview at the next screen refresh while the window is
// shown; else, while the device lacks the frame published last, the moment it will have gone
// `resend_after` without a frame, and the next look while it has it.
[[nodiscard]] inline Clock::Duration NextFrameStep(bool window_shown, bool device_shows_frame,
                                                   Clock::Duration since_last_frame,
                                                   Clock::Duration resend_after) {
  const Clock::Duration resend_due = device_shows_frame ? kFrameLookPeriod
                                     : since_last_frame >= resend_after
                                         ? resend_after
                                         : resend_after - since_last_frame;
  return window_shown ? std::min(kPreviewPeriod, resend_due) : resend_due;
}

class DevicePart {
 public:
  virtual ~DevicePart() = default;

  // Timer 2: sends the device's current-settings record when a page changed it, and clears the
  // apply-pending flag. (The hub calls the mouse only once its pages are ready.)
  virtual void ApplyPending() {}
  // The attach timer, after ReadAndRefresh: the stored profile selection is restored, which
  // loads that profile and applies it over what was read.
  virtual void SelectStoredProfile() {}
  // The attach timer and messages 0x0901, 0x0A01, 0x0B01: reads everything from the device and
  // refreshes its pages.
  virtual void ReadAndRefresh() {}
  // Message 0x0B02 (keyboard): rereads the lighting and refreshes the lighting page.
  virtual void RereadLighting() {}
  // Timer 14 (mouse): rereads the active slot and refreshes the pages.
  virtual void RereadActiveSlot() {}
  // Timers 1001 and 1002: one frame step of the keyboard or the pad. `window_shown`: whether the
  // main window shows the device's picture, so that a preview of the frame can be seen. Returns
  // how long until the next step has something to do, so that the timer sleeps while frames flow
  // and nobody looks.
  virtual Clock::Duration FrameStep(bool /*window_shown*/) { return kFrameResendAfter; }
};

class MacroPart {
 public:
  virtual ~MacroPart() = default;

  // Removes the recording hooks and clears the recording state.
  virtual void StopRecording() {}
  // Messages 0x0801-0x0804 and 0x0810-0x0813 from the recording hooks.
  virtual void HandleHookMessage(int /*message*/, std::intptr_t /*wparam*/,
                                 std::intptr_t /*lparam*/) {}
  // The device of `kind` went away during its macro edit (a presence monitor's request, posted
  // by the hub): stops a recording and cancels the edit.
  virtual void AbandonEdit(DeviceKind /*kind*/) {}
  // Whether the macro editor of `kind` has unsaved edits open.
  [[nodiscard]] virtual bool IsEditOpen(DeviceKind /*kind*/) const { return false; }
};

}  // namespace vandrel
