// The four lighting threads pass by pass on the manual clock: their sleeps, which frames they
// render and send, and the hand-over between a device's own thread and the synchronised one.
#include "lighting/lighting_threads.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <thread>

#include "core/trace.h"
#include "keyboard/lighting/keyboard_speed_table.h"
#include "keyboard/lighting_harness.h"
#include "support/deadline.h"
#include "thread_harness.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Sleeps = std::vector<Clock::Duration>;

TEST(KeyboardSpeedTableTest, MostModesSleepNinePlusFourPerSpeedStepWithTheirExceptions) {
  EXPECT_EQ(KeyboardFrameSleep(3, 5), 29ms);
  EXPECT_EQ(KeyboardFrameSleep(0, 0), 2ms);
  EXPECT_EQ(KeyboardFrameSleep(5, 14), 65ms);
  EXPECT_EQ(KeyboardFrameSleep(2, 14), 63ms);
  EXPECT_EQ(KeyboardFrameSleep(12, 0), 3ms);
  EXPECT_EQ(KeyboardFrameSleep(17, 0), 0ms);
  EXPECT_EQ(KeyboardFrameSleep(17, 3), 17ms);
  EXPECT_EQ(KeyboardFrameSleep(18, 0), 65ms);
  EXPECT_EQ(KeyboardFrameSleep(18, 14), 61ms);
  EXPECT_EQ(KeyboardFrameSleep(30, 200), 65ms);
}

class LightingThreadTest : public ::testing::Test {
 protected:
  testing::ThreadHarness world_;
};

TEST_F(LightingThreadTest, WithNoDeviceEachThreadRestsAfterItsOwnPause) {
  world_.SetKeyboardLighting({.mode = 18, .speed = 0});
  KeyboardLightingThread(world_.Inputs()).Pass();
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(65ms, 100ms));
  world_.mouse_lighting.Store({.speed = 2});
  MouseLightingThread(world_.Inputs()).Pass();
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(7ms, 10ms, 1000ms));
  world_.pad.lighting.Store({.mode = 9, .speed = 0});
  PadLightingThread(world_.Inputs()).Pass();
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(100ms));
  world_.common.Store({.speed = 3});
  SyncLightingThread(world_.Inputs()).Pass();
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(12ms, 1000ms));
  EXPECT_THAT(world_.keyboard_frames, IsEmpty());
  EXPECT_THAT(world_.pad_frames, IsEmpty());
}

TEST_F(LightingThreadTest, KeyboardThreadRendersPublishesAndSendsTheFrameOfItsModel) {
  world_.keyboard_channel.set_connected(true);
  world_.SetKeyboardLighting({.mode = 1, .brightness = 14, .speed = 0, .direction = 1});
  KeyboardLightingThread thread(world_.Inputs());
  thread.Pass();
  // Mode 1 (one colour for the whole keyboard) waits 20 ms before it renders.
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(9ms, 20ms));
  ASSERT_EQ(world_.keyboard_frames.size(), 1U);
  EXPECT_EQ(world_.keyboard_frames[0].model, 0);
  EXPECT_EQ(world_.keyboard_frames[0].mode, 1);
  const LedEntry first = world_.keyboard_frames[0].image.leds[0];
  EXPECT_EQ((LedEntry{kColourWheel[1].red, kColourWheel[1].green, kColourWheel[1].blue, 255}),
            first);
  EXPECT_EQ(world_.keyboard.frame.Read().leds[0], first);
  EXPECT_EQ(thread.effect().colour_counter, 1);
}

// Until the lighting was read or loaded, live is zeros: rendering it would turn the keys dark.
TEST_F(LightingThreadTest, KeyboardThreadSendsNothingUntilItsLightingIsKnown) {
  world_.keyboard_channel.set_connected(true);
  KeyboardLightingThread thread(world_.Inputs());
  const std::uint64_t before = world_.keyboard.frame.Version();
  for (int pass = 0; pass < 3; ++pass) thread.Pass();
  EXPECT_THAT(world_.keyboard_frames, IsEmpty());
  EXPECT_EQ(world_.keyboard.frame.Version(), before);
  world_.SetKeyboardLighting({.mode = 1, .brightness = 14});
  thread.Pass();
  EXPECT_EQ(world_.keyboard_frames.size(), 1U);
}

