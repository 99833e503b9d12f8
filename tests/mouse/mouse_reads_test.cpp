// The full read, the re-read of the active slot and the slot switch against the simulated mouse:
// the exact requests, and what ends up in the state.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/trace.h"
#include "mouse_fixture.h"

namespace vandrel::testing {
namespace {

constexpr int kBegin = 1, kEnd = 2, kInfo = 3, kBlock = 5, kSelect = 6, kDefaults = 7, kPage = 8;

// The chunks of a 512-byte transfer from `base`: ten of 56 bytes and one of 8.
std::vector<TracedRequest> Chunks(int command, int base) {
  std::vector<TracedRequest> chunks;
  for (int done = 0; done < 512; done += 56) {
    chunks.push_back({command, std::min(56, 512 - done), base + done});
  }
  return chunks;
}

std::vector<TracedRequest> Joined(std::initializer_list<std::vector<TracedRequest>> parts) {
  std::vector<TracedRequest> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<std::uint8_t> KeyMemory(const sim::SimulatedDevice& device, std::size_t page) {
  const std::vector<std::uint8_t> memory = device.Memory().key_pages;
  const auto from = memory.begin() + static_cast<std::ptrdiff_t>(page * 126);
  return {from, from + 512};
}

class MouseReadsTest : public MouseFixture {};

TEST_F(MouseReadsTest, FullReadOfSlotZeroSendsTheDocumentedSequence) {
  mouse_device_.ReadAll();

  EXPECT_EQ(Requests(), Joined({{{kBegin, 0, 0}, {kInfo, 33, 0}},
                                Chunks(kDefaults, 0),
                                {{kBlock, 56, 0}},
                                Chunks(kPage, 0),
                                {{kEnd, 0, 0}}}));
  EXPECT_EQ(device_->ViolationCount(), 0);
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kDeviceProfile});
}

TEST_F(MouseReadsTest, FullReadFillsInformationDefaultsKeysAndLiveFromTheMouse) {
  mouse_device_.ReadAll();

  const sim::FirmwareImage memory = device_->Memory();
  EXPECT_TRUE(
      std::equal(memory.device_info.begin(), memory.device_info.end(), state_.info.bytes.begin()));
  EXPECT_TRUE(std::equal(memory.default_table.begin(), memory.default_table.end(),
                         state_.defaults.bytes.begin()));
  const std::vector<std::uint8_t> page0 = KeyMemory(*device_, 0);
  EXPECT_TRUE(std::equal(page0.begin(), page0.end(), state_.keys[0].bytes.begin()));
  const auto live = Encode(state_.live);
  EXPECT_TRUE(std::equal(live.begin(), live.end(), memory.settings.begin()));
}

TEST_F(MouseReadsTest, FullReadWithActiveSlotThreeMakesTheRecordAtOffset192LiveWithItsKeyPage) {
  device_->SwitchSlot(3);
  mouse_device_.ReadAll();

  EXPECT_EQ(Requests(), Joined({{{kBegin, 0, 0}, {kInfo, 33, 0}},
                                Chunks(kDefaults, 0),
                                {{kBlock, 56, 0}},
                                Chunks(kPage, 0),
                                {{kBlock, 56, 192}},
                                Chunks(kPage, 3 * 126),
                                {{kEnd, 0, 0}}}));
  EXPECT_EQ(state_.live.slot, 3);
  const std::vector<std::uint8_t> settings = device_->Memory().settings;
  const auto live = Encode(state_.live);
  EXPECT_TRUE(std::equal(live.begin() + 1, live.end(), settings.begin() + 192 + 1));
  EXPECT_EQ(state_.live.lighting.mode, 3);  // each simulated slot has its own mode
  const std::vector<std::uint8_t> page3 = KeyMemory(*device_, 3);
  EXPECT_TRUE(std::equal(page3.begin(), page3.end(), state_.keys[3].bytes.begin()));
}

TEST_F(MouseReadsTest, FullReadWithActiveSlotFiveReadsNoKeyPageForIt) {
  device_->SwitchSlot(5);
  mouse_device_.ReadAll();

  EXPECT_EQ(WithCommand(Requests(), kPage), Chunks(kPage, 0));
  EXPECT_EQ(WithCommand(Requests(), kBlock),
            (std::vector<TracedRequest>{{kBlock, 56, 0}, {kBlock, 56, 320}}));
  EXPECT_EQ(state_.live.slot, 5);
  EXPECT_EQ(device_->ViolationCount(), 0);
}

TEST_F(MouseReadsTest, SlotRecordBytesPastTheReadAreKept) {
  state_.slots[0].reserved[20] = 0xAB;  // byte 58: never read from the mouse
  state_.slots[0].pointer_speed = 0xEE;
  mouse_device_.ReadAll();

  EXPECT_EQ(state_.slots[0].reserved[20], 0xAB);
  EXPECT_EQ(state_.slots[0].pointer_speed, device_->Memory().settings[36]);
}

TEST_F(MouseReadsTest, FullReadOfAnAbsentMouseKeepsEveryImage) {
  mouse_.set_connected(false);
  state_.info.bytes[6] = 99;
  state_.keys[0].bytes[0] = 0x42;
  state_.slots[0].settings.report_rate = 7;
  mouse_device_.ReadAll();

  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(state_.info.bytes[6], 99);
  EXPECT_EQ(state_.keys[0].bytes[0], 0x42);
  EXPECT_EQ(state_.slots[0].settings.report_rate, 7);
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kDeviceProfile});
}

