// When the lighting threads wait for a change instead of rendering: a pass may let its thread wait
// only when every later pass would send the same frame, and a thread that waits wakes for a change
// of what it renders from, and for nothing else.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "keyboard/lighting/keyboard_speed_table.h"
#include "lighting/lighting_threads.h"
#include "support/deadline.h"
#include "thread_harness.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;

struct RestCase {
  std::string name;
  std::function<void(testing::ThreadHarness&)> set_up;
  std::function<bool(LightingThreadInputs)> run;  // passes until rested; whether it did
  std::optional<bool> rests;  // whether the effect stands still within the passes run; any
};

constexpr int kPasses = 300;

// Runs passes of `thread` and checks that once one rests, every later one rests too and sends
// the frame sent when it rested. Returns whether any pass rested.
template <typename Thread, typename Frames>
bool RestsFaithfully(Thread& thread, const Frames& frames) {
  std::optional<std::size_t> rested_at;
  for (int pass = 0; pass < kPasses; ++pass) {
    const bool rests = thread.Pass();
    if (rested_at) {
      EXPECT_TRUE(rests) << "pass " << pass << " moves again after a rest";
      EXPECT_EQ(frames.back(), frames[*rested_at]) << "pass " << pass;
    } else if (rests) {
      if (frames.empty()) return true;
      rested_at = frames.size() - 1;
    }
  }
  return rested_at.has_value();
}

bool KeyboardRests(LightingThreadInputs inputs) {
  std::vector<KeyboardFrameImage> frames;
  inputs.send_keyboard_frame = [&frames](std::uint8_t, std::uint8_t,
                                         const KeyboardFrameImage& image) {
    frames.push_back(image);
    return true;
  };
  KeyboardLightingThread thread(inputs);
  return RestsFaithfully(thread, frames);
}

// For the pad's thread and the synchronised one, which both send pad frames.
template <typename Thread>
bool PadRests(LightingThreadInputs inputs) {
  std::vector<PadFrame> frames;
  inputs.send_pad_frame = [&frames](const PadFrame& frame) {
    frames.push_back(frame);
    return true;
  };
  Thread thread(inputs);
  return RestsFaithfully(thread, frames);
}

RestCase KeyboardCase(int model, std::uint8_t mode, std::optional<bool> rests) {
  return {"keyboard model " + std::to_string(model) + " mode " + std::to_string(mode),
          [model, mode](testing::ThreadHarness& world) {
            world.keyboard_channel.set_connected(true);
            world.keyboard_model = model;
            world.SetKeyboardLighting({mode, 14, 0, 1, 1, 200, 100, 50});
            world.keyboard.engine_requests.RequestMode(static_cast<std::uint8_t>(model), mode);
          },
          &KeyboardRests, rests};
}

RestCase PadCase(std::uint8_t mode, bool flash, std::optional<bool> rests) {
  return {"pad mode " + std::to_string(mode) + (flash ? " flashed" : ""),
          [mode, flash](testing::ThreadHarness& world) {
            world.pad_channel.set_connected(true);
            world.pad.lighting.Store({mode, 14, 0, 1, 1, 200, 100, 50});
            world.pad.RequestReset();
            world.pad_flash = flash;
          },
          &PadRests<PadLightingThread>, rests};
}

RestCase SyncCase(std::uint8_t mode, bool rests) {
  return {"common mode " + std::to_string(mode),
          [mode](testing::ThreadHarness& world) {
            world.pad_channel.set_connected(true);
            world.pad_channel.set_sync_lighting(true);
            world.common.Store({mode, 14, 0, 1, 1, 200, 100, 50});
          },
          &PadRests<SyncLightingThread>, rests};
}

