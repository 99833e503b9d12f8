// What the four lighting threads work with: the clock, the three channels (connected and
// sync-lighting flags), the published lighting of each device and of the synchronised animation,
// the published frames, and the ways they send frames and reach the main window. Everything must
// outlive the threads; every member is safe to use from the threads. Whatever a thread renders or
// paces itself from tells of its changes through a ChangeSignal, so that a thread whose frames
// cannot change waits for one instead of rendering the same frame again.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "core/change_signal.h"
#include "core/clock.h"
#include "device/presence_monitor.h"
#include "device/shared_lighting_block.h"
#include "keyboard/keyboard_state.h"
#include "pad/pad_animation.h"

namespace vandrel {

struct LightingThreadInputs {
  Clock& clock;
  DeviceChannels channels;
  // The keyboard model in use (0-3).
  std::function<int()> keyboard_model;
  KeyboardState& keyboard;  // its lighting snapshot and its published frame
  const SharedLightingBlock& mouse_lighting;
  PadAnimation& pad;
  const SharedLightingBlock& common;  // the synchronised animation's block
  // Command 18 to the keyboard, for the frame of the keyboard's `mode`. Both senders return
  // whether the device now shows the frame (or, in a mode that streams none, needs none).
  std::function<bool(std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image)>
      send_keyboard_frame;
  std::function<bool(const PadFrame& frame)> send_pad_frame;
  // Restarts the main window's mouse lighting timer.
  std::function<void()> rearm_mouse_timer;
  // Whether the mouse asked for a pad flash since the last call.
  std::function<bool()> take_pad_flash;
  // Notified when the mouse asks for a pad flash; null when nobody tells.
  ChangeSignal* pad_flash_requests = nullptr;
};

// How long every lighting thread waits on its stop event between two passes.
inline constexpr Clock::Duration kLightingStopPoll = std::chrono::milliseconds(1);

// Sleeps unless `duration` is zero.
void SleepFor(Clock& clock, Clock::Duration duration);

// The body every lighting thread shares: waits `start_delay` (ending early when stopped), runs
// `pass` while a 1 ms wait on `stop` times out, then writes `exit_line`. A pass that begins with a
// pause gives it as `lead_pause`: the loop waits it together with the 1 ms, one wake-up instead of
// two, and the pass must then leave it out. While `has_device` says
// that no device the thread drives is connected, and `connections` tells when one is, the loop
// waits for that instead of running passes that would only pause: a program with no device wakes
// nobody. A pass that returns true found that its next ones could change nothing until one of
// `changes` (or `connections`) is notified: the loop waits for that, however long it takes.
void RunLightingLoop(Clock& clock, Event& stop, Clock::Duration start_delay,
                     std::string_view exit_line, const std::function<bool()>& pass,
                     ChangeSignal* connections = nullptr,
                     const std::function<bool()>& has_device = {},
                     std::initializer_list<ChangeSignal*> changes = {},
                     const std::function<Clock::Duration()>& lead_pause = {});

}  // namespace vandrel
