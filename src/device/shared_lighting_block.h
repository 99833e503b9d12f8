// SharedLightingBlock: a LightingBlock that the user-interface thread edits while lighting threads
// read it, whole and without a lock. The eight bytes travel as one atomic word.
#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

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
  void Store(const LightingBlock& block) { bits_.store(Bits(block), std::memory_order_release); }

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
        return;
      }
    }
  }

 private:
  static std::uint64_t Bits(const LightingBlock& block) {
    return std::bit_cast<std::uint64_t>(block);
  }

  std::atomic<std::uint64_t> bits_{0};
};

}  // namespace vandrel