TEST_F(LightingThreadTest, SingleColourKeyboardIsOnlyPreviewedAndTheUnusedModelNotRendered) {
  world_.keyboard_channel.set_connected(true);
  world_.SetKeyboardLighting({.mode = 0, .brightness = 14, .speed = 3, .direction = 1});
  world_.keyboard_model = 1;
  KeyboardLightingThread thread(world_.Inputs());
  const std::uint64_t before = world_.keyboard.frame.Version();
  thread.Pass();
  EXPECT_THAT(world_.keyboard_frames, IsEmpty());
  EXPECT_EQ(world_.keyboard.frame.Version(), before + 1);
  world_.keyboard_model = 2;
  thread.Pass();
  EXPECT_EQ(world_.keyboard.frame.Version(), before + 1);
  EXPECT_EQ(thread.effect().colour_counter, 2);
}

TEST_F(LightingThreadTest, KeyboardFollowingTheAnimationIsNotRenderedButItsCounterGrows) {
  world_.keyboard_channel.set_connected(true);
  world_.keyboard_channel.set_sync_lighting(true);
  world_.SetKeyboardLighting({.mode = 0, .speed = 0});
  KeyboardLightingThread thread(world_.Inputs());
  const std::uint64_t before = world_.keyboard.frame.Version();
  for (int pass = 0; pass < 3; ++pass) thread.Pass();
  EXPECT_EQ(world_.keyboard.frame.Version(), before);
  EXPECT_THAT(world_.keyboard_frames, IsEmpty());
  EXPECT_EQ(thread.effect().colour_counter, 3);
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(2ms, 2ms, 2ms));
}

TEST_F(LightingThreadTest, KeyboardEffectKeepsTheKeysItLeavesAloneAsTheAnimationLeftThem) {
  world_.keyboard_channel.set_connected(true);
  world_.keyboard_model = 3;
  KeyboardFrameImage left_by_sync;
  left_by_sync.leds[125] = {1, 2, 3, 4};  // slot 125 is in no zone
  world_.keyboard.frame.Publish(left_by_sync);
  world_.SetKeyboardLighting({.mode = 1, .brightness = 14});
  KeyboardLightingThread(world_.Inputs()).Pass();
  EXPECT_EQ(world_.keyboard.frame.Read().leds[125], (LedEntry{1, 2, 3, 4}));
  ASSERT_EQ(world_.keyboard_frames.size(), 1U);
  EXPECT_EQ(world_.keyboard_frames[0].model, 3);
}

// A clock that moves by itself and lets the test act, as the user-interface thread would, while a
// thread sleeps.
class PausingClock final : public Clock {
 public:
  std::function<void(Duration)> during_sleep;
  [[nodiscard]] Duration Now() const override { return now_; }
  void Sleep(Duration duration) override {
    now_ += duration;
    if (during_sleep) during_sleep(duration);
  }
  [[nodiscard]] bool WaitFor(Event& event, Duration timeout) override {
    if (event.TryWait()) return true;
    Sleep(timeout);
    return false;
  }

 private:
  Duration now_{0};
};

