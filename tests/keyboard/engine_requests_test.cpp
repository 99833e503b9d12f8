// The requests the pages queue for the keyboard thread's engine: what each does to the frames
// rendered after it, that the queue keeps their order, and what it drops.
#include "keyboard/lighting/engine_requests.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>
#include <vector>

#include "lighting_harness.h"

namespace vandrel {
namespace {

using Kind = EngineRequest::Kind;

// The colours of the keys that show light, with their levels applied.
std::set<std::tuple<int, int, int>> LitColours(const KeyboardLedFrame& frame) {
  std::set<std::tuple<int, int, int>> colours;
  for (const LedEntry& entry : frame) {
    const int red = entry.red * entry.level >> 8;
    const int green = entry.green * entry.level >> 8;
    const int blue = entry.blue * entry.level >> 8;
    if (red + green + blue > 0) colours.insert({red, green, blue});
  }
  return colours;
}

std::set<int> LitSlots(const KeyboardLedFrame& frame) {
  std::set<int> slots;
  for (std::size_t slot = 0; slot < frame.size(); ++slot) {
    if (frame[slot].level > 0) slots.insert(static_cast<int>(slot));
  }
  return slots;
}

// The modes that start from a seed are dark (or all one colour) without it.
TEST(EngineRequests, ChoosingAModeSeedsWhatItsFirstFramesShow) {
  struct Case {
    std::uint8_t mode;
    std::size_t colours_unseeded;  // distinct lit colours after a few frames, never seeded
    std::size_t colours_seeded_at_least;
  };
  const Case cases[] = {
      {10, 1, 60},  // the per-key rainbow: 64 places on the wheel
      {12, 0, 1},   // ripples rising from below column 9
      {15, 0, 1},   // ripples from the corner at column 1
  };
  for (const Case& c : cases) {
    for (const bool seeded : {false, true}) {
      testing::LightingHarness harness;
      harness.lighting = {c.mode, 14, 14, 0, 1, 0, 0, 0};
      KeyboardEngineRequests requests;
      if (seeded) requests.RequestMode(0, c.mode);
      EXPECT_EQ(requests.ApplyPending(harness.state), seeded ? 1U : 0U);
      for (int frame = 0; frame < 4; ++frame) harness.Render();
      const std::size_t colours = LitColours(harness.frame).size();
      if (seeded) {
        EXPECT_GE(colours, c.colours_seeded_at_least) << "mode " << int{c.mode};
      } else {
        EXPECT_EQ(colours, c.colours_unseeded) << "mode " << int{c.mode};
      }
    }
  }
}

// Rendered in the ripple mode from rest, a ripple at a key lights the key and, a frame later, the
// keys next to it in the matrix (columns left and right, rows above and below).
TEST(EngineRequests, ARippleAtAKeyLightsItAndThenItsNeighbours) {
  struct Case {
    std::uint8_t slot;
    std::set<int> first_frame;
    std::set<int> second_frame;
  };
  const Case cases[] = {
      {52, {52}, {52, 51, 53, 31, 73}},  // column 11, row 2
      {0, {0}, {0, 1, 22}},              // column 2, row 0: nothing above, column 1 empty there
      {118, {118}, {118, 119, 99}},      // column 22, row 4: row 5 and column 23 hold nothing
  };
  for (const Case& c : cases) {
    testing::LightingHarness harness;
    harness.lighting = {12, 14, 14, 0, 0, 200, 100, 50};
    KeyboardEngineRequests requests;
    requests.RequestReset();
    requests.RequestRipple(c.slot);
    EXPECT_EQ(requests.ApplyPending(harness.state), 2U);
    harness.Render();
    EXPECT_EQ(LitSlots(harness.frame), c.first_frame) << "slot " << int{c.slot};
    harness.Render();
    EXPECT_EQ(LitSlots(harness.frame), c.second_frame) << "slot " << int{c.slot};
  }
}

// Model 3's zone stack, restarted in the middle of its walk, shows what a stack that never ran
// shows; left alone it goes on where it was.
TEST(EngineRequests, AWalkRestartStartsTheZoneStackAfresh) {
  const LightingBlock lighting{6, 14, 0, 1, 0, 0, 0, 0};
  testing::LightingHarness fresh;
  fresh.model = 3;
  fresh.lighting = lighting;
  for (const bool restarted : {false, true}) {
    testing::LightingHarness walked;
    walked.model = 3;
    walked.lighting = lighting;
    for (int frame = 0; frame < 4; ++frame) walked.Render();
    KeyboardEngineRequests requests;
    if (restarted) requests.RequestWalkRestart();
    (void)requests.ApplyPending(walked.state);
    testing::LightingHarness first = fresh;
    bool same = true;
    for (int frame = 0; frame < 3; ++frame) {
      walked.Render();
      first.Render();
      same = same && walked.state.zone_colour == first.state.zone_colour &&
             walked.frame == first.frame;
    }
    EXPECT_EQ(same, restarted);
  }
}

// Requests apply in the order they were queued: a mode chosen after a ripple wipes it, a ripple
// after the mode adds to the mode's seed.
TEST(EngineRequests, TheQueueKeepsTheOrderOfTheRequests) {
  constexpr std::uint8_t kSlot52Column = 11, kSlot52Row = 2;
  struct Case {
    const char* name;
    std::function<void(KeyboardEngineRequests&)> queue;
    bool ripple_at_52;
    bool seed_below_column_9;
  };
  const Case cases[] = {
      {"ripple, then mode 12",
       [](KeyboardEngineRequests& r) {
         r.RequestRipple(52);
         r.RequestMode(0, 12);
       },
       false, true},
      {"mode 12, then ripple",
       [](KeyboardEngineRequests& r) {
         r.RequestMode(0, 12);
         r.RequestRipple(52);
       },
       true, true},
      {"ripple, then reset",
       [](KeyboardEngineRequests& r) {
         r.RequestRipple(52);
         r.RequestReset();
       },
       false, false},
      {"ripple, then the seed of mode 12 alone",
       [](KeyboardEngineRequests& r) {
         r.RequestRipple(52);
         r.RequestSeed(0, 12);
       },
       true, true},
  };
  for (const Case& c : cases) {
    KeyboardEngineRequests requests;
    c.queue(requests);
    EffectState state;
    (void)requests.ApplyPending(state);
    const bool ripple = (state.planes[0][kSlot52Column] >> kSlot52Row & 1) != 0;
    const bool seed = (state.planes[0][9] >> 6 & 1) != 0;
    EXPECT_EQ(ripple, c.ripple_at_52) << c.name;
    EXPECT_EQ(seed, c.seed_below_column_9) << c.name;
    EXPECT_EQ(requests.ApplyPending(state), 0U) << c.name << ": taken once only";
  }
}

TEST(EngineRequests, ASeedRepeatedBackToBackIsQueuedOnceAndAFullQueueDropsTheRest) {
  struct Case {
    const char* name;
    std::vector<EngineRequest> pushed;
    std::size_t applied;
  };
  const EngineRequest seed12{.kind = Kind::kSeedMode, .model = 0, .mode = 12};
  const EngineRequest seed15{.kind = Kind::kSeedMode, .model = 0, .mode = 15};
  const EngineRequest ripple{.kind = Kind::kRipple, .slot = 52};
  const Case cases[] = {
      {"the same seed twice", {seed12, seed12}, 1},
      {"two seeds of different modes", {seed12, seed15, seed12}, 3},
      {"the same seed around a ripple", {seed12, ripple, seed12}, 3},
      {"more ripples than the queue holds", std::vector<EngineRequest>(70, ripple),
       KeyboardEngineRequests::kCapacity},
  };
  for (const Case& c : cases) {
    KeyboardEngineRequests requests;
    for (const EngineRequest& request : c.pushed) {
      if (request.kind == Kind::kSeedMode) {
        requests.RequestSeed(request.model, request.mode);
      } else {
        requests.RequestRipple(request.slot);
      }
    }
    EffectState state;
    EXPECT_EQ(requests.ApplyPending(state), c.applied) << c.name;
  }
}

}  // namespace
}  // namespace vandrel
