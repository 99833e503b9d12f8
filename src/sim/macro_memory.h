// The macros and recoil tables a simulated device holds, read from its macro memory the way its
// firmware plays them: a header (0x55AA, the image's length, the number of macros), a table of
// block offsets, and per macro a step count followed by 4-byte steps (delay in milliseconds,
// little-endian, code, value). The mouse keeps its recoil tables in its recoil memory in the same
// layout, a table's record in place of a macro's block. Tests and the simulate menu use it to see
// what a download left in the device. Plain functions; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vandrel::sim {

struct HeldStep {
  std::uint16_t delay = 0;
  std::uint8_t code = 0;
  std::uint8_t value = 0;

  friend bool operator==(const HeldStep&, const HeldStep&) = default;
};

using HeldMacro = std::vector<HeldStep>;

// The macros in `memory`; nullopt when it holds no well-formed image (no magic, a length beyond
// the memory, or a macro whose block lies outside the image), as after a factory reset.
[[nodiscard]] std::optional<std::vector<HeldMacro>> HeldMacros(
    std::span<const std::uint8_t> memory);

// The recoil tables in `memory`, each as its entries in order (six per shot); nullopt as above.
using HeldTable = std::vector<HeldStep>;
[[nodiscard]] std::optional<std::vector<HeldTable>> HeldRecoil(
    std::span<const std::uint8_t> memory);

}  // namespace vandrel::sim
