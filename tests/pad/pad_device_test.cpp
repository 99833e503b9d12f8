// The pad's exchanges against the simulated pad: the exact requests of the full read, the slot
// switch and the live apply, what ends up in the state, what the lighting threads are given, and
// the frame the pad receives.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "pad/pad_frame_encoding.h"
#include "pad/pad_profiles.h"
#include "pad_fixture.h"

namespace vandrel::testing {
namespace {

constexpr int kBegin = 1, kEnd = 2, kInfo = 3, kBlock = 5, kSelect = 6, kReset = 13, kFrame = 18;

// A record of slot `slot` whose every byte after the slot number tells where it came from.
std::array<std::uint8_t, 56> MarkedRecord(std::uint8_t slot) {
  std::array<std::uint8_t, 56> record{};
  record[0] = slot;
  for (std::size_t i = 1; i < record.size(); ++i) {
    record[i] = static_cast<std::uint8_t>(0x40U + slot * 0x10U + i);
  }
  record[1] = 3;  // a mode the pad has
  return record;
}

class PadDeviceTest : public PadFixture {};

TEST_F(PadDeviceTest, FullReadSendsInformationEverySlotAndTheActiveSlotInOneBracket) {
  pad_device_.ReadAll();

  const std::vector<TracedRequest> expected = {
      {kBegin, 0, 0},    {kInfo, 33, 0},    {kBlock, 56, 0}, {kBlock, 56, 64}, {kBlock, 56, 128},
      {kBlock, 56, 192}, {kBlock, 56, 256}, {kBlock, 1, 0},  {kEnd, 0, 0}};
  EXPECT_EQ(Requests(), expected);
  EXPECT_EQ(device_->ViolationCount(), 0);
  EXPECT_EQ(profiles_.saves,
            (std::vector<std::pair<DeviceKind, unsigned>>{{DeviceKind::kPad, kLightProfile}}));
}

TEST_F(PadDeviceTest, FullReadWithActiveSlotTwoMakesTheRecordAtOffset128Live) {
  ASSERT_EQ(pad_.SelectProfile(MarkedRecord(2)), kChannelSuccess);  // also makes slot 2 active
  pad_device_.ReadAll();

  const std::array<std::uint8_t, 56> marked = MarkedRecord(2);
  const auto live = Encode(state_.live);
  EXPECT_EQ(live[0], 2);
  EXPECT_TRUE(std::equal(live.begin() + 1, live.end(), marked.begin() + 1));
  const auto slot = Encode(state_.slots[2]);
  EXPECT_TRUE(std::equal(marked.begin() + 21, marked.end(), slot.begin() + 21)) << "carried";
  EXPECT_TRUE(std::all_of(slot.begin() + 56, slot.end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(state_.slots[0].settings.slot, 2) << "slot 0's first byte names the active slot";
  EXPECT_EQ(Published(), state_.live.lighting);
}

TEST_F(PadDeviceTest, WhenThePadDoesNotSayWhichSlotIsActiveTheKnownOneStays) {
  device_->SwitchSlot(4);
  state_.live.slot = 3;
  device_->SetFaults({.refusal_status = 0xFF, .refuse_request = 8});  // the 1-byte read
  pad_device_.ReadAll();
  EXPECT_EQ(state_.live.slot, 3);
  EXPECT_EQ(state_.live.lighting.mode, 3) << "each simulated slot has its own mode";
}

TEST_F(PadDeviceTest, SwitchingKeepsTheLiveRecordInItsSlotAndMakesTheNewSlotLive) {
  pad_device_.ReadAll();
  state_.live.lighting.red = 0x77;
  ClearTrace();
  profiles_.saves.clear();

  EXPECT_TRUE(pad_device_.SwitchSlot(3));

  const std::vector<TracedRequest> expected = {{kBlock, 1, 0}, {kSelect, 1, 0}, {kBlock, 56, 192}};
  EXPECT_EQ(Requests(), expected);
  EXPECT_EQ(Payloads(kSelect), (std::vector<std::vector<std::uint8_t>>{{3}}));
  EXPECT_EQ(state_.slots[0].settings.lighting.red, 0x77);
  EXPECT_EQ(state_.live.slot, 3);
  EXPECT_EQ(state_.live.lighting.mode, 3);
  EXPECT_EQ(Published().mode, 3);
  EXPECT_EQ(device_->Memory().active_slot(), 3);
  EXPECT_TRUE(profiles_.saves.empty()) << "a slot switch rewrites no profile";
}

TEST_F(PadDeviceTest, SwitchingToTheActiveSlotOnlyAsksWhichOneIsActive) {
  pad_device_.ReadAll();
  ClearTrace();
  EXPECT_FALSE(pad_device_.SwitchSlot(0));
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kBlock, 1, 0}}));
}

TEST_F(PadDeviceTest, ASlotThePadDoesNotHaveSendsNothing) {
  pad_device_.ReadAll();
  ClearTrace();
  EXPECT_FALSE(pad_device_.SwitchSlot(5));
  EXPECT_FALSE(pad_device_.SwitchSlot(-1));
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(state_.live.slot, 0);
}