// Every effect that stands still lets its thread wait, and no effect that moves does: a false
// rest would freeze an animation until the user touched something.
TEST(LightingRestTest, APassRestsOnlyWhenEveryLaterPassWouldSendTheSameFrame) {
  std::vector<RestCase> cases = {
      KeyboardCase(0, 0, false), KeyboardCase(0, 3, true),   KeyboardCase(0, 7, true),
      KeyboardCase(0, 9, false), KeyboardCase(0, 13, false), KeyboardCase(0, 18, true),
      KeyboardCase(1, 2, true),  KeyboardCase(1, 0, false),  KeyboardCase(3, 0, false),
      KeyboardCase(3, 3, true),  KeyboardCase(3, 6, false),  KeyboardCase(3, 7, true),
      PadCase(0, false, false),  PadCase(2, false, false),   PadCase(3, false, true),
      PadCase(5, false, false),  // dark once the spark faded, but its position steps on
      PadCase(7, false, false),  PadCase(8, false, true),    PadCase(8, true, true),
      PadCase(9, false, true),   SyncCase(0, false),         SyncCase(2, false),
      SyncCase(3, true),         SyncCase(4, true),
  };
  // Every mode of every model, whatever it does: a rest must hold.
  for (std::uint8_t mode = 0; mode < 19; ++mode) cases.push_back(KeyboardCase(0, mode, {}));
  for (std::uint8_t mode = 0; mode < 11; ++mode) cases.push_back(KeyboardCase(1, mode, {}));
  for (std::uint8_t mode = 0; mode < 8; ++mode) cases.push_back(KeyboardCase(3, mode, {}));
  for (std::uint8_t mode = 0; mode < 10; ++mode) cases.push_back(PadCase(mode, true, {}));
  for (const RestCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ThreadHarness world;
    c.set_up(world);
    const bool rested = c.run(world.Inputs());
    if (c.rests) {
      EXPECT_EQ(rested, *c.rests);
    }
  }
}

// A device that did not take the frame is sent it again on the next pass: the thread never rests
// on a frame the device may lack.
TEST(LightingRestTest, AFrameTheDeviceDidNotTakeKeepsItsThreadSending) {
  testing::ThreadHarness world;
  world.frames_shown = false;
  world.keyboard_channel.set_connected(true);
  world.SetKeyboardLighting({3, 14, 0, 1, 1, 200, 100, 50});
  world.pad_channel.set_connected(true);
  world.pad.lighting.Store({3, 14, 0, 1, 1, 200, 100, 50});
  KeyboardLightingThread keyboard(world.Inputs());
  PadLightingThread pad(world.Inputs());
  for (int pass = 0; pass < 30; ++pass) {
    EXPECT_FALSE(keyboard.Pass()) << pass;
    EXPECT_FALSE(pad.Pass()) << pass;
  }
  EXPECT_GE(world.keyboard_frames.size(), 28U);
  EXPECT_EQ(world.pad_frames.size(), 30U);
}

// The keyboard's colour counter moves on once per pass; a thread that waited instead moves it on
// by the passes it would have run meanwhile (its pause and the stop poll each), whether the pass
// sleeps its own pause or the loop has waited it already.
TEST(LightingRestTest, TheColourCounterCatchesUpOnThePassesWaitedThrough) {
  const struct {
    std::uint8_t mode;
    std::uint8_t speed;
    Clock::Duration waited;
    int passes;  // those that would have run
  } cases[] = {{3, 0, 300ms, 30}, {0, 0, 299ms, 99}, {18, 0, 66ms, 1}, {3, 2, 0ms, 0}};
  for (const auto& c : cases) {
    for (const bool lead_waited : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "mode " << int{c.mode} << ", " << c.waited.count()
                                        << (lead_waited ? ", pause waited by the loop" : ""));
      testing::ThreadHarness world;
      world.keyboard_channel.set_connected(true);
      world.keyboard_channel.set_sync_lighting(true);
      world.SetKeyboardLighting({.mode = c.mode, .speed = c.speed});
      KeyboardLightingThread thread(world.Inputs());
      ASSERT_TRUE(thread.Pass());
      world.clock.Sleep(c.waited);
      if (lead_waited) world.clock.Sleep(KeyboardFrameSleep(c.mode, c.speed));
      ASSERT_TRUE(thread.Pass(lead_waited));
      EXPECT_EQ(thread.effect().colour_counter, 2 + c.passes);
    }
  }
}

// The threads as they run, on a clock that moves only when told: a thread whose frame stands still
// waits without a time-out; a minute later it has not woken once; a change of what it renders
// from wakes it, and it sends the new frame at once.
struct WakeCase {
  std::string name;
  std::function<void(testing::ThreadHarness&)> set_up;
  std::function<void(Event&, const LightingThreadInputs&)> run;
  std::function<void(testing::ThreadHarness&)> change;
  std::function<std::size_t(const testing::ThreadHarness&)> sent;  // frames, or timer restarts
  std::size_t sent_at_rest;
  std::size_t sent_after_change;
};

template <typename Thread>
std::function<void(Event&, const LightingThreadInputs&)> RunOf() {
  return [](Event& stop, const LightingThreadInputs& inputs) { Thread(inputs).Run(stop); };
}

