// The soak's stall detector on the manual clock: quiet while the user-interface thread beats,
// and it gives up once the bound has passed without a beat, not before.
#include "soak/progress_watch.h"

#include <gtest/gtest.h>

#include "core/manual_clock.h"
#include "support/deadline.h"

namespace vandrel::soak {
namespace {

using std::chrono::seconds;
using testing::PollUntil;

TEST(ProgressWatchTest, StaysQuietWhileBeatenAndCallsTheStallOnceTheBoundHasPassedWithout) {
  ManualClock clock;
  std::atomic<int> stalls = 0;
  ProgressWatch watch(clock, seconds(60), [&] { ++stalls; });
  std::size_t requests = 0;
  // Moves the clock one second once the watch waits again, and says whether it is still waiting.
  auto second_passes = [&] {
    ++requests;
    EXPECT_TRUE(PollUntil([&] { return clock.Requests().size() >= requests || stalls > 0; }))
        << "the watch waiting again";
    if (stalls > 0) return false;
    clock.Advance(seconds(1));
    return true;
  };

  for (int i = 0; i < 120; ++i) {
    ASSERT_TRUE(second_passes());
    watch.Beat();
  }
  int quiet_seconds = 0;
  while (quiet_seconds < 70 && second_passes()) ++quiet_seconds;
  ASSERT_TRUE(PollUntil([&] { return stalls > 0; })) << "the stall being called";
  EXPECT_EQ(stalls.load(), 1);
  EXPECT_GT(quiet_seconds, 60);
  EXPECT_LE(quiet_seconds, 62);
}

}  // namespace
}  // namespace vandrel::soak
