#include "core/change_signal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "core/manual_clock.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

// What sets a Wakeup and what must not: each case does one thing to a stop event and two signals
// (the Wakeup listens to the first only) and says whether the Wakeup is set afterwards. A Wakeup
// that listened to all of them and is gone must be forgotten by them (under AddressSanitizer a
// dangling listener fails here).
TEST(ChangeSignalTest, AWakeupIsSetByItsStopAndItsSignalsOnly) {
  struct Case {
    const char* what;
    bool stop_before;  // the stop event set before the Wakeup exists
    bool stop_after;   // set while it exists
    int notify_heard;  // notifications of the signal it listens to
    int notify_other;  // notifications of a signal it does not listen to
    bool expect_set;
  };
  const Case kCases[] = {
      {"nothing happens", false, false, 0, 0, false},
      {"stop set before", true, false, 0, 0, true},
      {"stop set while waiting", false, true, 0, 0, true},
      {"its signal notified", false, false, 1, 0, true},
      {"its signal notified twice", false, false, 2, 0, true},
      {"another signal notified", false, false, 0, 1, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Event stop;
    ChangeSignal heard;
    ChangeSignal other;
    if (c.stop_before) stop.Set();
    auto gone = std::make_unique<Wakeup>(stop);  // on the heap, where AddressSanitizer watches
    gone->Listen(&heard);
    gone->Listen(&other);
    gone.reset();
    Wakeup wakeup(stop);
    wakeup.Listen(&heard);
    wakeup.Listen(&heard);  // listening twice must not double anything
    wakeup.Listen(nullptr);
    if (c.stop_after) stop.Set();
    for (int i = 0; i < c.notify_heard; ++i) heard.Notify();
    for (int i = 0; i < c.notify_other; ++i) other.Notify();
    EXPECT_EQ(wakeup.event().TryWait(), c.expect_set);
    // A wake-up is consumed by the wait it ends: several changes make one wake-up, not a backlog.
    EXPECT_FALSE(wakeup.event().TryWait());
  }
}

// A thread waiting without end on the manual clock: the wait is recorded as endless, time passing
// does not end it, a notification does.
TEST(ChangeSignalTest, AnEndlessWaitEndsOnANotificationNotOnTime) {
  ManualClock clock;
  Event stop;
  ChangeSignal signal;
  Wakeup wakeup(stop);
  wakeup.Listen(&signal);
  bool woken = false;
  std::thread waiter([&] { woken = clock.WaitFor(wakeup.event(), Clock::Duration::max()); });
  ASSERT_TRUE(clock.AwaitRequests(1, testing::kWaitDeadline));
  clock.Advance(std::chrono::hours(24 * 365));
  EXPECT_EQ(clock.BlockedCount(), 1u);
  signal.Notify();
  testing::JoinWithin(waiter, "the notified wait ending");
  EXPECT_TRUE(woken);
  EXPECT_EQ(clock.Requests(), (std::vector<ManualClock::Request>{
                                  {ManualClock::Request::Kind::kWait, Clock::Duration::max()}}));
}

}  // namespace
}  // namespace vandrel
