// The lighting page's operations on the engine's state: reset and the seeds of each mode.
#include "keyboard/lighting/effect_state.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

TEST(ResetEffectState, ZeroesTheRunningPositionsButNotTheOthers) {
  EffectState state;
  state.phase[3] = 9;
  state.level[4] = 9;
  state.step = 9;
  state.colour_counter = 9;
  state.sweep_state = 3;
  state.group_mask = 7;
  state.planes[2][5] = 9;
  state.second_step = 9;
  state.twinkle_index = 9;
  state.pulse_phase[1] = 9;
  state.zone_colour[0] = {9, 9, 9};
  state.zone_stack.walk_level = 9;
  ResetEffectState(state);
  EXPECT_EQ(state.phase[3], 0);
  EXPECT_EQ(state.level[4], 0);
  EXPECT_EQ(state.step, 0);
  EXPECT_EQ(state.colour_counter, 0);
  EXPECT_EQ(state.sweep_state, 0);
  EXPECT_EQ(state.group_mask, 0);
  EXPECT_EQ(state.planes[2][5], 0);
  EXPECT_EQ(state.second_step, 9);
  EXPECT_EQ(state.twinkle_index, 9);
  EXPECT_EQ(state.pulse_phase[1], 9);
  EXPECT_EQ(state.zone_colour[0], (LedColour{9, 9, 9}));
  EXPECT_EQ(state.zone_stack.walk_level, 9);
}

TEST(Seeds, RainbowPhasesStepBy33AndKeepExactly192) {
  EffectState state;
  SeedRainbowPhases(state);
  EXPECT_EQ(state.phase[0], 33);
  EXPECT_EQ(state.phase[4], 165);
  EXPECT_EQ(state.phase[5], 6);  // 198 − 192
  EXPECT_EQ(state.phase[63], 192);
  EXPECT_EQ(state.phase[64], 33);
}

TEST(Seeds, PulsePhasesTakeTheCellsStartAndSevenTimesTheColumn) {
  EffectState state;
  SeedPulsePhases(state);
  EXPECT_EQ(state.level[52], 15);  // column 11, row 2
  EXPECT_EQ(state.phase[52], 77);
  EXPECT_EQ(state.level[16], 52);  // column 0, row 1
  EXPECT_EQ(state.phase[16], 0);
  EXPECT_EQ(state.level[118], 72);  // column 22, row 4
  EXPECT_EQ(state.phase[118], 154);
}

TEST(Seeds, PulseMatrixTakesTheCellsStart) {
  EffectState state;
  SeedPulseMatrix(state);
  EXPECT_EQ(state.pulse_phase[10], 192);  // column 13, row 0
  EXPECT_EQ(state.pulse_phase[20], 162);  // column 0, row 5
}

TEST(Seeds, PulseColumnsFallBy35PerRowAndFoldAbove191) {
  EffectState state;
  SeedPulseColumns(state);
  // Column 0 starts at 157; its row 0 has no key but still lowers the value.
  EXPECT_EQ(state.pulse_phase[16], 122);
  EXPECT_EQ(state.pulse_phase[17], 87);
  EXPECT_EQ(state.pulse_phase[18], 52);
  EXPECT_EQ(state.pulse_phase[19], 17);
  EXPECT_EQ(state.pulse_phase[20], 175);  // −18 is 238, folded by 63
  EXPECT_EQ(state.pulse_phase[0], 141);   // column 2 starts at 141
  // Column 22 starts at −19 = 237, folded to 174.
  EXPECT_EQ(state.pulse_phase[41], 139);
  EXPECT_EQ(state.pulse_phase[119], 69);
  EXPECT_EQ(state.pulse_phase[118], 34);
}

TEST(Seeds, RipplesStartBelowColumn9OrAtTheTopOfColumn1) {
  EffectState bottom;
  SeedRippleBottom(bottom);
  EffectState corner;
  SeedRippleCorner(corner);
  for (std::size_t plane = 0; plane < 4; ++plane) {
    EXPECT_EQ(bottom.planes[plane][9], 0x40);
    EXPECT_EQ(corner.planes[plane][1], 0x01);
  }
}

TEST(FlagWalkRestart, OnlyFlagsTheStack) {
  EffectState state;
  state.zone_stack.walk_level = 100;
  FlagWalkRestart(state);
  EXPECT_TRUE(state.zone_stack.restart_flagged);
  EXPECT_EQ(state.zone_stack.walk_level, 100);
}

TEST(StartEffectMode, ResetsAndThenSeedsTheModeOfTheModelsOwnList) {
  EffectState state;
  state.colour_counter = 9;
  state.group_mask = 7;
  StartEffectMode(0, 3, state);
  EXPECT_EQ(state.colour_counter, 0);
  EXPECT_EQ(state.group_mask, 0);

  StartEffectMode(0, 10, state);
  EXPECT_EQ(state.phase[0], 33);
  StartEffectMode(0, 15, state);
  EXPECT_EQ(state.phase[0], 0);
  EXPECT_EQ(state.planes[3][1], 1);
  EXPECT_EQ(state.planes[0][9], 0);

  // The single-colour list numbers its modes its own way.
  StartEffectMode(1, 4, state);
  EXPECT_EQ(state.phase[0], 33);
  EXPECT_EQ(state.planes[3][1], 0);
  StartEffectMode(1, 5, state);
  EXPECT_EQ(state.planes[0][9], 1 << 6);
  StartEffectMode(1, 16, state);
  EXPECT_EQ(state.pulse_phase[16], 122);  // column 0, row 1: 157 − 35

  // The zone keyboard's modes seed nothing, whatever the others' lists hold at that number.
  StartEffectMode(3, 4, state);
  EXPECT_EQ(state.phase[0], 0);
  EXPECT_EQ(state.planes[0][9], 0);
}

}  // namespace
}  // namespace vandrel
