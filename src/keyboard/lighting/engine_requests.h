// KeyboardEngineRequests: how the user interface changes the keyboard's effect engine without
// touching it. The engine state belongs to the keyboard lighting thread; the lighting page queues
// what choosing a mode, refreshing, clicking a key or turning the direction asks of it, and the
// thread applies the queue in order to its own state before it reads the lighting of its next
// frame.
//
// Order with the lighting: change the live lighting first, then queue the request. The thread
// takes the queue before it reads the lighting, so a request it applies is never newer than the
// lighting it then renders with; a mode chosen meanwhile waits, with its reset and seed, for the
// next frame instead of having its seed stepped by the previous mode.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "core/change_signal.h"
#include "keyboard/lighting/effect_state.h"

namespace vandrel {

// One queued change of the engine state.
struct EngineRequest {
  enum class Kind : std::uint8_t {
    kReset,        // ResetEffectState
    kStartMode,    // ResetEffectState, then the seed of `mode` on `model`
    kSeedMode,     // the seed of `mode` on `model` alone
    kRipple,       // a ripple from the key of `slot`
    kWalkRestart,  // the zone stack restarts with the current direction
  };
  Kind kind = Kind::kReset;
  std::uint8_t model = 0;  // the KeyboardModel whose mode list `mode` is in
  std::uint8_t mode = 0;
  std::uint8_t slot = 0;  // key slot 0-125
  friend constexpr bool operator==(const EngineRequest&, const EngineRequest&) = default;
};

// Applies one request to the engine state. Rendering thread (or a test's own state).
void ApplyEngineRequest(const EngineRequest& request, EffectState& state);

class KeyboardEngineRequests {
 public:
  // More requests than the thread would ever leave pending between two frames; once the queue is
  // full (the thread is not running) further requests are dropped.
  static constexpr std::size_t kCapacity = 64;

  // Any thread (the user-interface thread in practice).
  // The engine starts from rest.
  void RequestReset() { Push({.kind = EngineRequest::Kind::kReset}); }
  // A mode was chosen in the list of `model`: reset, then the mode's seed.
  void RequestMode(std::uint8_t model, std::uint8_t mode) {
    Push({.kind = EngineRequest::Kind::kStartMode, .model = model, .mode = mode});
  }
  // The page was refreshed on `mode`: its seed without a reset. A seed equal to the request
  // queued last is not queued twice, so that two refreshes of one change seed once.
  void RequestSeed(std::uint8_t model, std::uint8_t mode);
  // A key was clicked in the ripple mode.
  void RequestRipple(std::uint8_t slot) {
    Push({.kind = EngineRequest::Kind::kRipple, .slot = slot});
  }
  // The direction was turned: model 3's zone stack restarts.
  void RequestWalkRestart() { Push({.kind = EngineRequest::Kind::kWalkRestart}); }

  // Keyboard lighting thread: takes every queued request and applies them in order to `state`.
  // Returns how many were applied.
  std::size_t ApplyPending(EffectState& state);

  // Notified after every request queued, for a keyboard thread that waits for one. Any thread.
  [[nodiscard]] ChangeSignal& arrivals() { return arrivals_; }

 private:
  void Push(const EngineRequest& request);

  std::mutex lock_;  // guards pending_ and count_
  std::array<EngineRequest, kCapacity> pending_{};
  std::size_t count_ = 0;
  ChangeSignal arrivals_;
};

}  // namespace vandrel