// The page chooses mode 12 while the keyboard thread sleeps. Chosen during the pause before a
// frame, the frame is mode 12's first, rendered on the mode's seed; chosen during the previous
// mode's pre-delay, that frame still belongs to the previous mode and the seed waits for the next.
TEST_F(LightingThreadTest, KeyboardThreadAppliesTheModeRequestBeforeTheFrameOfThatMode) {
  struct Case {
    const char* name;
    std::uint8_t previous_mode;
    Clock::Duration page_acts_during;  // the sleep in which the page chooses the mode
    bool first_frame_is_the_new_mode;
  };
  const Case cases[] = {
      {"during the pause", 11, 9ms, true},
      {"during mode 10's pre-delay", 10, 12ms, false},
  };
  // Mode 12's planes after its first frame.
  testing::LightingHarness reference;
  reference.lighting = {12, 14, 0, 0, 1, 0, 0, 0};
  StartEffectMode(0, 12, reference.state);
  reference.Render();
  for (const Case& c : cases) {
    testing::ThreadHarness world;
    world.keyboard_channel.set_connected(true);
    world.SetKeyboardLighting({c.previous_mode, 14, 0, 0, 1, 0, 0, 0});
    PausingClock clock;
    bool chosen = false;
    clock.during_sleep = [&](Clock::Duration slept) {
      if (chosen || slept != c.page_acts_during) return;
      chosen = true;
      world.SetKeyboardLighting(reference.lighting);
      world.keyboard.engine_requests.RequestMode(0, 12);
    };
    KeyboardLightingThread thread(world.Inputs(clock));
    thread.Pass();
    ASSERT_TRUE(chosen) << c.name;
    ASSERT_EQ(world.keyboard_frames.size(), 1U) << c.name;
    EXPECT_EQ(world.keyboard_frames[0].mode == 12, c.first_frame_is_the_new_mode) << c.name;
    EXPECT_EQ(thread.effect().planes == reference.state.planes, c.first_frame_is_the_new_mode)
        << c.name;
    if (!c.first_frame_is_the_new_mode) thread.Pass();
    EXPECT_EQ(thread.effect().planes, reference.state.planes) << c.name;
    EffectState untouched;
    EXPECT_EQ(world.keyboard.engine_requests.ApplyPending(untouched), 0U) << c.name;
  }
}

// The page may queue while the keyboard is away or follows the synchronised animation: the thread
// takes the requests on every pass, so that none waits for a frame to be rendered.
TEST_F(LightingThreadTest, KeyboardThreadTakesTheRequestsOnPassesThatRenderNothing) {
  struct Case {
    const char* name;
    bool connected;
    bool sync;
  };
  const Case cases[] = {{"absent", false, false}, {"following the animation", true, true}};
  for (const Case& c : cases) {
    testing::ThreadHarness world;
    world.keyboard_channel.set_connected(c.connected);
    world.keyboard_channel.set_sync_lighting(c.sync);
    world.SetKeyboardLighting({.mode = 12, .speed = 0});
    world.keyboard.engine_requests.RequestMode(0, 12);
    world.keyboard.engine_requests.RequestRipple(52);
    KeyboardLightingThread thread(world.Inputs());
    thread.Pass();
    EXPECT_THAT(world.keyboard_frames, IsEmpty()) << c.name;
    EXPECT_EQ(thread.effect().planes[0][9], 1 << 6) << c.name;
    EXPECT_EQ(thread.effect().planes[0][11], 1 << 2) << c.name;
    EffectState untouched;
    EXPECT_EQ(world.keyboard.engine_requests.ApplyPending(untouched), 0U) << c.name;
  }
}

TEST_F(LightingThreadTest, MouseThreadPacesItselfAndKeepsTheMouseTimerRunning) {
  world_.mouse_channel.set_connected(true);
  world_.mouse_lighting.Store({.mode = 4, .speed = 1});
  MouseLightingThread thread(world_.Inputs());
  // Once the timer runs, the passes to come would only keep the pace: the thread may wait.
  EXPECT_TRUE(thread.Pass());
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(5ms, 5ms, 50ms));
  EXPECT_EQ(world_.mouse_timer_rearms, 1);
  world_.mouse_channel.set_sync_lighting(true);
  EXPECT_TRUE(thread.Pass());
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(5ms, 5ms));
  EXPECT_EQ(world_.mouse_timer_rearms, 1);
}

TEST_F(LightingThreadTest, MouseModeAboveFiveIsTracedOnEveryPass) {
  world_.mouse_channel.set_connected(true);
  world_.mouse_lighting.Store({.mode = 6, .speed = 0});
  const TraceCapture trace;
  MouseLightingThread thread(world_.Inputs());
  EXPECT_FALSE(thread.Pass());
  EXPECT_FALSE(thread.Pass());
  EXPECT_THAT(trace.Lines(), ElementsAre(kMouseModeAboveFive, kMouseModeAboveFive));
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(3ms, 3ms));
}

