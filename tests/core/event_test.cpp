#include "core/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;

TEST(EventTest, ManualResetStaysSetForEveryWaiterUntilReset) {
  Event event(EventReset::kManual);
  EXPECT_FALSE(event.TryWait());
  event.Set();
  EXPECT_TRUE(event.TryWait());
  EXPECT_TRUE(event.Wait(0us));
  EXPECT_TRUE(event.IsSet());
  event.Reset();
  EXPECT_FALSE(event.IsSet());
  EXPECT_FALSE(event.Wait(1ms));
}

TEST(EventTest, AutoResetReleasesExactlyOneWaiter) {
  Event event(EventReset::kAuto, /*initially_set=*/true);
  EXPECT_TRUE(event.IsSet());
  EXPECT_TRUE(event.TryWait());
  EXPECT_FALSE(event.TryWait());

  std::atomic<int> released{0};
  std::thread first([&] { released += event.Wait(5s) ? 1 : 0; });
  std::thread second([&] { released += event.Wait(200ms) ? 1 : 0; });
  event.Set();
  first.join();
  second.join();
  EXPECT_EQ(released.load(), 1);
}

TEST(EventTest, SetFromAnotherThreadEndsAWaitAtOnce) {
  Event stop;
  std::thread setter([&] {
    std::this_thread::sleep_for(10ms);
    stop.Set();
  });
  {
    const testing::Watchdog watchdog("the set ending an hour's wait");
    EXPECT_TRUE(stop.Wait(std::chrono::hours(1)));
  }
  setter.join();
}

TEST(EventTest, TheLongestTimeOutWaitsWithoutOverflow) {
  Event event(EventReset::kAuto);
  std::thread setter([&] {
    std::this_thread::sleep_for(5ms);
    event.Set();
  });
  {
    const testing::Watchdog watchdog("the set ending the longest wait");
    EXPECT_TRUE(event.Wait(std::chrono::microseconds::max()));
  }
  setter.join();
}

TEST(EventTest, ListenersHearEverySetUntilRemoved) {
  struct Counter final : Event::Listener {
    int sets = 0;
    void OnEventSet() override { ++sets; }
  } counter;
  Event event(EventReset::kAuto);
  event.AddListener(&counter);
  event.Set();
  event.Set();
  event.RemoveListener(&counter);
  event.Set();
  EXPECT_EQ(counter.sets, 2);
}

}  // namespace
}  // namespace vandrel
