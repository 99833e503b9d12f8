#include "device/hid_device.h"

#include <gtest/gtest.h>

#include <array>
#include <future>
#include <thread>

#include "device/fake_hid_backend.h"
#include "device/sample_descriptors.h"
#include "support/deadline.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;

constexpr HidOpenFlags kChannelAccess{.read = true, .write = true, .exclusive = false};
constexpr HidOpenFlags kListenerAccess{.read = true, .write = false, .exclusive = false};

class HidDeviceTest : public ::testing::Test {
 protected:
  HidDeviceTest() {
    // The mouse's interface with its three collections, and a device whose descriptor is broken.
    for (std::uint32_t number = 0; number <= 3; ++number) {
      HidInterfaceInfo info{"/mouse", {0x0C45, 0x7667, 0x0102},     1, number, 0,
                            0,        testing::SeveralCollections()};
      if (number == 0) info = {"/broken", {}, 0, 0, 0, 0, {0x05, 0x01, 0xA1, 0x01}};
      backend_.interfaces->push_back(info);
    }
  }

  void Open(std::uint32_t collection = 3, HidOpenFlags flags = kChannelAccess) {
    device_.SetDevicePath("/mouse", collection);
    device_.SetOpenFlags(flags);
    ASSERT_EQ(device_.Open(), 1);
  }