TEST_F(LightingThreadTest, PadThreadRendersSendsAndTakesTheRequestsOnItsOwnThread) {
  world_.pad_channel.set_connected(true);
  world_.pad.lighting.Store({.mode = 5, .brightness = 14, .speed = 2, .seven_colour = 1});
  world_.pad.reset_requested = true;
  PadLightingThread thread(world_.Inputs());
  thread.Pass();
  // Frame delay 9 + 4 × 2, then the ripple's own 50 ms.
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(17ms, 50ms));
  EXPECT_FALSE(world_.pad.reset_requested.load());
  ASSERT_EQ(world_.pad_frames.size(), 1U);
  // The first spark, lit at LED 0 when the mode was chosen, shows at full intensity less its decay.
  EXPECT_EQ(world_.pad_frames[0][0].level, ScaleLevel(255, 225));
  EXPECT_EQ(world_.pad.frame.Read()[0], world_.pad_frames[0][0]);
  world_.pad_flash = true;
  thread.Pass();
  EXPECT_FALSE(world_.pad_flash);
  EXPECT_TRUE(thread.effect().flash_request);
}

TEST_F(LightingThreadTest, PadFollowingTheAnimationIsNotRenderedByItsOwnThread) {
  world_.pad_channel.set_connected(true);
  world_.pad_channel.set_sync_lighting(true);
  world_.pad.lighting.Store({.mode = 3, .brightness = 14, .speed = 0, .red = 255});
  const std::uint64_t before = world_.pad.frame.Version();
  PadLightingThread(world_.Inputs()).Pass();
  EXPECT_EQ(world_.pad.frame.Version(), before);
  EXPECT_THAT(world_.pad_frames, IsEmpty());
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(9ms));
}

TEST_F(LightingThreadTest, SyncThreadWaitsWhileNoDeviceFollowsIt) {
  world_.keyboard_channel.set_connected(true);
  world_.common.Store({.mode = 1, .speed = 0});
  const std::uint64_t before = world_.keyboard.frame.Version();
  EXPECT_TRUE(SyncLightingThread(world_.Inputs()).Pass());
  EXPECT_THAT(world_.TakeSleeps(), IsEmpty());
  EXPECT_EQ(world_.keyboard.frame.Version(), before);
}

TEST_F(LightingThreadTest, SameModeWithOnlyThePadConnectedRendersAndSendsThePadAlone) {
  for (DeviceChannel* channel :
       {&world_.keyboard_channel, &world_.mouse_channel, &world_.pad_channel}) {
    channel->set_sync_lighting(true);
  }
  world_.pad_channel.set_connected(true);
  world_.common.Store({.mode = 3, .brightness = 14, .speed = 1, .red = 10, .green = 20});
  SyncLightingThread thread(world_.Inputs());
  const std::uint64_t keyboard_before = world_.keyboard.frame.Version();
  thread.Pass();
  thread.Pass();
  EXPECT_EQ(world_.keyboard.frame.Version(), keyboard_before);
  EXPECT_THAT(world_.keyboard_frames, IsEmpty());
  ASSERT_EQ(world_.pad_frames.size(), 2U);
  EXPECT_EQ(world_.pad_frames[1][14], (LedEntry{10, 20, 0, 255}));
  // The common speed's pause, then 1 ms for the keyboard not rendered; the mouse follows.
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(4ms, 1ms, 4ms, 1ms));
}

