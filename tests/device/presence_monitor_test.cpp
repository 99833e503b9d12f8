#include "device/presence_monitor.h"

#include <gtest/gtest.h>

#include <thread>

#include "channel_fixture.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

class PresenceMonitorTest : public testing::ChannelFixture {
 protected:
  PresenceMonitor keyboard_monitor_{DeviceKind::kKeyboard, channels_, window_, clock_};
  PresenceMonitor mouse_monitor_{DeviceKind::kMouse, channels_, window_, clock_};
  PresenceMonitor pad_monitor_{DeviceKind::kPad, channels_, window_, clock_};
};

TEST_F(PresenceMonitorTest, NoDeviceAtStartPostsNothingAndALaterOneSetsItsTimer) {
  EXPECT_EQ(keyboard_monitor_.PollOnce(), 1000ms);
  EXPECT_TRUE(window_.Take().empty());
  bus_.Plug(kKeyboardProductId);
  EXPECT_EQ(keyboard_monitor_.PollOnce(), 100ms);
  // Found after the first poll: no activation.
  EXPECT_EQ(window_.Take(), (Events{"model 1", "timer 1003 500"}));
  EXPECT_TRUE(keyboard_.connected());
}

TEST_F(PresenceMonitorTest, ADeviceThereAtStartIsConnectedAndActivatesTheWindow) {
  bus_.Plug(kMouseProductId);
  EXPECT_EQ(mouse_monitor_.PollOnce(), 1500ms);
  EXPECT_EQ(window_.Take(), (Events{"timer 1005 1000", "activate"}));
  EXPECT_EQ(mouse_monitor_.PollOnce(), 1500ms);
  EXPECT_EQ(window_.Take(), (Events{"hide ms_deng_same_mode"}));
}

TEST_F(PresenceMonitorTest, KeyboardProductIdsChooseTheModel) {
  struct Case {
    std::uint16_t product_id;
    std::string model;
  };
  for (const Case& c : {Case{0x6556, "model 3"}, Case{0x8611, "model 0"}, Case{0x7653, "model 0"},
                        Case{0x0001, "model 1"}}) {
    const auto keyboard = bus_.Plug(c.product_id);
    ASSERT_TRUE(keyboard_monitor_.PollOnce().has_value());
    EXPECT_EQ(window_.Take().front(), c.model);
    bus_.Unplug(keyboard);
    ASSERT_TRUE(keyboard_monitor_.PollOnce().has_value());
    ASSERT_FALSE(keyboard_.connected());
    window_.Take();
  }
}

TEST_F(PresenceMonitorTest, TheConsumerCollectionIsRejectedAndTheVendorOneTaken) {
  const auto mouse = bus_.Plug(kMouseProductId);
  ASSERT_TRUE(mouse_monitor_.PollOnce().has_value());
  ASSERT_TRUE(mouse_.connected());
  // The consumer collection is listed first; it was opened, rejected and closed, so the mouse
  // is connected through the vendor collection and commands reach the firmware.
  EXPECT_EQ(mouse_.device().capabilities().usage_page, kVendorUsagePage);
  EXPECT_EQ(mouse_.BeginConfig(), 1);
  EXPECT_EQ(mouse->RequestCount(), 1);
}

TEST_F(PresenceMonitorTest, MouseUnpluggedMovesToTheKeyboardTab) {
  bus_.Plug(kKeyboardProductId);
  bus_.Plug(kPadProductId);
  const auto mouse = bus_.Plug(kMouseProductId);
  for (PresenceMonitor* monitor : {&keyboard_monitor_, &mouse_monitor_, &pad_monitor_}) {
    ASSERT_TRUE(monitor->PollOnce().has_value());
  }
  mouse_.set_sync_lighting(true);
  window_.SetVisible("ms_macro_tab_saveorcancel", true);
  window_.Take();
  bus_.Unplug(mouse);
  ASSERT_TRUE(mouse_monitor_.PollOnce().has_value());
  EXPECT_EQ(window_.Take(), (Events{"mouse not ready", "hide ms_tab", "abandon ms", "select kb_tab",
                                    "focus kb_tab", "show kb_tab"}));
  EXPECT_FALSE(mouse_.connected());
  EXPECT_FALSE(mouse_.sync_lighting());
}

TEST_F(PresenceMonitorTest, KeyboardUnpluggedAbandonsItsMacroEditBeforeHidingItsTab) {
  const auto keyboard = bus_.Plug(kKeyboardProductId);
  bus_.Plug(kPadProductId);
  ASSERT_TRUE(keyboard_monitor_.PollOnce().has_value());
  ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
  window_.SetVisible("kb_macro_tab_saveorcancel", true);
  window_.Take();
  bus_.Unplug(keyboard);
  ASSERT_TRUE(keyboard_monitor_.PollOnce().has_value());
  EXPECT_EQ(window_.Take(), (Events{"abandon kb", "hide kb_tab", "select mp_tab"}));
}

TEST_F(PresenceMonitorTest, TheLastDeviceGoneTellsTheWindowSo) {
  const auto pad = bus_.Plug(kPadProductId);
  ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
  window_.Take();
  bus_.Unplug(pad);
  EXPECT_EQ(pad_monitor_.PollOnce(), 1000ms);
  EXPECT_EQ(window_.Take(), (Events{"hide mp_tab", "post 0x0c05"}));
}

TEST_F(PresenceMonitorTest, SameModeShowsWhileAnotherDeviceIsConnected) {
  bus_.Plug(kPadProductId);
  const auto mouse = bus_.Plug(kMouseProductId);
  ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
  ASSERT_TRUE(mouse_monitor_.PollOnce().has_value());
  window_.Take();
  ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
  bus_.Unplug(mouse);
  ASSERT_TRUE(mouse_monitor_.PollOnce().has_value());
  window_.Take();
  ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
  EXPECT_EQ(window_.Take(), (Events{"hide mp_deng_same_mode"}));
}

