// Decay and ripples: how a key fades, and how a ripple spreads over the LED matrix.
#include "keyboard/lighting/ripples.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vandrel {
namespace {

std::uint8_t DecayedOnce(std::uint8_t level) {
  EffectState state;
  state.level[5] = level;
  DecayLevel(state, 5);
  return state.level[5];
}

TEST(DecayLevel, LosesLessTheDimmerTheKey) {
  EXPECT_EQ(DecayedOnce(255), 225);
  EXPECT_EQ(DecayedOnce(12), 8);
  EXPECT_EQ(DecayedOnce(8), 0);
  EXPECT_EQ(DecayedOnce(128), 98);
  EXPECT_EQ(DecayedOnce(127), 107);
  EXPECT_EQ(DecayedOnce(64), 44);
  EXPECT_EQ(DecayedOnce(63), 53);
  EXPECT_EQ(DecayedOnce(32), 22);
  EXPECT_EQ(DecayedOnce(31), 26);
  EXPECT_EQ(DecayedOnce(17), 12);
  EXPECT_EQ(DecayedOnce(16), 12);
  EXPECT_EQ(DecayedOnce(9), 5);
  EXPECT_EQ(DecayedOnce(1), 0);
  EXPECT_EQ(DecayedOnce(0), 0);
}

bool Covered(const EffectState& state, std::size_t column, std::size_t row) {
  for (const auto& plane : state.planes) {
    if ((plane[column] >> row) & 1) return true;
  }
  return false;
}

TEST(Ripple, OneStepFromSlot52ReachesItsFourNeighbours) {
  EffectState state;
  TriggerRipple(state, 52);  // column 11, row 2
  for (const auto& plane : state.planes) EXPECT_EQ(plane[11], 0b100);
  RippleStep(state);
  // Leftwards planes: column 10 keeps row 2, column 11 keeps the row above (3) or below (0).
  EXPECT_EQ(state.planes[0][10], 0b100);
  EXPECT_EQ(state.planes[0][11], 0b1000);
  EXPECT_EQ(state.planes[3][10], 0b100);
  EXPECT_EQ(state.planes[3][11], 0b10);
  EXPECT_EQ(state.planes[1][12], 0b100);
  EXPECT_EQ(state.planes[1][11], 0b1000);
  EXPECT_EQ(state.planes[2][12], 0b100);
  EXPECT_EQ(state.planes[2][11], 0b10);
  EXPECT_FALSE(Covered(state, 11, 2)) << "the ripple has left its centre";
}

TEST(Ripple, GrowsIntoTheDiamondAtEachDistance) {
  EffectState state;
  TriggerRipple(state, 52);
  for (int distance = 1; distance <= 5; ++distance) {
    RippleStep(state);
    for (int column = 0; column < 23; ++column) {
      for (int row = 0; row < 8; ++row) {
        const bool on_ring = std::abs(column - 11) + std::abs(row - 2) == distance;
        EXPECT_EQ(Covered(state, static_cast<std::size_t>(column), static_cast<std::size_t>(row)),
                  on_ring)
            << "distance " << distance << ", column " << column << ", row " << row;
      }
    }
  }
}

TEST(Ripple, SlotOutsideTheMatrixStartsNothing) {
  EffectState state;
  TriggerRipple(state, 62);
  for (const auto& plane : state.planes) {
    for (const std::uint8_t bits : plane) EXPECT_EQ(bits, 0);
  }
}

TEST(Ripple, LevelsLightCoveredKeysInColumnOrderWithNewColours) {
  EffectState state;
  TriggerRipple(state, 52);
  RippleStep(state);
  RippleToLevels(state, true);
  // Column 10 row 2 (51), column 11 rows 1 and 3 (31, 73), column 12 row 2 (53).
  EXPECT_EQ(state.level[51], 255);
  EXPECT_EQ(state.phase[51], 11);
  EXPECT_EQ(state.phase[31], 22);
  EXPECT_EQ(state.phase[73], 33);
  EXPECT_EQ(state.phase[53], 44);
  EXPECT_EQ(state.colour_counter, 44);
  EXPECT_EQ(state.level[52], 0);
}

TEST(Ripple, LevelsWithoutSevenColourKeepThePhases) {
  EffectState state;
  TriggerRipple(state, 52);
  RippleToLevels(state, false);
  EXPECT_EQ(state.level[52], 255);
  EXPECT_EQ(state.phase[52], 0);
  EXPECT_EQ(state.colour_counter, 0);
}

TEST(Ripple, MonoLevelsDarkenEveryUncoveredKey) {
  EffectState state;
  state.level[0] = 77;
  TriggerRipple(state, 52);
  RippleToLevelsMono(state);
  EXPECT_EQ(state.level[52], 254);
  EXPECT_EQ(state.level[0], 0);
}

}  // namespace
}  // namespace vandrel
