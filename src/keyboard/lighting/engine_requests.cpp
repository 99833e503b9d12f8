#include "keyboard/lighting/engine_requests.h"

#include <algorithm>
#include <utility>

#include "keyboard/lighting/ripples.h"

namespace vandrel {

void ApplyEngineRequest(const EngineRequest& request, EffectState& state) {
  switch (request.kind) {
    case EngineRequest::Kind::kReset:
      ResetEffectState(state);
      return;
    case EngineRequest::Kind::kStartMode:
      StartEffectMode(request.model, request.mode, state);
      return;
    case EngineRequest::Kind::kSeedMode:
      SeedEffectMode(request.model, request.mode, state);
      return;
    case EngineRequest::Kind::kRipple:
      TriggerRipple(state, request.slot);
      return;
    case EngineRequest::Kind::kWalkRestart:
      FlagWalkRestart(state);
      return;
  }
}

void KeyboardEngineRequests::RequestSeed(std::uint8_t model, std::uint8_t mode) {
  const EngineRequest seed{.kind = EngineRequest::Kind::kSeedMode, .model = model, .mode = mode};
  {
    std::lock_guard lock(lock_);
    if (count_ > 0 && pending_[count_ - 1] == seed) return;
    if (count_ < kCapacity) pending_[count_++] = seed;
  }
  arrivals_.Notify();
}

void KeyboardEngineRequests::Push(const EngineRequest& request) {
  {
    std::lock_guard lock(lock_);
    if (count_ < kCapacity) pending_[count_++] = request;
  }
  arrivals_.Notify();
}

// The queue is copied out under the lock and applied without it, so that the user interface never
// waits for the engine.
std::size_t KeyboardEngineRequests::ApplyPending(EffectState& state) {
  std::array<EngineRequest, kCapacity> taken;
  std::size_t count = 0;
  {
    std::lock_guard lock(lock_);
    count = std::exchange(count_, 0);
    std::copy_n(pending_.begin(), count, taken.begin());
  }
  for (std::size_t i = 0; i < count; ++i) ApplyEngineRequest(taken[i], state);
  return count;
}

}  // namespace vandrel