TEST_F(PadDeviceTest, TheLiveApplySendsTheRecordIn56BytesOnlyWhenItChanged) {
  pad_device_.ReadAll();
  ClearTrace();
  pad_device_.ApplyLive();
  EXPECT_TRUE(Requests().empty());

  pad_device_.EditLighting([](LightingBlock& lighting) { lighting.brightness = 5; });
  pad_device_.ApplyLive();
  pad_device_.ApplyLive();

  const auto payloads = Payloads(kSelect);
  ASSERT_EQ(payloads.size(), 1u);
  ASSERT_EQ(payloads[0].size(), 56u);
  const auto live = Encode(state_.live);
  EXPECT_TRUE(std::equal(live.begin(), live.end(), payloads[0].begin()));
  EXPECT_TRUE(std::all_of(payloads[0].begin() + 21, payloads[0].end(),
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_FALSE(state_.dirty);
  EXPECT_EQ(device_->Memory().settings[2], 5);
}

TEST_F(PadDeviceTest, ALightProfileIsSlotRecordZeroAndLoadsIntoTheActiveSlot) {
  pad_device_.ReadAll();
  pad_device_.SwitchSlot(2);
  pad_device_.EditLighting([](LightingBlock& lighting) { lighting.mode = 6; });
  const PadLightProfileBytes saved = MakeLightProfile(state_);
  EXPECT_EQ(saved[1], 6);
  EXPECT_EQ(saved[0], 2) << "the live record as it stands";

  pad_device_.EditLighting([](LightingBlock& lighting) { lighting.mode = 1; });
  PadSlotRecord record;
  DecodeInto(saved, record);
  record.settings.slot = 0;
  ClearTrace();
  EXPECT_FALSE(pad_device_.ApplyLightProfile(Encode(record)).has_value());

  EXPECT_EQ(state_.live.slot, 2) << "the profile changes the active slot's settings";
  EXPECT_EQ(state_.live.lighting.mode, 6);
  EXPECT_EQ(state_.animation.lighting.Load().mode, 6) << "the lighting thread sees it";
  EXPECT_TRUE(Requests().empty()) << "the live apply sends it";
  pad_device_.ApplyLive();
  EXPECT_EQ(device_->Memory().settings[2 * 64 + 1], 6);
}

TEST_F(PadDeviceTest, AFrameIsSentAsEachColourDimmedByItsLevel) {
  PadFrame frame{};
  frame[0] = {.red = 255, .green = 128, .blue = 0, .level = 128};
  frame[14] = {.red = 255, .green = 255, .blue = 255, .level = 255};
  frame[7] = {.red = 200, .green = 100, .blue = 50, .level = 0};
  EXPECT_EQ(pad_device_.SendFrame(frame), kChannelSuccess);

  const auto payloads = Payloads(kFrame);
  ASSERT_EQ(payloads.size(), 1u);
  std::vector<std::uint8_t> expected(45, 0);
  expected[0] = 127;
  expected[1] = 64;
  expected[42] = expected[43] = expected[44] = 254;
  EXPECT_EQ(payloads[0], expected);
  EXPECT_EQ(device_->LastFrame(), expected);
}

TEST_F(PadDeviceTest, TheResetIsOneFactoryResetCommand) {
  pad_device_.Reset();
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kReset, 0, 0}}));
}

// The lighting threads send frames while the user-interface thread edits and applies.
TEST_F(PadDeviceTest, FramesFromAnotherThreadGoAlongsideTheLiveApply) {
  pad_device_.ReadAll();
  const int frames_before = device_->FramesReceived();
  std::thread lighting_thread([this] {
    PadFrame frame{};
    frame[0] = {.red = 0, .green = 0, .blue = 0, .level = 255};
    for (int i = 0; i < 20; ++i) {
      frame[0].red = static_cast<std::uint8_t>(10 * i);
      (void)pad_device_.SendFrame(frame);
    }
  });
  for (std::uint8_t speed = 0; speed < 10; ++speed) {
    pad_device_.EditLighting([speed](LightingBlock& lighting) { lighting.speed = speed; });
    pad_device_.ApplyLive();
  }
  lighting_thread.join();
  EXPECT_EQ(device_->FramesReceived() - frames_before, 20);
  EXPECT_EQ(device_->Memory().settings[3], 9);
  EXPECT_EQ(device_->ViolationCount(), 0);
}

TEST_F(PadDeviceTest, ALightProfileWithAModeThePadLacksIsRefusedWhole) {
  PadSlotRecord record;
  record.settings.lighting.mode = 10;
  const PadSettings before = state_.live;
  const std::optional<FieldProblem> problem = pad_device_.ApplyLightProfile(Encode(record));
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->field, "lighting mode");
  EXPECT_EQ(problem->allowed, "0-9");
  EXPECT_EQ(state_.live, before);
  EXPECT_FALSE(state_.dirty);
}

}  // namespace
}  // namespace vandrel::testing
