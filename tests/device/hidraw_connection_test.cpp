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

// Long enough that a transfer ending before it proves something else ended it.
constexpr auto kNeverInThisTest = 60s;
// Only there to turn a hang into a failure.
constexpr auto kHangLimit = 30s;

class HidrawConnectionTest : public ::testing::Test {
 protected:
  void Open(HidrawReportShape shape, HidOpenFlags flags = {true, true, false}) {
    int ends[2] = {-1, -1};
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    ASSERT_EQ(fcntl(ends[0], F_SETFL, O_NONBLOCK), 0);
    node_ = ends[0];
    device_ = UniqueFd(ends[1]);
    path_ = dir_.path() / "hidraw0";
    testing::WriteFile(path_, "");
    connection_ = HidrawConnection::Create(UniqueFd(ends[0]), path_, flags, {}, std::move(shape));
    ASSERT_NE(connection_, nullptr);
  }

  void DeviceSends(std::initializer_list<std::uint8_t> report) {
    const std::vector<std::uint8_t> bytes(report);
    ASSERT_EQ(send(device_.get(), bytes.data(), bytes.size(), 0), std::ssize(bytes));
  }

  // Fills the node's send buffer so that it takes no further report until the device reads.
  void FillNode() {
    const std::array<std::uint8_t, 64> report{4};
    while (send(node_, report.data(), report.size(), MSG_DONTWAIT) > 0) {
    }
  }

  HidIoResult Read(std::span<std::uint8_t> buffer, Clock::Duration timeout = kNeverInThisTest) {
    return connection_->Read(buffer, timeout, cancel_);
  }

  testing::TempDir dir_;
  std::filesystem::path path_;
  UniqueFd device_;
  int node_ = -1;  // owned by the connection
  std::unique_ptr<HidrawConnection> connection_;
  Event cancel_{EventReset::kAuto};
};

const HidrawReportShape kVendorShape{true, {4}, 64};
const HidrawReportShape kConsumerShape{true, {3}, 3};
const HidrawReportShape kUnnumberedMouseShape{false, {0}, 4};

TEST_F(HidrawConnectionTest, ReportsOfTheCollectionArriveWhole) {
  Open(kVendorShape);
  std::vector<std::uint8_t> sent(64);
  for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<std::uint8_t>(i + 4);
  ASSERT_EQ(send(device_.get(), sent.data(), sent.size(), 0), 64);
  std::array<std::uint8_t, 64> buffer{};
  const HidIoResult result = Read(buffer);
  EXPECT_EQ(result.status, HidIoStatus::kDone);
  EXPECT_EQ(result.bytes, 64U);
  EXPECT_TRUE(std::equal(sent.begin(), sent.end(), buffer.begin()));
}

TEST_F(HidrawConnectionTest, ReportsOfOtherCollectionsOnTheNodeAreSkipped) {
  Open(kConsumerShape);
  DeviceSends({1, 0xAA, 0xBB, 0xCC, 0xDD});
  DeviceSends({3, 0x01, 0x04});
  std::array<std::uint8_t, 3> buffer{};
  const HidIoResult result = Read(buffer);
  EXPECT_EQ(result.status, HidIoStatus::kDone);
  EXPECT_EQ(result.bytes, 3U);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 3>{3, 0x01, 0x04}));
}

TEST_F(HidrawConnectionTest, UnnumberedReportsGetAZeroIdByteAndArePaddedToTheLongestReport) {
  Open(kUnnumberedMouseShape);
  DeviceSends({0x05, 0x10});
  std::array<std::uint8_t, 4> buffer;
  buffer.fill(0xEE);
  HidIoResult result = Read(buffer);
  EXPECT_EQ(result.status, HidIoStatus::kDone);
  EXPECT_EQ(result.bytes, 4U);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0, 0x05, 0x10, 0}));

  // A smaller buffer gets what fits and nothing is written past it.
  DeviceSends({0x01, 0x02, 0x03});
  std::array<std::uint8_t, 3> small{};
  result = Read(small);
  EXPECT_EQ(result.bytes, 3U);
  EXPECT_EQ(small, (std::array<std::uint8_t, 3>{0, 0x01, 0x02}));
}

TEST_F(HidrawConnectionTest, ASilentNodeEndsTheReadAtItsTimeout) {
  Open(kVendorShape);
  std::array<std::uint8_t, 64> buffer{};
  const auto start = SteadyTime::now();
  const HidIoResult result = Read(buffer, 300ms);
  const auto waited = SteadyTime::now() - start;
  EXPECT_EQ(result.status, HidIoStatus::kTimedOut);
  EXPECT_EQ(result.bytes, 0U);
  EXPECT_GE(waited, 300ms);
  EXPECT_LT(waited, kHangLimit);
}