TEST_F(PresenceMonitorTest, UnplugReplugStormsEndConnectedToTheLastDevice) {
  std::shared_ptr<sim::SimulatedDevice> pad;
  for (int round = 0; round < 50; ++round) {
    pad = bus_.Plug(kPadProductId);
    ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
    ASSERT_TRUE(pad_.connected());
    if (round % 3 == 0) {
      ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
    }
    bus_.Unplug(pad);
    ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
    ASSERT_FALSE(pad_.connected());
  }
  pad = bus_.Plug(kPadProductId);
  ASSERT_TRUE(pad_monitor_.PollOnce().has_value());
  Bytes slot(1);
  EXPECT_EQ(pad_.ReadBlock(0, slot), 1);
  EXPECT_EQ(pad->RequestCount(), 1);
}

// The virtual bus as a backend that cannot tell when devices arrive or go.
class UntellingBus final : public HidBackend {
 public:
  explicit UntellingBus(sim::VirtualBus& bus) : bus_(bus) {}
  std::optional<std::vector<HidInterfaceInfo>> Enumerate() override { return bus_.Enumerate(); }
  std::unique_ptr<HidConnection> Open(const std::string& path, std::uint32_t collection,
                                      HidOpenFlags flags) override {
    return bus_.Open(path, collection, flags);
  }
  bool IsPresent(const std::string& path) override { return bus_.IsPresent(path); }

 private:
  sim::VirtualBus& bus_;
};

// The thread pauses through the clock, outside the lock, and the stop event ends the pause. The
// pause is the device class's own when the backend cannot tell of arrivals; otherwise the monitor
// waits for one without end.
TEST(PresenceMonitorThread, PausesAsTableSaysAndStopsWithoutWaiting) {
  for (const bool tells : {false, true}) {
    SCOPED_TRACE(tells ? "a backend that tells" : "a backend that cannot tell");
    ManualClock clock;
    sim::VirtualBus bus(clock);
    UntellingBus untelling(bus);
    HidBackend& backend = tells ? static_cast<HidBackend&>(bus) : untelling;
    DeviceChannel kb(backend, clock), ms(backend, clock), mp(backend, clock);
    ms.SetIdentity(ChannelIdentityOf(DeviceKind::kMouse));
    testing::FakeMainWindow window;
    PresenceMonitor monitor(DeviceKind::kMouse, {kb, ms, mp}, window, clock);
    Event stop;
    std::thread thread([&] { monitor.Run(stop); });
    ASSERT_TRUE(clock.AwaitRequests(1, 10s));
    clock.Advance(1ms);
    ASSERT_TRUE(clock.AwaitRequests(2, 10s));
    // Blocked in its pause, which only the clock or the stop event can end.
    EXPECT_TRUE(ms.lock().try_lock());
    ms.lock().unlock();
    const Clock::Duration before = clock.Now();
    stop.Set();
    testing::JoinWithin(thread, "the monitor ending at its stop event");
    EXPECT_EQ(clock.Now(), before);
    using Kind = ManualClock::Request::Kind;
    const Clock::Duration pause = tells ? kWaitForever : Clock::Duration(1500ms);
    EXPECT_EQ(clock.Requests(), (std::vector<ManualClock::Request>{
                                    {Kind::kWait, 1ms}, {Kind::kWait, pause}, {Kind::kWait, 1ms}}));
  }
}

// On a backend that tells of arrivals, a monitor with no device polls nothing however long it
// waits; a device plugged in, or another monitor connecting its own, makes it look at once,
// without the clock moving.
TEST(PresenceMonitorThread, WaitsForArrivalsInsteadOfPolling) {
  ManualClock clock;
  sim::VirtualBus bus(clock);
  DeviceChannel kb(bus, clock), ms(bus, clock), mp(bus, clock);
  kb.SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
  mp.SetIdentity(ChannelIdentityOf(DeviceKind::kPad));
  ChangeSignal connections;
  const DeviceChannels channels{kb, ms, mp, &connections};
  testing::FakeMainWindow window;
  PresenceMonitor keyboard(DeviceKind::kKeyboard, channels, window, clock);
  Event stop;
  std::thread thread([&] { keyboard.Run(stop); });
  // Each look is a 1 ms wait on the stop event, a poll and a wait for a change.
  const auto look = [&](std::size_t requests) {
    EXPECT_TRUE(clock.AwaitRequests(requests - 1, 10s));
    clock.Advance(1ms);
    EXPECT_TRUE(clock.AwaitRequests(requests, 10s));
  };
  look(2);
  clock.Advance(std::chrono::hours(24));
  EXPECT_EQ(clock.Requests().size(), 2u) << "polled while nothing changed";
  bus.Plug(kKeyboardProductId);
  look(4);
  EXPECT_TRUE(kb.connected());
  // Its own connection is a change too: one more look, the presence check.
  look(6);
  window.Take();
  // Another monitor connects the pad: the keyboard's same-mode control shows at once.
  PresenceMonitor pad(DeviceKind::kPad, channels, window, clock);
  bus.Plug(kPadProductId);
  look(8);
  ASSERT_TRUE(pad.PollOnce().has_value());  // connects, and says so
  look(10);
  const std::vector<std::string> events = window.Take();
  EXPECT_NE(std::find(events.begin(), events.end(), "show kb_deng_same_mode"), events.end());
  stop.Set();
  testing::JoinWithin(thread, "the monitor ending at its stop event");
}

}  // namespace
}  // namespace vandrel
