// The soak's device chaos on a clock that runs ahead by itself: every fault kind is shown, and
// the stop pulls out what is still plugged and counts it.
#include "soak/device_chaos.h"

#include <gmock/gmock.h>

#include "core/manual_clock.h"
#include "support/deadline.h"

namespace vandrel::soak {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Key;
using testing::PollUntil;

TEST(DeviceChaosTest, PlugsWithEveryFaultKindAndLeavesNothingPluggedAfterTheStop) {
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  sim::VirtualBus bus(clock);
  DeviceChaos chaos(bus, clock, 5);
  chaos.Start();
  ASSERT_TRUE(PollUntil([&] { return chaos.Counts().cycles >= 100; })) << "100 cycles";
  chaos.Stop();

  EXPECT_THAT(bus.Devices(), IsEmpty());
  const ChaosCounts counts = chaos.Counts();
  EXPECT_THAT(counts.faults,
              ElementsAre(Key("late reply"), Key("none"), Key("refusal"), Key("silent"),
                          Key("slow writes"), Key("unplug in a transfer"), Key("usb timing")));
  int shown = 0;
  for (const auto& [kind, count] : counts.faults) shown += count;
  EXPECT_GE(shown, counts.cycles) << "every plug shows a fault";
  EXPECT_GT(counts.device_actions, 0);
  EXPECT_EQ(counts.opened, 0) << "no host opened anything";
  EXPECT_EQ(counts.requests, 0);
}

}  // namespace
}  // namespace vandrel::soak