// Steps the thread request by request, each time advancing the clock by what it asked for, until
// it waits for a change; false when it does not within `limit` of simulated time. `seen`: the
// requests already stepped through.
bool DriveUntilResting(ManualClock& clock, std::size_t seen, Clock::Duration limit) {
  const ManualClock::Request rest{ManualClock::Request::Kind::kWait, Clock::Duration::max()};
  const Clock::Duration end = clock.Now() + limit;
  while (clock.Now() <= end) {
    if (!testing::PollUntil(
            [&] { return clock.Requests().size() > seen && clock.BlockedCount() == 1; }))
      return false;
    const std::vector<ManualClock::Request> requests = clock.Requests();
    seen = requests.size();
    if (requests.back() == rest) return true;
    clock.Advance(requests.back().duration);
  }
  return false;
}

TEST(LightingRestTest, AThreadThatRestsWakesForAChangeAndNothingElse) {
  const auto keyboard_frames = [](const testing::ThreadHarness& w) {
    return w.keyboard_frames.size();
  };
  const auto pad_frames = [](const testing::ThreadHarness& w) { return w.pad_frames.size(); };
  const auto pad_static = [](testing::ThreadHarness& w) {
    w.pad_channel.set_connected(true);
    w.pad.lighting.Store({3, 14, 0, 1, 0, 200, 0, 0});
  };
  const auto pad_follows = [](testing::ThreadHarness& w) { w.pad_channel.set_sync_lighting(true); };
  const WakeCase cases[] = {
      {"keyboard, static groups",
       [](testing::ThreadHarness& w) {
         w.keyboard_channel.set_connected(true);
         w.SetKeyboardLighting({3, 14, 0, 1, 0, 200, 0, 0});
       },
       RunOf<KeyboardLightingThread>(),
       [](testing::ThreadHarness& w) {
         w.SetKeyboardLighting({3, 14, 0, 1, 0, 0, 200, 0});
       },
       keyboard_frames, 8, 10},
      {"pad, static", pad_static, RunOf<PadLightingThread>(),
       [](testing::ThreadHarness& w) {
         w.pad.lighting.Store({3, 14, 0, 1, 0, 0, 200, 0});
       },
       pad_frames, 2, 4},
      {"pad, handed to the synchronised animation", pad_static, RunOf<PadLightingThread>(),
       pad_follows, pad_frames, 2, 2},
      {"mouse, keeping its timer",
       [](testing::ThreadHarness& w) {
         w.mouse_channel.set_connected(true);
         w.mouse_lighting.Store({.mode = 2});
       },
       RunOf<MouseLightingThread>(),
       [](testing::ThreadHarness& w) { w.mouse_lighting.Store({.mode = 3}); },
       [](const testing::ThreadHarness& w) {
         return static_cast<std::size_t>(w.mouse_timer_rearms);
       },
       1, 2},
      {"synchronised, nobody following",
       [](testing::ThreadHarness& w) {
         w.pad_channel.set_connected(true);
         w.common.Store({3, 14, 0, 1, 0, 200, 0, 0});
       },
       RunOf<SyncLightingThread>(), pad_follows, pad_frames, 0, 2},
  };
  for (const WakeCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ThreadHarness world;
    c.set_up(world);
    ManualClock clock;
    const LightingThreadInputs inputs = world.Inputs(clock);
    Event stop;
    std::thread body([&] { c.run(stop, inputs); });
    const bool rested = DriveUntilResting(clock, 0, 5s);
    EXPECT_TRUE(rested);
    EXPECT_EQ(c.sent(world), c.sent_at_rest);
    const std::size_t requests = clock.Requests().size();
    clock.Advance(60s);
    EXPECT_TRUE(testing::PollUntil([&] { return clock.BlockedCount() == 1; }));
    EXPECT_EQ(clock.Requests().size(), requests) << "woken with nothing changed";
    const Clock::Duration changed_at = clock.Now();
    if (rested) c.change(world);
    EXPECT_TRUE(testing::PollUntil([&] { return clock.Requests().size() > requests; }))
        << "not woken by the change";
    EXPECT_TRUE(DriveUntilResting(clock, requests, 5s));
    EXPECT_EQ(c.sent(world), c.sent_after_change);
    // The new frame goes at the next pass, and the one after finds it unchanged: two passes of a
    // stop poll and a pause, never a long wait.
    EXPECT_LE(clock.Now() - changed_at, 20ms);
    stop.Set();
    testing::JoinWithin(body, "a lighting thread ending at its stop");
  }
}

}  // namespace
}  // namespace vandrel