  // Starts a read that waits without end on another thread, and waits (boundedly) for it.
  std::future<int> StartWaitingRead() {
    auto reading = std::async(std::launch::async, [this] {
      return device_.ReadReport(device_.input().report_buffer, nullptr, kWaitForever);
    });
    for (int tries = 0; tries < 3000 && !device_.read_pending(); ++tries) {
      std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(device_.read_pending());
    return reading;
  }

  void ExpectClosed() {
    EXPECT_FALSE(device_.is_open());
    EXPECT_EQ(device_.preparsed_data(), nullptr);
    EXPECT_EQ(device_.capabilities().input_report_byte_length, 0);
    EXPECT_TRUE(device_.input().report_buffer.empty());
    EXPECT_TRUE(device_.input().items.empty());
    EXPECT_EQ(backend_.live_connections, 0);
  }

  testing::FakeHidBackend backend_;
  HidDevice device_{backend_};
};

TEST_F(HidDeviceTest, EnumerationListsEveryCollectionAndAFailureLeavesNoList) {
  EXPECT_EQ(device_.EnumeratePaths(), 1);
  EXPECT_EQ(device_.path_list().size(), 4U);
  backend_.interfaces.reset();
  EXPECT_EQ(device_.EnumeratePaths(), 0);
  EXPECT_TRUE(device_.path_list().empty());
}

TEST_F(HidDeviceTest, OpenLoadsTheCollectionsIdentityCapabilitiesItemsAndBuffers) {
  Open(3);
  EXPECT_TRUE(backend_.last_open_flags.write);
  EXPECT_EQ(device_.attributes(), (HidAttributes{0x0C45, 0x7667, 0x0102}));
  EXPECT_EQ(device_.interface_number(), 1U);
  EXPECT_EQ(device_.collection_number(), 3U);
  EXPECT_EQ(device_.capabilities().usage_page, 0xFF1C);
  EXPECT_EQ(device_.capabilities().usage, 0x92);
  EXPECT_EQ(device_.input().report_buffer, std::vector<std::uint8_t>(64, 0));
  EXPECT_EQ(device_.output().report_buffer.size(), 64U);
  EXPECT_TRUE(device_.feature().report_buffer.empty());
  ASSERT_EQ(device_.input().items.size(), 1U);
  EXPECT_EQ(device_.input().items[0].report_id, 4U);

  Open(2);  // opening again closes the earlier connection first
  EXPECT_EQ(backend_.live_connections, 1);
  EXPECT_EQ(device_.capabilities().usage_page, 0x0C);
  device_.CloseDevice();
  ExpectClosed();
}

TEST_F(HidDeviceTest, AFailedOpenLeavesTheRecordClosed) {
  const std::pair<const char*, std::uint32_t> failures[] = {
      {"/absent", 0}, {"/broken", 0}, {"/mouse", 4}};
  for (const auto& [path, collection] : failures) {
    SCOPED_TRACE(path);
    Open();
    device_.SetDevicePath(path, collection);
    EXPECT_EQ(device_.Open(), 0);
    ExpectClosed();
  }
}

TEST_F(HidDeviceTest, ReadsAndWritesMoveReportsWithTheirTimeOuts) {
  Open();
  std::vector<std::uint8_t> reply(64, 0);
  reply[0] = 4;
  reply[7] = 0xFE;
  backend_.QueueReport(reply);
  std::size_t bytes = 0;
  EXPECT_EQ(device_.ReadReport(device_.input().report_buffer, &bytes, 300ms), 1);
  EXPECT_EQ(bytes, 64U);
  EXPECT_EQ(device_.input().report_buffer, reply);
  EXPECT_EQ(device_.WriteReport(reply, &bytes), 1);
  EXPECT_EQ(bytes, 64U);
  EXPECT_EQ(backend_.Timeouts(), (std::vector<Clock::Duration>{300ms, 1000ms}));

  backend_.accepts_writes = false;
  EXPECT_EQ(device_.WriteReport(reply, &bytes), 0);
  EXPECT_EQ(bytes, 0U);
  bytes = 99;
  EXPECT_EQ(device_.ReadReport(reply, &bytes, 0ms), 0) << "silent";
  EXPECT_EQ(bytes, 0U);
  device_.CloseDevice();
  bytes = 99;
  EXPECT_EQ(device_.ReadReport(reply, &bytes, 0ms), 0) << "closed";
  EXPECT_EQ(bytes, 0U);
  EXPECT_EQ(device_.WriteReport(reply, nullptr), 0) << "closed";
}

TEST_F(HidDeviceTest, ACancelFromAnotherThreadEndsAWaitingRead) {
  Open();
  std::future<int> reading = StartWaitingRead();
  device_.SignalCancel();
  const testing::Watchdog watchdog("the cancelled read ending");
  EXPECT_EQ(reading.get(), 0);
  EXPECT_FALSE(device_.read_pending());
  EXPECT_TRUE(device_.is_open());
}

TEST_F(HidDeviceTest, ClosingWaitsForAReadOnAnotherThreadBeforeFreeingItsBuffer) {
  Open();
  std::future<int> reading = StartWaitingRead();
  const testing::Watchdog watchdog("the close ending the waiting read");
  device_.CloseDevice();
  EXPECT_EQ(reading.get(), 0);
  EXPECT_FALSE(backend_.destroyed_during_transfer);
  ExpectClosed();
}

TEST_F(HidDeviceTest, PresenceIsTheOpenInterfacesOrElseThePaths) {
  device_.SetDevicePath("/mouse", 3);
  EXPECT_FALSE(device_.IsPresent());
  backend_.present_paths.insert("/mouse");
  EXPECT_TRUE(device_.IsPresent());
  Open();
  backend_.connections_present = false;
  EXPECT_FALSE(device_.IsPresent());
}

// What a notification listener does: open the consumer collection for reading, read one report
// into the record's input buffer and unpack it into the record's input items.
TEST_F(HidDeviceTest, AConsumerReportReachesTheFirstInputItem) {
  Open(2, kListenerAccess);
  EXPECT_FALSE(backend_.last_open_flags.write);
  backend_.QueueReport({3, 0x02, 0x04});
  HidReportSet& input = device_.input();
  std::size_t bytes = 0;
  ASSERT_EQ(device_.ReadReport(input.report_buffer, &bytes, kWaitForever), 1);
  ASSERT_EQ(UnpackInputReport(input.items, std::span(input.report_buffer).first(bytes),
                              *device_.preparsed_data()),
            1);
  EXPECT_EQ(input.items.at(0).usage_list.at(0), 0x0402);
}

}  // namespace
}  // namespace vandrel
