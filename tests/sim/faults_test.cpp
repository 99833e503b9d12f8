#include <gtest/gtest.h>

#include <thread>

#include "sim_host.h"

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;
using testing::Request;

class FaultsTest : public testing::SimFixture {
 protected:
  void SetUp() override { PlugAndOpen(kPadProductId); }
};

TEST_F(FaultsTest, ASilentDeviceTakesRequestsButNeverAnswers) {
  device_->SetFaults({.silent = true});
  Report reply{};
  EXPECT_EQ(vendor_->Write(Request(1, 0), 1000ms, cancel_).status, HidIoStatus::kDone);
  const Clock::Duration before = clock_.Now();
  EXPECT_EQ(vendor_->Read(reply, 300ms, cancel_).status, HidIoStatus::kTimedOut);
  EXPECT_EQ(clock_.Now() - before, 300ms);
  EXPECT_EQ(device_->RequestCount(), 1);
}

TEST_F(FaultsTest, ALateReplyMissesAShortReadAndStaysForTheNextOne) {
  device_->SetFaults({.reply_delay = 500ms});
  Report reply{};
  ASSERT_EQ(vendor_->Write(Request(5, 1), 1000ms, cancel_).status, HidIoStatus::kDone);
  EXPECT_EQ(vendor_->Read(reply, 300ms, cancel_).status, HidIoStatus::kTimedOut);
  EXPECT_EQ(vendor_->Read(reply, 300ms, cancel_).status, HidIoStatus::kDone);
  EXPECT_EQ(reply[3], 5);
}

TEST_F(FaultsTest, RefusalsHitEveryRequestOrOnlyTheKth) {
  device_->SetFaults({.refusal_status = kStatusRefused});
  EXPECT_EQ(Exchange(Request(1, 0)), kStatusRefused);
  EXPECT_EQ(Exchange(Request(1, 0)), kStatusRefused);
  device_->SetFaults({.refusal_status = kStatusBadFrame, .refuse_request = 2});
  EXPECT_EQ(Exchange(Request(5, 1)), kStatusAccepted);
  EXPECT_EQ(Exchange(Request(6, 1, 0, {3})), kStatusBadFrame);
  EXPECT_EQ(Exchange(Request(5, 1)), kStatusAccepted);
  // The refused switch was not carried out, and injected refusals are not violations.
  EXPECT_EQ(device_->Memory().active_slot(), 0);
  EXPECT_EQ(device_->ViolationCount(), 0);
}

TEST_F(FaultsTest, ADeviceThatVanishesMidTransferFailsReadsAndIsGone) {
  device_->SetFaults({.vanish_on_request = 2});
  EXPECT_EQ(WriteArea(18, 0, std::vector<std::uint8_t>(40, 1)), kStatusAccepted);
  Report reply{};
  EXPECT_EQ(vendor_->Write(Request(18, 5, 40, {1, 2, 3, 4, 5}), 1000ms, cancel_).status,
            HidIoStatus::kDone);
  EXPECT_EQ(vendor_->Read(reply, 300ms, cancel_).status, HidIoStatus::kFailed);
  EXPECT_FALSE(vendor_->IsPresent());
  EXPECT_FALSE(bus_.IsPresent(device_->path()));
  EXPECT_EQ(device_->FramesReceived(), 0);
  EXPECT_TRUE(bus_.Enumerate()->empty());
}

TEST_F(FaultsTest, UsbTimingCostsAboutAMillisecondPerReport) {
  device_->SetFaults({.usb_timing = true});
  const Clock::Duration before = clock_.Now();
  for (int i = 0; i < 7; ++i) ASSERT_EQ(Exchange(Request(5, 56)), kStatusAccepted);
  EXPECT_EQ(clock_.Now() - before, 14ms);
}

TEST_F(FaultsTest, ASlowWriteThatOutlastsItsTimeOutIsNotTaken) {
  device_->SetFaults({.write_delay = 1500ms});
  EXPECT_EQ(vendor_->Write(Request(1, 0), 1000ms, cancel_).status, HidIoStatus::kTimedOut);
  EXPECT_EQ(device_->RequestCount(), 0);
  device_->SetFaults({.write_delay = 20ms});
  EXPECT_EQ(Exchange(Request(1, 0)), kStatusAccepted);
}

TEST(FaultsOnRealTime, CancelEndsAWaitingReadAtOnce) {
  SteadyClock clock;
  VirtualBus bus(clock);
  const auto device = bus.Plug(kMouseProductId);
  device->SetFaults({.silent = true});
  const auto vendor = testing::OpenCollection(bus, *device, 0xFF1C, {true, true, false});
  ASSERT_NE(vendor, nullptr);
  Event cancel(EventReset::kAuto);
  std::thread canceller([&] {
    std::this_thread::sleep_for(20ms);
    cancel.Set();
  });
  Report reply{};
  EXPECT_EQ(vendor->Read(reply, kWaitForever, cancel).status, HidIoStatus::kCancelled);
  canceller.join();
  EXPECT_FALSE(cancel.IsSet());
}

TEST(FaultsOnRealTime, UnplugEndsAWaitingRead) {
  SteadyClock clock;
  VirtualBus bus(clock);
  const auto device = bus.Plug(kMouseProductId);
  const auto consumer = testing::OpenCollection(bus, *device, 0x000C, {true, false, false});
  ASSERT_NE(consumer, nullptr);
  Event cancel(EventReset::kAuto);
  std::thread unplugger([&] {
    std::this_thread::sleep_for(20ms);
    bus.Unplug(device);
  });
  std::array<std::uint8_t, 3> report{};
  EXPECT_EQ(consumer->Read(report, kWaitForever, cancel).status, HidIoStatus::kFailed);
  unplugger.join();
}

}  // namespace
}  // namespace vandrel::sim
