#include "device/presence_monitor.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "channel_fixture.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using enum DeviceKind;

constexpr std::uint16_t kProductIds[] = {kKeyboardProductId, kMouseProductId, kPadProductId};
constexpr std::string_view kPrefixes[] = {"kb", "ms", "mp"};

std::size_t Index(DeviceKind kind) { return static_cast<std::size_t>(kind); }

class PresenceMonitorTest : public testing::ChannelFixture {
 protected:
  PresenceMonitor& Monitor(DeviceKind kind) { return monitors_[Index(kind)]; }
  std::shared_ptr<sim::SimulatedDevice> Plug(DeviceKind kind) {
    return bus_.Plug(kProductIds[Index(kind)]);
  }
  void Poll(DeviceKind kind) { EXPECT_TRUE(Monitor(kind).PollOnce().has_value()); }
  // What the window was told since the last call, in order.
  std::string Told() {
    std::string told;
    for (const std::string& event : window_.Take()) told += (told.empty() ? "" : ", ") + event;
    return told;
  }

  std::array<PresenceMonitor, 3> monitors_{PresenceMonitor(kKeyboard, channels_, window_, clock_),
                                           PresenceMonitor(kMouse, channels_, window_, clock_),
                                           PresenceMonitor(kPad, channels_, window_, clock_)};
};

// A device is connected through its vendor collection (the consumer one is listed first) and sets
// its attach timer; only one there at the very first poll activates the window.
TEST_F(PresenceMonitorTest, AFoundDeviceIsConnectedAndOnlyOneThereAtStartActivatesTheWindow) {
  EXPECT_EQ(Monitor(kKeyboard).PollOnce(), 1000ms);
  EXPECT_EQ(Told(), "");
  Plug(kKeyboard);
  EXPECT_EQ(Monitor(kKeyboard).PollOnce(), 100ms);
  EXPECT_EQ(Told(), "model 1, timer 1003 500");
  EXPECT_TRUE(keyboard_.connected());
  const auto mouse = Plug(kMouse);
  EXPECT_EQ(Monitor(kMouse).PollOnce(), 1500ms);
  EXPECT_EQ(Told(), "timer 1005 1000, activate");
  ASSERT_TRUE(mouse_.connected());
  EXPECT_EQ(mouse_.device().capabilities().usage_page, kVendorUsagePage);
  EXPECT_EQ(mouse_.BeginConfig(), 1);
  EXPECT_EQ(mouse->RequestCount(), 1);
}

TEST_F(PresenceMonitorTest, KeyboardProductIdsChooseTheModel) {
  for (const auto& [product_id, model] : {std::pair<std::uint16_t, const char*>{0x6556, "model 3"},
                                          {0x8611, "model 0"},
                                          {0x7653, "model 0"},
                                          {0x0001, "model 1"}}) {
    const auto keyboard = bus_.Plug(product_id);
    Poll(kKeyboard);
    EXPECT_EQ(window_.Take().front(), model);
    bus_.Unplug(keyboard);
    Poll(kKeyboard);
    ASSERT_FALSE(keyboard_.connected());
    window_.Take();
  }
}

// A device that goes is disconnected and loses the synchronised lighting; its macro edit is
// abandoned (the keyboard's before its tab hides, the mouse's after; the pad has none) and the
// window moves to the first other device connected, or is told none is left. The pad shows its
// same-mode control only while another device is connected.
TEST_F(PresenceMonitorTest, DevicesGoingOneByOneHandTheWindowOnUntilNoneIsLeft) {
  std::shared_ptr<sim::SimulatedDevice> devices[3];
  for (const DeviceKind kind : {kKeyboard, kMouse, kPad}) {
    devices[Index(kind)] = Plug(kind);
    Poll(kind);
    channels_.Of(kind).set_sync_lighting(true);
    window_.SetVisible(std::string(kPrefixes[Index(kind)]) + "_macro_tab_saveorcancel", true);
  }
  struct Step {
    DeviceKind gone;
    Clock::Duration pause;  // its monitor's next
    std::string told;       // by its monitor
    std::string pad;        // by the pad's monitor next
  };
  const Step steps[] = {
      {kMouse, 1500ms,
       "mouse not ready, hide ms_tab, abandon ms, select kb_tab, focus kb_tab, show kb_tab",
       "show mp_deng_same_mode"},
      {kKeyboard, 1000ms, "abandon kb, hide kb_tab, select mp_tab", "hide mp_deng_same_mode"},
      {kPad, 1000ms, "hide mp_tab, post 0x0c05", ""},
  };
  window_.Take();
  for (const Step& step : steps) {
    bus_.Unplug(devices[Index(step.gone)]);
    EXPECT_EQ(Monitor(step.gone).PollOnce(), step.pause);
    EXPECT_EQ(Told(), step.told);
    EXPECT_FALSE(channels_.Of(step.gone).connected());
    EXPECT_FALSE(channels_.Of(step.gone).sync_lighting());
    Poll(kPad);
    EXPECT_EQ(Told(), step.pad);
  }
}

TEST_F(PresenceMonitorTest, UnplugReplugStormsEndConnectedToTheLastDevice) {
  for (int round = 0; round < 50; ++round) {
    const auto pad = Plug(kPad);
    Poll(kPad);
    ASSERT_TRUE(pad_.connected());
    if (round % 3 == 0) Poll(kPad);
    bus_.Unplug(pad);
    Poll(kPad);
    ASSERT_FALSE(pad_.connected());
  }
  const auto pad = Plug(kPad);
  Poll(kPad);
  std::vector<std::uint8_t> slot(1);
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
