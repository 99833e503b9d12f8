// KeyboardState: everything the program knows about the keyboard as data, owned by the main
// window. The user-interface thread reads and edits all of it. The lighting threads read the live
// lighting and the custom colours while they render: whoever writes those does so through a
// KeyboardLightingWrite, and a thread takes its copy for a frame with LightingSnapshot(). The frame
// last rendered is published in `frame` for whoever sends or previews it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "core/change_signal.h"
#include "core/published.h"
#include "keyboard/keyboard_records.h"
#include "keyboard/lighting/engine_requests.h"
#include "keyboard/lighting/frame_encoding.h"

namespace vandrel {

// What a frame is rendered from.
struct KeyboardLightingSnapshot {
  LightingBlock lighting;
  KeyboardCustomColours custom;
};

struct KeyboardState {
  KeyboardDeviceInfo info;
  KeyboardDefaultTable defaults;                               // the factory table
  std::array<KeyboardKeyTable, kKeyboardProfileCount> keys{};  // by profile page; page 0 used
  // Which pages were read from the keyboard or loaded from a profile: only those are written back.
  std::array<bool, kKeyboardProfileCount> keys_known{};
  std::array<KeyboardLightRecord, kKeyboardProfileCount> lights{};  // by profile; record 0 used
  KeySlotMap slot_map = EmptyKeySlotMap();
  // Guarded by lighting_lock (written on the user-interface thread only).
  KeyboardLiveLighting live;  // bytes 0-20 of the light record in use, edited by the pages
  KeyboardCustomColours custom;
  // Set when live changed and must be sent; cleared by the periodic apply. User-interface thread.
  bool light_dirty = false;
  // Set once live holds lighting read from the keyboard or loaded from a profile: until then it
  // is zeros, which would show as darkness, so nothing is rendered or sent. Any thread.
  std::atomic<bool> lighting_known{false};

  // Guards live and custom against the lighting threads' reads.
  mutable std::mutex lighting_lock;
  // Notified after live, custom or lighting_known changed, for the threads that wait for a change
  // of what they render. Any thread.
  ChangeSignal lighting_changes;
  // The last frame rendered, by the keyboard's lighting thread or the synchronised one. Any thread.
  Published<KeyboardFrameImage> frame;
  // What the pages ask of the keyboard thread's effect engine (reset, seeds, ripples, the zone
  // stack's restart); queue them after changing the live lighting. Any thread.
  KeyboardEngineRequests engine_requests;

  // Whether `frame` holds a rendered frame rather than its starting zeros (its one publication
  // so far), which sent to the keyboard would turn every key dark. Any thread.
  [[nodiscard]] bool FrameRendered() const { return frame.Version() > 1; }

  // A copy of what the effects read. Any thread.
  [[nodiscard]] KeyboardLightingSnapshot LightingSnapshot() const {
    std::lock_guard lock(lighting_lock);
    return {live.lighting, custom};
  }
  [[nodiscard]] LightingBlock Lighting() const {
    std::lock_guard lock(lighting_lock);
    return live.lighting;
  }
  // The profile page and light record in use: the live profile number, 0 when it names none.
  [[nodiscard]] std::size_t ProfileInUse() const {
    return live.profile < kKeyboardProfileCount ? live.profile : 0;
  }
};

// A writer's hold on the keyboard's live lighting and custom colours: lighting_lock while it
// lasts, and the news of the change to the waiting threads once it ends.
class KeyboardLightingWrite {
 public:
  explicit KeyboardLightingWrite(KeyboardState& state)
      : state_(state), lock_(state.lighting_lock) {}
  ~KeyboardLightingWrite() {
    lock_.unlock();
    state_.lighting_changes.Notify();
  }
  KeyboardLightingWrite(const KeyboardLightingWrite&) = delete;
  KeyboardLightingWrite& operator=(const KeyboardLightingWrite&) = delete;

 private:
  KeyboardState& state_;
  std::unique_lock<std::mutex> lock_;
};

}  // namespace vandrel
