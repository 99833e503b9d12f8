// The worker threads: start order, stop events and the bounded stop.
#include "app/worker_threads.h"

#include <gmock/gmock.h>

#include <array>
#include <atomic>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/manual_clock.h"
#include "core/trace.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using std::chrono::milliseconds;
using Request = ManualClock::Request;

// Records which slot's thread ran with which stop event.
struct StartLog {
  std::mutex mutex;
  std::vector<int> slots;
  std::vector<Event*> events;
};

WorkerThreads::Body Recording(StartLog& log, int slot) {
  return [&log, slot](Event& stop) {
    {
      std::lock_guard lock(log.mutex);
      log.slots.push_back(slot);
      log.events.push_back(&stop);
    }
    stop.Wait();
  };
}

TEST(WorkerThreadsTest, EachSlotGetsItsOwnStopEventAndOnlySlotsWithABodyStart) {
  SteadyClock clock;
  WorkerThreads threads(clock);
  StartLog log;
  threads.SetBody(WorkerSlot::kKeyboardMonitor, Recording(log, 0));
  threads.SetBody(WorkerSlot::kMouseMonitor, Recording(log, 1));
  threads.SetBody(WorkerSlot::kPadLightWatcher, Recording(log, 13));
  EXPECT_FALSE(threads.HasBody(WorkerSlot::kSyncLighting));
  threads.Start();
  EXPECT_EQ(threads.Stop(), StopOutcome::kAllEnded);
  ASSERT_EQ(log.slots.size(), 3U);
  for (std::size_t i = 0; i < log.slots.size(); ++i) {
    const int event = kStopEventOfSlot[static_cast<std::size_t>(log.slots[i])];
    EXPECT_EQ(log.events[i], &threads.StopEvent(event)) << "slot " << log.slots[i];
  }
  // The keyboard monitor has event 1, the mouse monitor event 0.
  EXPECT_EQ(kStopEventOfSlot[0], 1);
  EXPECT_EQ(kStopEventOfSlot[1], 0);
}

TEST(WorkerThreadsTest, AStopLeftFromBeforeIsClearedBeforeTheThreadsStart) {
  SteadyClock clock;
  WorkerThreads threads(clock);
  std::atomic<bool> saw_stop_at_start{true};
  Event started;
  threads.SetBody(WorkerSlot::kMouseListener, [&](Event& stop) {
    saw_stop_at_start = stop.IsSet();
    started.Set();
    stop.Wait();
  });
  threads.StopEvent(3).Set();
  threads.Start();
  ASSERT_TRUE(started.Wait(testing::kWaitDeadline)) << "the thread never started";
  EXPECT_FALSE(saw_stop_at_start);
  EXPECT_EQ(threads.Stop(), StopOutcome::kAllEnded);
}

TEST(WorkerThreadsTest, StartPausesAfterTheFirstAndTheSecondThreadOnly) {
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  WorkerThreads threads(clock);
  for (const WorkerSlot slot : {WorkerSlot::kKeyboardMonitor, WorkerSlot::kMouseMonitor,
                                WorkerSlot::kPadMonitor, WorkerSlot::kMouseListener}) {
    threads.SetBody(slot, [](Event&) {});
  }
  threads.Start();
  EXPECT_THAT(clock.Requests(),
              ::testing::ElementsAre(Request{Request::Kind::kSleep, milliseconds(20)},
                                     Request{Request::Kind::kSleep, milliseconds(20)}));
}

TEST(WorkerThreadsTest, AThreadThatNeverEndsIsAbandonedAfterTenSeconds) {
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  // The abandoned thread may outlive the test: it owns what it waits on.
  auto release = std::make_shared<Event>();
  {
    WorkerThreads threads(clock);
    threads.SetBody(WorkerSlot::kSyncLighting, [release](Event&) { release->Wait(); });
    threads.Start();
    TraceCapture trace;
    EXPECT_EQ(threads.Stop(), StopOutcome::kTimedOut);
    EXPECT_EQ(clock.Requests().back(), (Request{Request::Kind::kWait, std::chrono::seconds(10)}));
    EXPECT_TRUE(trace.Contains("worker threads stopped: timed out, the rest abandoned"));
    EXPECT_EQ(threads.Stop(), StopOutcome::kNoneRunning);
  }
  // The abandoned thread outlives its owner and may still end on its own.
  release->Set();
}

// Each slot's thread reads its own name as `top -H` shows it.
TEST(WorkerThreadsTest, EveryStartedThreadCarriesItsSlotsOwnName) {
  SteadyClock clock;
  WorkerThreads threads(clock);
  std::array<std::string, kWorkerCount> shown;
  std::atomic<std::size_t> started = 0;
  for (std::size_t slot = 0; slot < kWorkerCount; ++slot) {
    threads.SetBody(static_cast<WorkerSlot>(slot), [&, slot](Event& stop) {
      std::getline(std::ifstream("/proc/thread-self/comm"), shown[slot]);
      ++started;
      stop.Wait();
    });
  }
  threads.Start();
  ASSERT_TRUE(testing::PollUntil([&] { return started == kWorkerCount; })) << "not every thread";
  EXPECT_THAT(shown, ::testing::ElementsAreArray(kWorkerNames));
  EXPECT_EQ(std::set(shown.begin(), shown.end()).size(), kWorkerCount) << "two slots share a name";
  EXPECT_EQ(threads.Stop(), StopOutcome::kAllEnded);
}

TEST(WorkerThreadsTest, StoppingWithoutThreadsWaitsForNothing) {
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  WorkerThreads threads(clock);
  threads.Start();
  EXPECT_EQ(threads.Stop(), StopOutcome::kNoneRunning);
  EXPECT_TRUE(clock.Requests().empty());
}

}  // namespace
}  // namespace vandrel
