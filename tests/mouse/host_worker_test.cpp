// The host-settings worker: clamping, the latest request winning, and the user-interface thread
// never waiting for the desktop.
#include <gtest/gtest.h>

#include <future>

#include "mouse_fixture.h"
#include "support/deadline.h"

namespace vandrel::testing {
namespace {

class HostWorkerTest : public ::testing::Test {
 protected:
  // What the worker applied, once a device given `requests` has ended (the worker drains first).
  std::vector<std::string> AppliedAfter(const std::function<void(MouseDevice&)>& requests) {
    HidBackendStub backend;
    {
      DeviceChannel channel(backend.bus, backend.clock);
      MouseDevice mouse(channel, state_, pointer_, profiles_, [] { return true; });
      requests(mouse);
    }
    return pointer_.Applied();
  }

  struct HidBackendStub {
    ManualClock clock{ManualClock::Mode::kAutoAdvance};
    sim::VirtualBus bus{clock};
  };

  MouseState state_;
  FakePointerSettings pointer_;
  NoProfileSaver profiles_;
};

TEST_F(HostWorkerTest, PointerSpeedZeroIsAppliedAndStoredAsOne) {
  EXPECT_EQ(AppliedAfter([](MouseDevice& mouse) { mouse.SetPointerSpeed(0); }),
            std::vector<std::string>{"speed 1"});
  EXPECT_EQ(state_.pointer_speed.load(), 1);
}

TEST_F(HostWorkerTest, PointerSpeedAboveTwentyIsAppliedAndStoredAsTwenty) {
  EXPECT_EQ(AppliedAfter([](MouseDevice& mouse) { mouse.SetPointerSpeed(25); }),
            std::vector<std::string>{"speed 20"});
  EXPECT_EQ(state_.pointer_speed.load(), 20);
}

TEST_F(HostWorkerTest, WheelLinesAreAppliedAsGiven) {
  EXPECT_EQ(AppliedAfter([](MouseDevice& mouse) { mouse.SetWheelLines(7); }),
            std::vector<std::string>{"wheel 7"});
}

TEST_F(HostWorkerTest, TheLatestRequestIsTheOneLeftApplied) {
  const std::vector<std::string> applied = AppliedAfter([](MouseDevice& mouse) {
    for (std::uint8_t speed = 2; speed <= 12; ++speed) mouse.SetPointerSpeed(speed);
    mouse.SetWheelLines(4);
    mouse.SetWheelLines(9);
  });
  ASSERT_FALSE(applied.empty());
  std::vector<std::string> speeds, wheels;
  for (const std::string& line : applied) (line[0] == 's' ? speeds : wheels).push_back(line);
  EXPECT_EQ(speeds.back(), "speed 12");
  EXPECT_EQ(wheels.back(), "wheel 9");
  EXPECT_LE(speeds.size(), 11U);
  EXPECT_EQ(state_.pointer_speed.load(), 12);
}

TEST_F(HostWorkerTest, NoDeviceThatIsNeverAskedStartsAThreadOrAppliesAnything) {
  EXPECT_TRUE(AppliedAfter([](MouseDevice&) {}).empty());
}

// A desktop that holds the worker until the test lets it go.
class StuckPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int speed) override {
    if (first_call_.exchange(false)) entered.set_value();
    // Held no longer than a test waits, so that a failed test still ends the worker.
    (void)released_.wait_for(kWaitDeadline);
    last_speed = speed;
    return true;
  }
  bool SetWheelLines(int) override { return true; }
  std::optional<int> PointerSpeed() override { return std::nullopt; }
  std::optional<int> WheelLines() override { return std::nullopt; }

  std::promise<void> entered;
  std::promise<void> release;
  std::atomic<int> last_speed{0};

 private:
  std::atomic<bool> first_call_{true};
  std::shared_future<void> released_ = release.get_future().share();
};

TEST_F(HostWorkerTest, RequestsReturnWhileTheDesktopIsStillBusy) {
  StuckPointerSettings stuck;
  HidBackendStub backend;
  DeviceChannel channel(backend.bus, backend.clock);
  {
    MouseDevice mouse(channel, state_, stuck, profiles_, [] { return true; });
    mouse.SetPointerSpeed(5);
    ASSERT_EQ(stuck.entered.get_future().wait_for(kWaitDeadline), std::future_status::ready)
        << "the worker never reached the desktop";
    mouse.SetPointerSpeed(8);  // returns although the worker is held
    mouse.SetWheelLines(3);
    EXPECT_EQ(state_.pointer_speed.load(), 8);
    stuck.release.set_value();
  }
  EXPECT_EQ(stuck.last_speed.load(), 8);
}

}  // namespace
}  // namespace vandrel::testing