TEST_F(MouseReadsTest,
       RereadKeepsTheEditedLiveRecordAndReadsTheNewActiveSlotAndPageWithoutBracket) {
  mouse_device_.ReadAll();
  state_.live.report_rate = 7;
  device_->SwitchSlot(4);
  ClearTrace();
  profiles_.saved.clear();

  mouse_device_.RereadActiveSlot();

  EXPECT_EQ(Requests(), Joined({{{kBlock, 1, 0}, {kBlock, 56, 256}}, Chunks(kPage, 4 * 126)}));
  EXPECT_TRUE(state_.keys_known[4]);
  EXPECT_EQ(state_.slots[0].settings.report_rate, 7);
  EXPECT_EQ(state_.live.slot, 4);
  EXPECT_EQ(state_.live.lighting.mode, 4);
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kLightProfile | kDeviceProfile});
}

TEST_F(MouseReadsTest, RereadWithALiveSlotNumberOutOfRangeStaysInsideTheRecords) {
  mouse_.set_connected(false);
  state_.live.slot = 9;
  state_.live.report_rate = 5;
  TraceCapture traces;
  mouse_device_.RereadActiveSlot();

  EXPECT_EQ(state_.slots[0].settings.report_rate, 5);
  EXPECT_EQ(state_.live.slot, 0);
  EXPECT_FALSE(traces.Lines().empty());
}

TEST_F(MouseReadsTest, SwitchToTheActiveSlotSendsNothingAfterTheOneByteRead) {
  EXPECT_FALSE(mouse_device_.SwitchSlot(0));
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kBlock, 1, 0}}));
}

TEST_F(MouseReadsTest, SwitchToSlotSixOrBelowZeroDoesNothing) {
  state_.live.report_rate = 3;
  const MouseSettings before = state_.live;
  EXPECT_FALSE(mouse_device_.SwitchSlot(6));
  EXPECT_FALSE(mouse_device_.SwitchSlot(-1));
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(state_.live, before);
}

TEST_F(MouseReadsTest, SwitchKeepsLiveSelectsReadsTheSlotAndItsKeyPage) {
  mouse_device_.ReadAll();
  state_.live.report_rate = 9;
  ClearTrace();
  profiles_.saved.clear();

  EXPECT_TRUE(mouse_device_.SwitchSlot(2));

  EXPECT_EQ(Requests(),
            Joined({{{kBlock, 1, 0}, {kSelect, 1, 0}, {kBlock, 56, 128}}, Chunks(kPage, 252)}));
  EXPECT_EQ(Payloads(kSelect), (std::vector<std::vector<std::uint8_t>>{{2}}));
  EXPECT_EQ(state_.slots[0].settings.report_rate, 9);
  EXPECT_EQ(state_.live.slot, 2);
  EXPECT_EQ(state_.live.lighting.mode, 2);
  EXPECT_EQ(device_->Memory().active_slot(), 2);
  EXPECT_TRUE(profiles_.saved.empty());
}

TEST_F(MouseReadsTest, SwitchToSlotFiveReadsNoKeyPage) {
  EXPECT_TRUE(mouse_device_.SwitchSlot(5));
  EXPECT_EQ(Requests(),
            (std::vector<TracedRequest>{{kBlock, 1, 0}, {kSelect, 1, 0}, {kBlock, 56, 320}}));
  EXPECT_EQ(state_.live.slot, 5);
}

TEST_F(MouseReadsTest, SwitchOfAnAbsentMouseChangesOnlyHostData) {
  state_.slots[4].settings.report_rate = 6;
  state_.live.report_rate = 2;
  mouse_.set_connected(false);

  EXPECT_TRUE(mouse_device_.SwitchSlot(4));

  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(state_.slots[0].settings.report_rate, 2);
  EXPECT_EQ(state_.live.slot, 4);
  EXPECT_EQ(state_.live.report_rate, 6);
}

}  // namespace
}  // namespace vandrel::testing