TEST_F(HidrawConnectionTest, ACancelFromAnotherThreadEndsAWaitingRead) {
  Open(kVendorShape);
  std::array<std::uint8_t, 64> buffer{};
  auto reading = std::async(std::launch::async, [&] { return Read(buffer); });
  std::this_thread::sleep_for(100ms);  // lets the read start waiting; it also works if not yet
  cancel_.Set();
  ASSERT_EQ(reading.wait_for(kHangLimit), std::future_status::ready);
  EXPECT_EQ(reading.get().status, HidIoStatus::kCancelled);
  EXPECT_FALSE(cancel_.IsSet()) << "the cancel must be consumed by the read it ended";
}

TEST_F(HidrawConnectionTest, ACancelSetBeforehandEndsTheNextTransferOnly) {
  Open(kVendorShape);
  cancel_.Set();
  std::array<std::uint8_t, 64> buffer{};
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kCancelled);
  DeviceSends({4, 0x2A});
  const HidIoResult result = Read(buffer);
  EXPECT_EQ(result.status, HidIoStatus::kDone);
  EXPECT_EQ(buffer[1], 0x2A);
}

TEST_F(HidrawConnectionTest, OneCancelEndsOneOfTwoWaitingTransfers) {
  Open(kVendorShape);
  FillNode();
  std::array<std::uint8_t, 64> buffer{};
  const std::array<std::uint8_t, 64> report{4};
  auto reading = std::async(std::launch::async, [&] { return Read(buffer, 2s).status; });
  auto writing = std::async(std::launch::async,
                            [&] { return connection_->Write(report, 2s, cancel_).status; });
  std::this_thread::sleep_for(100ms);
  cancel_.Set();
  const HidIoStatus statuses[] = {reading.get(), writing.get()};
  EXPECT_EQ(std::count(std::begin(statuses), std::end(statuses), HidIoStatus::kCancelled), 1);
  EXPECT_EQ(std::count(std::begin(statuses), std::end(statuses), HidIoStatus::kTimedOut), 1);
}

TEST_F(HidrawConnectionTest, WritesReachTheDeviceAsOneReport) {
  Open(kVendorShape);
  std::array<std::uint8_t, 64> report{};
  report[0] = 4;
  report[3] = 0x01;
  const HidIoResult result = connection_->Write(report, 1s, cancel_);
  EXPECT_EQ(result.status, HidIoStatus::kDone);
  EXPECT_EQ(result.bytes, 64U);
  std::array<std::uint8_t, 128> received{};
  ASSERT_EQ(recv(device_.get(), received.data(), received.size(), 0), 64);
  EXPECT_TRUE(std::equal(report.begin(), report.end(), received.begin()));
}

TEST_F(HidrawConnectionTest, AWriteTheNodeDoesNotTakeEndsAtItsTimeout) {
  Open(kVendorShape);
  FillNode();
  const std::array<std::uint8_t, 64> report{4};
  const auto start = SteadyTime::now();
  const HidIoResult result = connection_->Write(report, 1000ms, cancel_);
  const auto waited = SteadyTime::now() - start;
  EXPECT_EQ(result.status, HidIoStatus::kTimedOut);
  EXPECT_EQ(result.bytes, 0U);
  EXPECT_GE(waited, 1000ms);
  EXPECT_LT(waited, kHangLimit);
}

TEST_F(HidrawConnectionTest, AVanishedDeviceFailsReadsAfterItsLastReportAndIsAbsent) {
  Open(kVendorShape);
  EXPECT_TRUE(connection_->IsPresent());
  DeviceSends({4, 0x07});
  device_.Reset();
  std::array<std::uint8_t, 64> buffer{};
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kDone);
  EXPECT_EQ(buffer[1], 0x07);
  EXPECT_EQ(Read(buffer).status, HidIoStatus::kFailed);
  EXPECT_FALSE(connection_->IsPresent());
  EXPECT_EQ(connection_->Write(buffer, 1s, cancel_).status, HidIoStatus::kFailed);
}

TEST_F(HidrawConnectionTest, ANodeWhosePathIsGoneIsAbsent) {
  Open(kVendorShape);
  std::filesystem::remove(path_);
  EXPECT_FALSE(connection_->IsPresent());
}

TEST_F(HidrawConnectionTest, TransfersFollowTheAccessAskedFor) {
  Open(kVendorShape, {.read = true, .write = false, .exclusive = false});
  std::array<std::uint8_t, 64> report{4};
  EXPECT_EQ(connection_->Write(report, 1s, cancel_).status, HidIoStatus::kFailed);
  Open(kVendorShape, {.read = false, .write = true, .exclusive = false});
  DeviceSends({4, 1});
  EXPECT_EQ(Read(report).status, HidIoStatus::kFailed);
}

}  // namespace
}  // namespace vandrel
