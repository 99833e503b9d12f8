#include "keyboard/lighting/ripples.h"

#include "keyboard/lighting/matrix_walk.h"

namespace vandrel {
namespace {

std::uint8_t Down(std::uint8_t bits) { return static_cast<std::uint8_t>(bits << 1); }
std::uint8_t Up(std::uint8_t bits) { return static_cast<std::uint8_t>(bits >> 1); }

// Calls visit(slot, covered) for every matrix cell that holds a key, covered when a ripple is on
// it.
template <typename Visit>
void ForEachRippleKey(const EffectState& state, Visit visit) {
  for (std::size_t column = 0; column < kMatrixColumns; ++column) {
    const std::uint8_t bits = RippleColumn(state, column);
    for (std::size_t row = 0; row < kMatrixRows; ++row) {
      const std::uint8_t slot = kLedMatrix[column][row];
      if (slot != kNoKeySlot) visit(slot, ((bits >> row) & 1) != 0);
    }
  }
}

}  // namespace

void DecayLevel(EffectState& state, std::uint8_t slot) {
  std::uint8_t& level = state.level[slot];
  if (level >= 128) {
    level = static_cast<std::uint8_t>(level - 30);
  } else if (level >= 64) {
    level = static_cast<std::uint8_t>(level - 20);
  } else if (level >= 32) {
    level = static_cast<std::uint8_t>(level - 10);
  } else if (level >= 17) {
    level = static_cast<std::uint8_t>(level - 5);
  } else if (level >= 9) {
    level = static_cast<std::uint8_t>(level - 4);
  } else {
    level = 0;
  }
}

void TriggerRipple(EffectState& state, std::uint8_t slot) {
  const MatrixCell cell = FindMatrixCell(slot);
  if (!cell.found) return;
  for (auto& plane : state.planes) {
    plane[cell.column] |= static_cast<std::uint8_t>(1 << cell.row);
  }
}

void RippleStep(EffectState& state) {
  auto& left_down = state.planes[0];
  auto& right_down = state.planes[1];
  auto& right_up = state.planes[2];
  auto& left_up = state.planes[3];
  constexpr std::size_t kLast = kMatrixColumns - 1;
  // Leftwards: each column takes its right neighbour; what stays behind spreads vertically.
  left_up[0] = Up(left_up[0]);
  left_down[0] = Down(left_down[0]);
  for (std::size_t c = 0; c < kLast; ++c) {
    left_up[c] |= left_up[c + 1];
    left_up[c + 1] = Up(left_up[c + 1]);
    left_down[c] |= left_down[c + 1];
    left_down[c + 1] = Down(left_down[c + 1]);
  }
  // Rightwards, mirrored, starting at the right edge.
  right_up[kLast] = static_cast<std::uint8_t>(Up(right_up[kLast]) | right_up[kLast - 1]);
  right_down[kLast] = static_cast<std::uint8_t>(Down(right_down[kLast]) | right_down[kLast - 1]);
  right_up[kLast - 1] = Up(right_up[kLast - 1]);
  right_down[kLast - 1] = Down(right_down[kLast - 1]);
  for (std::size_t c = kLast - 1; c-- > 0;) {
    right_up[c + 1] |= right_up[c];
    right_down[c + 1] |= right_down[c];
    right_up[c] = Up(right_up[c]);
    right_down[c] = Down(right_down[c]);
  }
}

void RippleToLevels(EffectState& state, bool seven_colour) {
  ForEachRippleKey(state, [&](std::uint8_t slot, bool covered) {
    if (!covered) return;
    state.level[slot] = 255;
    if (!seven_colour) return;
    state.colour_counter = static_cast<std::uint8_t>(state.colour_counter + 11);
    state.phase[slot] = state.colour_counter;
  });
}

void RippleToLevelsMono(EffectState& state) {
  ForEachRippleKey(state,
                   [&](std::uint8_t slot, bool covered) { state.level[slot] = covered ? 254 : 0; });
}

void SetRippleBits(EffectState& state, std::size_t column, std::uint8_t bits) {
  for (auto& plane : state.planes) plane[column] |= bits;
}

std::uint8_t RippleColumn(const EffectState& state, std::size_t column) {
  std::uint8_t bits = 0;
  for (const auto& plane : state.planes) bits |= plane[column];
  return bits;
}

}  // namespace vandrel