TEST_F(LightingThreadTest, SyncThreadSendsTheLastFramesAgainForAModeItDoesNotKnow) {
  world_.keyboard_channel.set_connected(true);
  world_.keyboard_channel.set_sync_lighting(true);
  world_.pad_channel.set_connected(true);
  world_.pad_channel.set_sync_lighting(true);
  KeyboardFrameImage shown;
  shown.leds[7] = {9, 9, 9, 9};
  world_.keyboard.frame.Publish(shown);
  world_.SetKeyboardLighting({.mode = 2});
  world_.common.Store({.mode = 4, .speed = 0});
  SyncLightingThread(world_.Inputs()).Pass();
  ASSERT_EQ(world_.keyboard_frames.size(), 1U);
  EXPECT_EQ(world_.keyboard_frames[0].image.leds[7], (LedEntry{9, 9, 9, 9}));
  EXPECT_EQ(world_.keyboard_frames[0].mode, 2);
  EXPECT_EQ(world_.pad_frames.size(), 1U);
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(1ms));
}

TEST_F(LightingThreadTest, SyncThreadSendsOnlyToKeyboardsThatTakeFrames) {
  world_.keyboard_channel.set_connected(true);
  world_.keyboard_channel.set_sync_lighting(true);
  world_.keyboard_model = 1;
  world_.common.Store({.mode = 2, .brightness = 14});
  SyncLightingThread thread(world_.Inputs());
  const std::uint64_t before = world_.keyboard.frame.Version();
  thread.Pass();
  EXPECT_EQ(world_.keyboard.frame.Version(), before + 1);
  EXPECT_THAT(world_.keyboard_frames, IsEmpty());
  // Breathing's own 6 ms, then 1 ms each for the mouse and the pad not following.
  EXPECT_THAT(world_.TakeSleeps(), ElementsAre(6ms, 1ms, 1ms));
}

TEST(LightingLoopTest, StartsAfterItsDelayPassesUntilStoppedAndTracesItsExit) {
  ManualClock clock;
  Event stop;
  int passes = 0;
  const TraceCapture trace;
  std::thread body([&] {
    RunLightingLoop(clock, stop, 1000ms, "bye", [&] {
      ++passes;
      return false;
    });
  });
  ASSERT_TRUE(clock.AwaitRequests(1, 10s));
  clock.Advance(1000ms);
  ASSERT_TRUE(clock.AwaitRequests(2, 10s));
  clock.Advance(1ms);
  ASSERT_TRUE(clock.AwaitRequests(3, 10s));
  stop.Set();
  testing::JoinWithin(body, "the loop ending at its stop event");
  EXPECT_EQ(passes, 1);
  EXPECT_THAT(trace.Lines(), ElementsAre("bye"));
  using Kind = ManualClock::Request::Kind;
  EXPECT_THAT(clock.Requests(), ElementsAre(ManualClock::Request{Kind::kWait, 1000ms},
                                            ManualClock::Request{Kind::kWait, 1ms},
                                            ManualClock::Request{Kind::kWait, 1ms}));
}

// A pass that begins with a pause has the loop wait it together with the stop poll: one wait a
// pass instead of two, each as long as both.
TEST(LightingLoopTest, APassesLeadPauseIsWaitedWithTheStopPoll) {
  ManualClock clock;
  Event stop;
  int passes = 0;
  std::thread body([&] {
    RunLightingLoop(
        clock, stop, 1000ms, "bye",
        [&] {
          ++passes;
          return false;
        },
        nullptr, {}, {}, [] { return 5ms; });
  });
  for (std::size_t request = 1; request <= 3; ++request) {
    ASSERT_TRUE(clock.AwaitRequests(request, 10s));
    clock.Advance(clock.Requests().back().duration);
  }
  ASSERT_TRUE(clock.AwaitRequests(4, 10s));
  stop.Set();
  testing::JoinWithin(body, "the loop ending at its stop event");
  using Kind = ManualClock::Request::Kind;
  EXPECT_THAT(
      clock.Requests(),
      ElementsAre(ManualClock::Request{Kind::kWait, 1000ms}, ManualClock::Request{Kind::kWait, 6ms},
                  ManualClock::Request{Kind::kWait, 6ms}, ManualClock::Request{Kind::kWait, 6ms}));
  EXPECT_EQ(passes, 2);
}

