#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "sim_host.h"
#include "support/temp_dir.h"

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;
using testing::Request;

class BusTest : public testing::SimFixture {};

TEST_F(BusTest, EmptyBusListsNothing) {
  const auto interfaces = bus_.Enumerate();
  ASSERT_TRUE(interfaces.has_value());
  EXPECT_TRUE(interfaces->empty());
}

TEST_F(BusTest, KeyboardAndMouseShowTwoCollectionsAndThePadOne) {
  const auto keyboard = bus_.Plug(kZoneKeyboardProductId);
  const auto pad = bus_.Plug(kPadProductId);
  EXPECT_EQ(bus_.Plug(0x1234), nullptr);
  const auto interfaces = *bus_.Enumerate();
  ASSERT_EQ(interfaces.size(), 3U);
  for (const HidInterfaceInfo& info : interfaces) {
    EXPECT_EQ(info.attributes.vendor_id, 0x0C45);
    EXPECT_FALSE(info.report_descriptor.empty());
  }
  EXPECT_EQ(interfaces[0].path, keyboard->path());
  EXPECT_EQ(interfaces[1].path, keyboard->path());
  EXPECT_EQ(interfaces[0].attributes.product_id, 0x6556);
  EXPECT_EQ((std::pair{interfaces[0].usage_page, interfaces[0].usage}),
            (std::pair<std::uint16_t, std::uint16_t>{0x0C, 0x01}));
  EXPECT_EQ((std::pair{interfaces[1].usage_page, interfaces[1].usage}),
            (std::pair<std::uint16_t, std::uint16_t>{0xFF1C, 0x92}));
  EXPECT_NE(interfaces[0].collection_number, interfaces[1].collection_number);
  EXPECT_EQ(interfaces[2].path, pad->path());
  EXPECT_EQ(interfaces[2].attributes.product_id, 0x6627);

  bus_.Unplug(keyboard);
  EXPECT_EQ(bus_.Enumerate()->size(), 1U);
  EXPECT_EQ(bus_.Open(keyboard->path(), 2, {true, true, false}), nullptr);
}

TEST_F(BusTest, OnDeviceActionsChangeMemoryAndAnnounceThemselves) {
  const auto mouse = PlugAndOpen(kMouseProductId);
  const auto consumer = testing::OpenCollection(bus_, *mouse, 0x000C, {true, false, false});
  ASSERT_NE(consumer, nullptr);
  std::array<std::uint8_t, 8> report{};
  // Every announcement is a press of its usage followed by the release, a report with none.
  const auto expect_press_and_release = [&](std::uint16_t usage) {
    for (const std::uint16_t expected : {usage, std::uint16_t{0}}) {
      ASSERT_EQ(consumer->Read(report, 10ms, cancel_).bytes, 3U);
      EXPECT_EQ(report[0], 3);
      EXPECT_EQ(report[1] | (report[2] << 8), expected);
    }
  };

  mouse->SwitchSlot(2);
  expect_press_and_release(0x0401);
  EXPECT_EQ(mouse->Memory().active_slot(), 2);

  mouse->ChangeDpiLevel(4);
  expect_press_and_release(0x0401);
  EXPECT_EQ(mouse->Memory().settings[2 * 64 + 19], 4);

  mouse->Notify(kNotifyPadFlash);
  expect_press_and_release(0x0403);
  EXPECT_EQ(consumer->Read(report, 10ms, cancel_).status, HidIoStatus::kTimedOut);
  // Notifications never reach the vendor collection.
  EXPECT_EQ(vendor_->Read(report, 10ms, cancel_).status, HidIoStatus::kTimedOut);
}

TEST_F(BusTest, ExclusiveOpenSharesReadingOnly) {
  const auto mouse = bus_.Plug(kMouseProductId);
  const auto exclusive = testing::OpenCollection(bus_, *mouse, 0xFF1C, {true, true, true});
  ASSERT_NE(exclusive, nullptr);
  EXPECT_EQ(testing::OpenCollection(bus_, *mouse, 0xFF1C, {true, true, false}), nullptr);
  EXPECT_NE(testing::OpenCollection(bus_, *mouse, 0x000C, {true, false, false}), nullptr);
}

TEST_F(BusTest, TraceHasOneCompleteLinePerReport) {
  vandrel::testing::TempDir dir;
  ASSERT_TRUE(bus_.SetTraceFile(dir.path() / "trace.txt"));
  const auto mouse = PlugAndOpen(kMouseProductId);
  ASSERT_EQ(Exchange(Request(1, 0)), kStatusAccepted);
  mouse->Notify(kNotifyFullChange);
  ASSERT_TRUE(bus_.SetTraceFile({}));

  std::ifstream trace(dir.path() / "trace.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(trace, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4U);
  const std::regex format("[0-9]+ (kb|ms|mp) (vendor|consumer) (out|in) [0-9a-f]+");
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, format)) << line;
  EXPECT_NE(lines[0].find(" ms vendor out 04010001" + std::string(120, '0')), std::string::npos);
  EXPECT_NE(lines[1].find(" ms vendor in 04"), std::string::npos);
  EXPECT_NE(lines[2].find(" ms consumer in 030204"), std::string::npos);
  EXPECT_NE(lines[3].find(" ms consumer in 030000"), std::string::npos);
}

TEST_F(BusTest, MemoryPersistsInTheStateFolderAcrossRuns) {
  vandrel::testing::TempDir dir;
  {
    device_ = bus_.Plug(kMouseProductId, {std::nullopt, dir.path()});
    vendor_ = testing::OpenCollection(bus_, *device_, 0xFF1C, {true, true, false});
    ASSERT_EQ(Exchange(Request(6, 1, 0, {5})), kStatusAccepted);
    ASSERT_EQ(WriteArea(21, 0, {1, 2, 3}), kStatusAccepted);
  }
  VirtualBus next_run(clock_);
  const auto again = next_run.Plug(kMouseProductId, {std::nullopt, dir.path()});
  EXPECT_EQ(again->Memory(), device_->Memory());

  // A state file that does not fit the device is ignored.
  vandrel::testing::WriteFile(dir.path() / "ms-7667.state", "VSIM1garbage");
  EXPECT_EQ(next_run.Plug(kMouseProductId, {std::nullopt, dir.path()})->Memory(),
            FactoryImage(kMouseProductId));
}

}  // namespace
}  // namespace vandrel::sim
