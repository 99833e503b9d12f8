// SharedLightingBlock: a LightingBlock that the user-interface thread edits while lighting threads
// read it, whole and without a lock. The eight bytes travel as one atomic word. Every change is
// told to its listeners, so that a thread with nothing to animate can wait for the next one.
#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

#include "core/change_signal.h"
#include "device/lighting_block.h"

namespace vandrel {

class SharedLightingBlock {
 public:
  SharedLightingBlock() = default;
  explicit SharedLightingBlock(const LightingBlock& block) : bits_(Bits(block)) {}
  SharedLightingBlock(const SharedLightingBlock&) = delete;
  SharedLightingBlock& operator=(const SharedLightingBlock&) = delete;

  [[nodiscard]] LightingBlock Load() const {
    return std::bit_cast<LightingBlock>(bits_.load(std::memory_order_acquire));
  }
  void Store(const LightingBlock& block) {
    bits_.store(Bits(block), std::memory_order_release);
    changes_.Notify();
  }

  // Changes some fields as one step: `edit(LightingBlock&)` runs on a copy, again if another
  // editor changed the block meanwhile.
  template <typename Edit>
  void Update(Edit edit) {
    std::uint64_t current = bits_.load(std::memory_order_acquire);
    for (;;) {
      auto block = std::bit_cast<LightingBlock>(current);
      edit(block);
      if (bits_.compare_exchange_weak(current, Bits(block), std::memory_order_acq_rel,
                                      std::memory_order_acquire)) {
        changes_.Notify();
        return;
      }
    }
  }

  // Notified after every Store and Update. Listening does not change the block, so a reader that
  // holds it const may listen.
  [[nodiscard]] ChangeSignal& changes() const { return changes_; }

 private:
  static std::uint64_t Bits(const LightingBlock& block) {
    return std::bit_cast<std::uint64_t>(block);
  }

  std::atomic<std::uint64_t> bits_{0};
  mutable ChangeSignal changes_;
};

}  // namespace vandrel