TEST(LightingLoopTest, AStopDuringTheStartDelayEndsAtOnce) {
  ManualClock clock;
  Event stop;
  int passes = 0;
  std::thread body([&] {
    RunLightingLoop(clock, stop, 3000ms, "bye", [&] {
      ++passes;
      return false;
    });
  });
  ASSERT_TRUE(clock.AwaitRequests(1, 10s));
  stop.Set();
  testing::JoinWithin(body, "the stop ending the start delay");
  EXPECT_EQ(passes, 0);
}

// Time that moves by what is slept and never waits, so that a thread runs pass after pass at full
// speed; unlike the manual clock it keeps no record of the sleeps.
class RacingClock final : public Clock {
 public:
  [[nodiscard]] Duration Now() const override { return Duration(now_.load()); }
  void Sleep(Duration duration) override { now_ += duration.count(); }
  [[nodiscard]] bool WaitFor(Event& event, Duration timeout) override {
    if (event.TryWait()) return true;
    Sleep(timeout);
    return false;
  }

 private:
  std::atomic<Duration::rep> now_{0};
};

// The page publishes the chosen mode, then asks for the effect reset. Choosing the ripple while
// the pad's thread runs must light its first spark whenever the thread takes the request: a
// thread that read the lighting before it took the request would start the previous mode instead
// and leave the ripple dark for good. The race is rare, so it is run many times.
TEST(PadThreadRaceTest, TheRippleChosenWhileThePadThreadRunsKeepsItsFirstSpark) {
  constexpr std::uint8_t kFlash = 8;  // dark while the mouse asks for no flash
  constexpr std::uint8_t kRipple = 5;
  constexpr int kTrials = 500;
  RacingClock clock;
  testing::FakeHidBackend backend;
  DeviceChannel keyboard_channel(backend, clock);
  DeviceChannel mouse_channel(backend, clock);
  DeviceChannel pad_channel(backend, clock);
  pad_channel.set_connected(true);
  KeyboardState keyboard;
  SharedLightingBlock mouse_lighting;
  SharedLightingBlock common;
  PadAnimation pad;
  std::atomic<int> frames{0};
  std::atomic<bool> lit{false};  // whether the last frame sent shows any LED
  PadLightingThread thread(LightingThreadInputs{
      clock,
      {keyboard_channel, mouse_channel, pad_channel},
      [] { return 0; },
      keyboard,
      mouse_lighting,
      pad,
      common,
      [](std::uint8_t, std::uint8_t, const KeyboardFrameImage&) { return true; },
      [&](const PadFrame& frame) {
        lit =
            std::any_of(frame.begin(), frame.end(), [](const auto& led) { return led.level > 0; });
        ++frames;
        return true;
      },
      [] {},
      [] { return false; }});
  std::atomic<bool> done{false};
  std::thread runner([&] {
    while (!done) thread.Pass();
  });

  const auto deadline = std::chrono::steady_clock::now() + 60s;
  // Waits until `holds` returns true; false when the deadline passed first.
  const auto await = [&](const std::function<bool()>& holds) {
    while (!holds()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
    return true;
  };
  // As the pad's page chooses a mode; then waits until the thread took the request and sent two
  // more frames, the second rendered wholly after it.
  const auto choose = [&](std::uint8_t mode) {
    pad.lighting.Store({.mode = mode, .brightness = 14, .speed = 0, .seven_colour = 1});
    pad.reset_requested = true;
    if (!await([&] { return !pad.reset_requested.load(); })) return false;
    const int taken_at = frames.load();
    return await([&] { return frames.load() >= taken_at + 2; });
  };
  int lost = 0;
  int trials = 0;
  for (; trials < kTrials; ++trials) {
    if (!choose(kFlash) || !choose(kRipple)) break;
    if (!lit.load()) ++lost;
  }
  done = true;
  runner.join();
  EXPECT_EQ(trials, kTrials) << "the thread stopped rendering";
  EXPECT_EQ(lost, 0) << "ripples that stayed dark, of " << trials;
}

// The four threads at once on the steady clock while the window edits the lighting, queues
// requests for the keyboard's engine and hands the devices over between their own threads and the
// synchronised one; run under ThreadSanitizer this is the check that they share nothing unguarded.
TEST(LightingThreadsTogetherTest, RenderAndSendWhileTheWindowEditsAndHandsOver) {
  SteadyClock clock;
  testing::FakeHidBackend backend;
  DeviceChannel keyboard_channel(backend, clock);
  DeviceChannel mouse_channel(backend, clock);
  DeviceChannel pad_channel(backend, clock);
  for (DeviceChannel* channel : {&keyboard_channel, &mouse_channel, &pad_channel}) {
    channel->set_connected(true);
  }
  KeyboardState keyboard;
  keyboard.lighting_known = true;
  SharedLightingBlock mouse_lighting;
  PadAnimation pad;
  SharedLightingBlock common;
  std::atomic<int> keyboard_frames{0};
  std::atomic<int> pad_frames{0};
  std::atomic<int> rearms{0};
  std::atomic<int> model{0};
  const LightingThreadInputs inputs{clock,
                                    {keyboard_channel, mouse_channel, pad_channel},
                                    [&] { return model.load(); },
                                    keyboard,
                                    mouse_lighting,
                                    pad,
                                    common,
                                    [&](std::uint8_t, std::uint8_t, const KeyboardFrameImage&) {
                                      ++keyboard_frames;
                                      return true;
                                    },
                                    [&](const PadFrame&) {
                                      ++pad_frames;
                                      return true;
                                    },
                                    [&] { ++rearms; },
                                    [] { return true; }};
  KeyboardLightingThread keyboard_thread(inputs);
  MouseLightingThread mouse_thread(inputs);
  PadLightingThread pad_thread(inputs);
  SyncLightingThread sync_thread(inputs);
  std::atomic<bool> done{false};
  std::vector<std::thread> threads;
  for (const std::function<void()>& pass : std::initializer_list<std::function<void()>>{
           [&] { keyboard_thread.Pass(); }, [&] { mouse_thread.Pass(); },
           [&] { pad_thread.Pass(); }, [&] { sync_thread.Pass(); }}) {
    threads.emplace_back([&done, pass] {
      while (!done.load()) pass();
    });
  }
  for (std::uint8_t step = 0; step < 40; ++step) {
    const bool sync = step % 8 >= 4;
    for (DeviceChannel* channel : {&keyboard_channel, &mouse_channel, &pad_channel}) {
      channel->set_sync_lighting(sync);
    }
    common.Update([step](LightingBlock& block) { block.mode = step % 4; });
    pad.lighting.Store({.mode = static_cast<std::uint8_t>(step % 9), .brightness = step});
    pad.reset_requested = true;
    {
      KeyboardLightingWrite writing(keyboard);
      keyboard.live.lighting.mode = step % 16;
    }
    model = step % 2 == 0 ? 0 : 3;
    keyboard.engine_requests.RequestMode(static_cast<std::uint8_t>(model.load()), step % 16);
    keyboard.engine_requests.RequestRipple(step);
    keyboard.engine_requests.RequestWalkRestart();
    keyboard.engine_requests.RequestSeed(0, 12);
    (void)keyboard.frame.Read();
    (void)pad.frame.Read();
    std::this_thread::sleep_for(5ms);
  }
  // Once the page stops asking, the keyboard thread's next passes take everything it asked.
  // Three frames: the synchronised thread and a keyboard pass under way may send one each.
  model = 0;
  keyboard_channel.set_sync_lighting(false);
  const int frames_now = keyboard_frames.load();
  const bool rendered =
      testing::PollUntil([&] { return keyboard_frames.load() >= frames_now + 3; });
  EffectState untouched;
  const std::size_t left = keyboard.engine_requests.ApplyPending(untouched);
  done = true;
  for (std::thread& thread : threads)
    testing::JoinWithin(thread, "a lighting thread's passes ending");
  EXPECT_TRUE(rendered) << "the keyboard thread stopped sending";
  EXPECT_EQ(left, 0U);
  EXPECT_GT(keyboard_frames.load(), 0);
  EXPECT_GT(pad_frames.load(), 0);
  EXPECT_GT(rearms.load(), 0);
}

}  // namespace
}  // namespace vandrel
