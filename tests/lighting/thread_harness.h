// The four lighting threads' world for tests: a manual clock that moves by itself, three channels
// whose flags the test sets, the devices' published lighting and frames, and recorders for what
// the threads send and ask of the main window. A test runs single passes.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/manual_clock.h"
#include "device/device_channel.h"
#include "device/fake_hid_backend.h"
#include "lighting/lighting_threads.h"

namespace vandrel::testing {

struct ThreadHarness {
  ManualClock clock{ManualClock::Mode::kAutoAdvance};
  FakeHidBackend backend;
  DeviceChannel keyboard_channel{backend, clock};
  DeviceChannel mouse_channel{backend, clock};
  DeviceChannel pad_channel{backend, clock};
  int keyboard_model = 0;
  KeyboardState keyboard;
  SharedLightingBlock mouse_lighting;
  PadAnimation pad;
  SharedLightingBlock common;
  bool pad_flash = false;
  bool frames_shown = true;  // what the senders say: whether the device shows the frame sent

  struct SentKeyboardFrame {
    std::uint8_t model;
    std::uint8_t mode;
    KeyboardFrameImage image;
  };
  std::vector<SentKeyboardFrame> keyboard_frames;
  std::vector<PadFrame> pad_frames;
  int mouse_timer_rearms = 0;

  LightingThreadInputs Inputs() { return Inputs(clock); }
  // The same world with the threads on `thread_clock` instead.
  LightingThreadInputs Inputs(Clock& thread_clock) {
    return {thread_clock,
            {keyboard_channel, mouse_channel, pad_channel},
            [this] { return keyboard_model; },
            keyboard,
            mouse_lighting,
            pad,
            common,
            [this](std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
              keyboard_frames.push_back({model, mode, image});
              return frames_shown;
            },
            [this](const PadFrame& frame) {
              pad_frames.push_back(frame);
              return frames_shown;
            },
            [this] { ++mouse_timer_rearms; },
            [this] { return std::exchange(pad_flash, false); }};
  }

  // The lighting as read from the keyboard: from now on the keyboard's thread renders it.
  void SetKeyboardLighting(const LightingBlock& block) {
    KeyboardLightingWrite writing(keyboard);
    keyboard.live.lighting = block;
    keyboard.lighting_known.store(true);
  }

  // The sleeps the threads asked for since the last call (waits on the stop event left out).
  std::vector<Clock::Duration> TakeSleeps() {
    std::vector<Clock::Duration> sleeps;
    const std::vector<ManualClock::Request> requests = clock.Requests();
    for (std::size_t i = seen_requests_; i < requests.size(); ++i) {
      if (requests[i].kind == ManualClock::Request::Kind::kSleep) {
        sleeps.push_back(requests[i].duration);
      }
    }
    seen_requests_ = requests.size();
    return sleeps;
  }

 private:
  std::size_t seen_requests_ = 0;
};

}  // namespace vandrel::testing
