// The hidraw connection against a stand-in node: a socket pair keeps message boundaries as a
// hidraw node does, and its far end plays the device.
#include "device/hidraw/hidraw_connection.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <array>
#include <future>
#include <thread>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;
using SteadyTime = std::chrono::steady_clock;
using Report = std::vector<std::uint8_t>;

constexpr auto kNeverInThisTest = 60s;  // a transfer ending before it was ended by something else
constexpr auto kHangLimit = 30s;        // only turns a hang into a failure
constexpr HidOpenFlags kReadWrite{.read = true, .write = true, .exclusive = false};

class HidrawConnectionTest : public ::testing::Test {
 protected:
  void Open(HidrawReportShape shape, HidOpenFlags flags = kReadWrite) {
    int ends[2] = {-1, -1};
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    ASSERT_EQ(fcntl(ends[0], F_SETFL, O_NONBLOCK), 0);
    node_ = ends[0];
    device_ = UniqueFd(ends[1]);
    testing::WriteFile(path_, "");
    connection_ = HidrawConnection::Create(UniqueFd(ends[0]), path_, flags, {}, std::move(shape));
    ASSERT_NE(connection_, nullptr);
  }

  void DeviceSends(const Report& report) {
    ASSERT_EQ(send(device_.get(), report.data(), report.size(), 0), std::ssize(report));
  }

  // Fills the node's send buffer so that it takes no further report until the device reads.
  void FillNode() {
    const Report report(64, 4);
    while (send(node_, report.data(), report.size(), MSG_DONTWAIT) > 0) {
    }
  }

  HidIoResult Read(std::span<std::uint8_t> buffer, Clock::Duration timeout = kNeverInThisTest) {
    return connection_->Read(buffer, timeout, cancel_);
  }
  HidIoResult Write(std::span<const std::uint8_t> report, Clock::Duration timeout = 1s) {
    return connection_->Write(report, timeout, cancel_);
  }

  testing::TempDir dir_;
  const std::filesystem::path path_ = dir_.path() / "hidraw0";
  UniqueFd device_;
  int node_ = -1;  // owned by the connection
  std::unique_ptr<HidrawConnection> connection_;
  Event cancel_{EventReset::kAuto};
};

const HidrawReportShape kVendorShape{true, {4}, 64};

TEST_F(HidrawConnectionTest, ReportsOfTheCollectionCrossTheNodeWholeAndOthersAreSkipped) {
  Open(kVendorShape);
  Report vendor(64);
  for (std::size_t i = 0; i < vendor.size(); ++i) vendor[i] = static_cast<std::uint8_t>(i + 4);
  DeviceSends({3, 0x01, 0x04});  // the consumer collection's, on the same node
  DeviceSends(vendor);
  Report buffer(64);
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kDone);
  EXPECT_EQ(buffer, vendor);

  const HidIoResult written = Write(vendor);
  EXPECT_EQ(written.status, HidIoStatus::kDone);
  EXPECT_EQ(written.bytes, 64U);
  Report received(128);
  ASSERT_EQ(recv(device_.get(), received.data(), received.size(), 0), 64);
  received.resize(64);
  EXPECT_EQ(received, vendor);
}

TEST_F(HidrawConnectionTest, UnnumberedReportsGetAZeroIdByteAndArePaddedToTheLongestReport) {
  Open({false, {0}, 4});
  DeviceSends({0x05, 0x10});
  Report buffer(4, 0xEE);
  const HidIoResult result = Read(buffer);
  EXPECT_EQ(result.bytes, 4U);
  EXPECT_EQ(buffer, (Report{0, 0x05, 0x10, 0}));
  // A smaller buffer gets what fits and nothing is written past it.
  DeviceSends({0x01, 0x02, 0x03});
  Report small(3);
  EXPECT_EQ(Read(small).bytes, 3U);
  EXPECT_EQ(small, (Report{0, 0x01, 0x02}));
}

TEST_F(HidrawConnectionTest, TransfersEndAtTheirTimeOut) {
  Open(kVendorShape);
  Report buffer(64);
  auto start = SteadyTime::now();
  EXPECT_EQ(Read(buffer, 300ms).status, HidIoStatus::kTimedOut);
  EXPECT_GE(SteadyTime::now() - start, 300ms);

  FillNode();
  start = SteadyTime::now();
  const HidIoResult written = Write(buffer, 1000ms);
  EXPECT_EQ(written.status, HidIoStatus::kTimedOut);
  EXPECT_EQ(written.bytes, 0U);
  EXPECT_GE(SteadyTime::now() - start, 1000ms);
  EXPECT_LT(SteadyTime::now() - start, kHangLimit);
}

TEST_F(HidrawConnectionTest, ACancelFromAnotherThreadEndsAWaitingRead) {
  Open(kVendorShape);
  Report buffer(64);
  auto reading = std::async(std::launch::async, [&] { return Read(buffer); });
  std::this_thread::sleep_for(100ms);  // lets the read start waiting; it also works if not yet
  cancel_.Set();
  ASSERT_EQ(reading.wait_for(kHangLimit), std::future_status::ready);
  EXPECT_EQ(reading.get().status, HidIoStatus::kCancelled);
  EXPECT_FALSE(cancel_.IsSet()) << "the read it ended must consume the cancel";
}

TEST_F(HidrawConnectionTest, ACancelSetBeforehandEndsTheNextTransferOnly) {
  Open(kVendorShape);
  cancel_.Set();
  Report buffer(64);
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kCancelled);
  DeviceSends({4, 0x2A});
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kDone);
  EXPECT_EQ(buffer[1], 0x2A);
}

TEST_F(HidrawConnectionTest, OneCancelEndsOneOfTwoWaitingTransfers) {
  Open(kVendorShape);
  FillNode();
  Report buffer(64);
  const Report report(64, 4);
  auto reading = std::async(std::launch::async, [&] { return Read(buffer, 2s).status; });
  auto writing = std::async(std::launch::async, [&] { return Write(report, 2s).status; });
  std::this_thread::sleep_for(100ms);
  cancel_.Set();
  const HidIoStatus ends[] = {reading.get(), writing.get()};
  EXPECT_EQ(std::count(std::begin(ends), std::end(ends), HidIoStatus::kCancelled), 1);
  EXPECT_EQ(std::count(std::begin(ends), std::end(ends), HidIoStatus::kTimedOut), 1);
}

TEST_F(HidrawConnectionTest, AVanishedDeviceFailsTransfersAfterItsLastReportAndIsAbsent) {
  Open(kVendorShape);
  EXPECT_TRUE(connection_->IsPresent());
  DeviceSends({4, 0x07});
  device_.Reset();
  Report buffer(64);
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kDone);
  EXPECT_EQ(buffer[1], 0x07);
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kFailed);
  EXPECT_EQ(Write(buffer).status, HidIoStatus::kFailed);
  EXPECT_FALSE(connection_->IsPresent());

  Open(kVendorShape);
  std::filesystem::remove(path_);
  EXPECT_FALSE(connection_->IsPresent()) << "the node's path is gone";
}

TEST_F(HidrawConnectionTest, TransfersFollowTheAccessAskedFor) {
  Open(kVendorShape, {.read = true, .write = false, .exclusive = false});
  Report report(64, 4);
  EXPECT_EQ(Write(report).status, HidIoStatus::kFailed);
  Open(kVendorShape, {.read = false, .write = true, .exclusive = false});
  DeviceSends({4, 1});
  EXPECT_EQ(Read(report).status, HidIoStatus::kFailed);
}

}  // namespace
}  // namespace vandrel
