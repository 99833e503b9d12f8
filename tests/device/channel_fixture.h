// One simulated device connected to its channel, as the presence monitor connects it, with the
// simulator's trace recording every report.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/manual_clock.h"
#include "device/presence_monitor.h"
#include "device/product_ids.h"
#include "fake_main_window.h"
#include "sim/virtual_bus.h"
#include "support/temp_dir.h"
#include "trace_reader.h"

namespace vandrel::testing {

class ChannelFixture : public ::testing::Test {
 protected:
  ChannelFixture() {
    keyboard_.SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
    mouse_.SetIdentity(ChannelIdentityOf(DeviceKind::kMouse));
    pad_.SetIdentity(ChannelIdentityOf(DeviceKind::kPad));
    EXPECT_TRUE(bus_.SetTraceFile(trace_dir_.path() / "trace.txt"));
  }

  // Plugs a device in and lets its monitor connect it; the channel.
  DeviceChannel& Connect(std::uint16_t product_id, DeviceKind kind) {
    device_ = bus_.Plug(product_id);
    PresenceMonitor monitor(kind, channels_, window_, clock_);
    EXPECT_TRUE(monitor.PollOnce().has_value());
    DeviceChannel& channel = channels_.Of(kind);
    EXPECT_TRUE(channel.connected());
    return channel;
  }

  std::vector<TracedRequest> Requests() const {
    return TracedRequests(trace_dir_.path() / "trace.txt");
  }

  // What the device counted as breaking the protocol, by kind: for the device classes' tests,
  // whose exchanges must keep to it.
  void ExpectNoViolations() const {
    ASSERT_NE(device_, nullptr);
    std::string found;
    for (const auto& [violation, count] : device_->Violations()) {
      found += std::string(sim::ViolationName(violation)) + ": " + std::to_string(count) + "; ";
    }
    EXPECT_EQ(found, "");
  }

  TempDir trace_dir_;
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  sim::VirtualBus bus_{clock_};
  DeviceChannel keyboard_{bus_, clock_};
  DeviceChannel mouse_{bus_, clock_};
  DeviceChannel pad_{bus_, clock_};
  DeviceChannels channels_{keyboard_, mouse_, pad_};
  FakeMainWindow window_;
  std::shared_ptr<sim::SimulatedDevice> device_;
};

}  // namespace vandrel::testing
