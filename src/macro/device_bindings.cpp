#include "macro/device_bindings.h"

#include <algorithm>
#include <span>

namespace vandrel {
namespace {

constexpr std::size_t kAssignmentSize = 3;
// Slot 5 has no key page of its own.
constexpr std::size_t kMouseKeyPages = 5;

}  // namespace

std::vector<BindingTable> MouseBindingTables(MouseState& state) {
  constexpr std::size_t kButtonBytes = kMouseButtonCount * kAssignmentSize;
  std::vector<BindingTable> tables;
  for (std::size_t page = 0; page < kMouseKeyPages; ++page) {
    tables.push_back({std::span(state.keys[page].bytes).first(kButtonBytes),
                      std::span<const std::uint8_t>(state.defaults.bytes).first(kButtonBytes)});
  }
  return tables;
}

std::vector<BindingTable> KeyboardBindingTables(KeyboardState& state) {
  const std::size_t keys =
      std::min<std::size_t>(state.info.key_count(), KeyboardKeyTable::kSize / kAssignmentSize);
  const std::size_t bytes = keys * kAssignmentSize;
  return {{std::span(state.keys[state.ProfileInUse()].bytes).first(bytes),
           std::span<const std::uint8_t>(state.defaults.bytes).first(bytes)}};
}

}  // namespace vandrel
