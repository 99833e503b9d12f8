#include "device/notification_listener.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "core/manual_clock.h"
#include "core/trace.h"
#include "device/product_ids.h"
#include "fake_main_window.h"
#include "sim/virtual_bus.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

// The listener runs on its own thread on a manual clock; the test moves the clock on whenever
// the listener waits on it, until what it expects has happened.
class NotificationListenerTest : public ::testing::Test {
 protected:
  ~NotificationListenerTest() override { StopListener(); }

  void StartListener(DeviceKind kind) {
    listener_ = std::make_unique<NotificationListener>(kind, bus_, window_, clock_);
    thread_ = std::thread([this] { listener_->Run(stop_); });
  }

  void StopListener() {
    if (!thread_.joinable()) return;
    stop_.Set();
    testing::JoinWithin(thread_, "the listener ending at its stop event");
  }

  // Advances the clock 100 ms at a time while the listener waits, until `done` holds.
  bool RunUntil(const std::function<bool()>& done) {
    const auto give_up = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      if (clock_.BlockedCount() > 0) clock_.Advance(100ms);
      std::this_thread::sleep_for(1ms);
    }
    return true;
  }

  bool WaitForEvents(std::size_t count) {
    return RunUntil([&] { return window_.Events().size() >= count; });
  }

  // Moves the clock until the listener has `device`'s consumer-control collection open.
  bool ListeningTo(const sim::SimulatedDevice& device) {
    return RunUntil([&] { return device.ConnectionCount() == 1; });
  }

  ManualClock clock_;
  sim::VirtualBus bus_{clock_};
  testing::FakeMainWindow window_;
  Event stop_;
  std::unique_ptr<NotificationListener> listener_;
  std::thread thread_;
};

TEST_F(NotificationListenerTest, KeyboardNotificationsBecomeMessages) {
  const auto keyboard = bus_.Plug(kZoneKeyboardProductId);
  StartListener(DeviceKind::kKeyboard);
  ASSERT_TRUE(ListeningTo(*keyboard));
  keyboard->Notify(0x0401);
  keyboard->Notify(0x0499);
  keyboard->Notify(0x0402);
  keyboard->Notify(0x0403);
  keyboard->Notify(0x0401);
  ASSERT_TRUE(WaitForEvents(3));
  StopListener();
  EXPECT_EQ(window_.Events(), (Events{"send 0x0b02", "send 0x0b01", "send 0x0b02"}));
}

TEST_F(NotificationListenerTest, MouseNotificationsBecomeTimerMessageAndFlash) {
  const auto mouse = bus_.Plug(kMouseProductId);
  StartListener(DeviceKind::kMouse);
  ASSERT_TRUE(ListeningTo(*mouse));
  mouse->SwitchSlot(1);
  mouse->ChangeDpiLevel(3);
  mouse->Notify(0x0402);
  mouse->Notify(0x0403);
  ASSERT_TRUE(WaitForEvents(4));
  EXPECT_EQ(window_.Events(), (Events{"timer 14 100", "timer 14 100", "send 0x0901", "pad flash"}));
}

TEST_F(NotificationListenerTest, OnlyTheListenersOwnDeviceIsHeard) {
  const auto keyboard = bus_.Plug(kKeyboardProductId);
  const auto pad = bus_.Plug(kPadProductId);
  StartListener(DeviceKind::kMouse);
  ASSERT_TRUE(RunUntil([&] { return clock_.Now() >= 3s; }));
  EXPECT_EQ(keyboard->ConnectionCount() + pad->ConnectionCount(), 0);
  keyboard->Notify(0x0402);
  const auto mouse = bus_.Plug(kMouseProductId);
  ASSERT_TRUE(ListeningTo(*mouse));
  mouse->Notify(0x0402);
  ASSERT_TRUE(WaitForEvents(1));
  StopListener();
  EXPECT_EQ(window_.Events(), (Events{"send 0x0901"}));
}

TEST_F(NotificationListenerTest, UnplugDuringAReadReturnsToSearching) {
  const auto first = bus_.Plug(kMouseProductId);
  StartListener(DeviceKind::kMouse);
  ASSERT_TRUE(ListeningTo(*first));
  bus_.Unplug(first);
  const auto second = bus_.Plug(kMouseProductId);
  ASSERT_TRUE(ListeningTo(*second));
  second->Notify(0x0403);
  ASSERT_TRUE(WaitForEvents(1));
  EXPECT_EQ(window_.Events(), (Events{"pad flash"}));
}

TEST_F(NotificationListenerTest, StopEndsAReadInProgressWithoutTimePassing) {
  const auto keyboard = bus_.Plug(kKeyboardProductId);
  StartListener(DeviceKind::kKeyboard);
  ASSERT_TRUE(ListeningTo(*keyboard));
  ASSERT_TRUE(RunUntil([&] { return clock_.BlockedCount() == 1; }));
  const Clock::Duration before = clock_.Now();
  TraceCapture trace;
  StopListener();
  EXPECT_EQ(clock_.Now(), before);
  EXPECT_TRUE(trace.Contains("keyboard notification listener ends"));
}

}  // namespace
}  // namespace vandrel
