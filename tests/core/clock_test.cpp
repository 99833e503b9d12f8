#include "core/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/manual_clock.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using Kind = ManualClock::Request::Kind;
constexpr auto kRealPatience = 10s;

TEST(ManualClockTest, SleepBlocksUntilTheClockIsAdvancedPastItsDeadline) {
  ManualClock clock;
  std::atomic<bool> woke{false};
  std::thread sleeper([&] {
    clock.Sleep(100ms);
    woke = true;
  });
  ASSERT_TRUE(clock.AwaitRequests(1, kRealPatience));
  EXPECT_EQ(clock.BlockedCount(), 1U);
  clock.Advance(99ms);
  EXPECT_FALSE(woke.load());
  clock.Advance(1ms);
  testing::JoinWithin(sleeper, "the sleep ending once the clock passed it");
  EXPECT_TRUE(woke.load());
  EXPECT_EQ(clock.Now(), 100ms);
  EXPECT_EQ(clock.BlockedCount(), 0U);
}

TEST(ManualClockTest, WaitEndsWhenTheEventIsSetWithoutTimePassing) {
  ManualClock clock;
  Event stop;
  std::atomic<int> result{-1};
  std::thread waiter([&] { result = clock.WaitFor(stop, 10s) ? 1 : 0; });
  ASSERT_TRUE(clock.AwaitRequests(1, kRealPatience));
  stop.Set();
  testing::JoinWithin(waiter, "the wait ending at its event");
  EXPECT_EQ(result.load(), 1);
  EXPECT_EQ(clock.Now(), 0ms);
}

TEST(ManualClockTest, WaitTimesOutOnlyWhenAdvanced) {
  ManualClock clock;
  Event never;
  std::atomic<int> result{-1};
  std::thread waiter([&] { result = clock.WaitFor(never, 300ms) ? 1 : 0; });
  ASSERT_TRUE(clock.AwaitRequests(1, kRealPatience));
  clock.Advance(300ms);
  testing::JoinWithin(waiter, "the wait timing out once the clock passed it");
  EXPECT_EQ(result.load(), 0);
}

TEST(ManualClockTest, RecordsEveryRequestOfAThreadPassByPass) {
  ManualClock clock;
  Event stop;
  // A typical worker loop: poll the stop event, then pause.
  std::thread worker([&] {
    while (!clock.WaitFor(stop, 0ms)) clock.Sleep(1000ms);
  });
  for (std::size_t pass = 1; pass <= 3; ++pass) {
    ASSERT_TRUE(clock.AwaitRequests(pass * 2, kRealPatience));
    if (pass == 3) stop.Set();
    clock.Advance(1000ms);
  }
  testing::JoinWithin(worker, "the worker ending at its stop event");
  const std::vector<ManualClock::Request> requests = clock.Requests();
  ASSERT_EQ(requests.size(), 7U);
  for (std::size_t i = 0; i < 6; i += 2) {
    EXPECT_EQ(requests[i], (ManualClock::Request{Kind::kWait, 0ms}));
    EXPECT_EQ(requests[i + 1], (ManualClock::Request{Kind::kSleep, 1000ms}));
  }
}

TEST(ManualClockTest, AutoAdvanceModeMovesTimeOnItsOwnForSingleThreadedTests) {
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  Event event;
  clock.Sleep(10ms);
  EXPECT_FALSE(clock.WaitFor(event, 300ms));
  event.Set();
  EXPECT_TRUE(clock.WaitFor(event, 300ms));
  EXPECT_EQ(clock.Now(), 310ms);
  EXPECT_EQ(clock.Requests().size(), 3U);
}

TEST(SteadyClockTest, WaitReturnsAsSoonAsTheEventIsSet) {
  SteadyClock clock;
  Event event;
  event.Set();
  EXPECT_TRUE(clock.WaitFor(event, std::chrono::hours(1)));
  const Clock::Duration before = clock.Now();
  clock.Sleep(1ms);
  EXPECT_GE(clock.Now() - before, 1ms);
}

}  // namespace
}  // namespace vandrel
