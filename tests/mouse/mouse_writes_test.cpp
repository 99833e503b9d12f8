// The live apply, the stored-record apply, the key page write and the reset against the simulated
// mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/trace.h"
#include "mouse_fixture.h"

namespace vandrel::testing {
namespace {

constexpr int kBegin = 1, kEnd = 2, kSelect = 6, kWritePage = 9, kFactoryReset = 13;

class MouseWritesTest : public MouseFixture {};

TEST_F(MouseWritesTest, TwoEditsWithinOneTickCostOneWriteOf56BytesWithTheLatestValues) {
  state_.slots[0].pointer_speed = 12;  // the stored record's host bytes never travel live
  state_.slots[0].reserved.fill(0x5A);
  state_.live.report_rate = 1;
  mouse_device_.MarkDirty();
  state_.live.report_rate = 2;
  state_.live.dpi5 = 9;
  mouse_device_.MarkDirty();

  mouse_device_.ApplyLive();
  mouse_device_.ApplyLive();

  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kSelect, 56, 0}}));
  const std::vector<std::uint8_t> payload = Payloads(kSelect).at(0);
  EXPECT_EQ(payload[14], 2);
  EXPECT_EQ(payload[20], 9);
  EXPECT_TRUE(std::all_of(payload.begin() + 36, payload.end(), [](auto b) { return b == 0; }));
  EXPECT_FALSE(state_.dirty);
  EXPECT_EQ(device_->Memory().settings[14], 2);
}

TEST_F(MouseWritesTest, MarkDirtyRewritesTheProfilesAskedFor) {
  mouse_device_.MarkDirty();
  mouse_device_.MarkDirty(kDeviceProfile);
  EXPECT_EQ(profiles_.saved,
            (std::vector<unsigned>{kLightProfile | kDeviceProfile, kDeviceProfile}));
  EXPECT_TRUE(state_.dirty);
}

TEST_F(MouseWritesTest, LiveApplyBeforeThePagesAreReadySendsNothingAndStaysPending) {
  ready_ = false;
  mouse_device_.MarkDirty();
  mouse_device_.ApplyLive();
  EXPECT_TRUE(Requests().empty());
  EXPECT_TRUE(state_.dirty);

  ready_ = true;
  mouse_device_.ApplyLive();
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kSelect, 56, 0}}));
}

TEST_F(MouseWritesTest, LiveApplyWithoutAnEditSendsNothing) {
  mouse_device_.ApplyLive();
  EXPECT_TRUE(Requests().empty());
}

TEST_F(MouseWritesTest, LiveApplyClearsThePendingMarkEvenWhenTheWriteFails) {
  mouse_.set_connected(false);
  mouse_device_.MarkDirty();
  mouse_device_.ApplyLive();
  EXPECT_FALSE(state_.dirty);

  mouse_.set_connected(true);
  device_->SetFaults({.refusal_status = 0xFE});
  mouse_device_.MarkDirty();
  mouse_device_.ApplyLive();
  EXPECT_FALSE(state_.dirty);
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kSelect, 56, 0}}));
}

TEST_F(MouseWritesTest, StoredRecordSends36SettingsBytesThenTheKeyTableAsPageZeroInABracket) {
  MouseSlotRecord record;
  record.settings.report_rate = 4;
  record.pointer_speed = 15;
  MouseKeyTable keys;
  std::iota(keys.bytes.begin(), keys.bytes.end(), std::uint8_t{0});

  mouse_device_.ApplyStoredRecord(record, keys);

  std::vector<TracedRequest> expected = {{kSelect, 36, 0}, {kBegin, 0, 0}};
  for (int done = 0; done < 512; done += 56) {
    expected.push_back({kWritePage, std::min(56, 512 - done), done});
  }
  expected.push_back({kEnd, 0, 0});
  EXPECT_EQ(Requests(), expected);
  const auto settings = Encode(record.settings);
  EXPECT_EQ(Payloads(kSelect).at(0), std::vector<std::uint8_t>(settings.begin(), settings.end()));
  const std::vector<std::uint8_t> memory = device_->Memory().key_pages;
  EXPECT_TRUE(std::equal(keys.bytes.begin(), keys.bytes.end(), memory.begin()));
  EXPECT_TRUE(state_.dirty);
}

TEST_F(MouseWritesTest, StoredRecordBeforeThePagesAreReadyIsOnlyMarked) {
  ready_ = false;
  mouse_device_.ApplyStoredRecord(MouseSlotRecord{}, MouseKeyTable{});
  EXPECT_TRUE(Requests().empty());
  EXPECT_TRUE(state_.dirty);
}

TEST_F(MouseWritesTest, KeyPageWriteBracketsThe126BytesOfTheActiveSlotsImage) {
  state_.live.slot = 2;
  std::iota(state_.keys[2].bytes.begin(), state_.keys[2].bytes.end(), std::uint8_t{1});
  state_.keys_known[2] = true;  // as if read, then edited
  const std::vector<std::uint8_t> before = device_->Memory().key_pages;

  EXPECT_EQ(mouse_device_.WriteKeyPage(), kChannelSuccess);

  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kBegin, 0, 0},
                                                    {kWritePage, 56, 252},
                                                    {kWritePage, 56, 308},
                                                    {kWritePage, 14, 364},
                                                    {kEnd, 0, 0}}));
  const std::vector<std::uint8_t> after = device_->Memory().key_pages;
  EXPECT_TRUE(std::equal(after.begin() + 252, after.begin() + 378, state_.keys[2].bytes.begin()));
  EXPECT_TRUE(std::equal(after.begin() + 378, after.end(), before.begin() + 378));
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 252, before.begin()));
  EXPECT_EQ(profiles_.saved, std::vector<unsigned>{kDeviceProfile});
}

TEST_F(MouseWritesTest, KeyPageWriteForSlotFiveSendsNothingAndSaysWhy) {
  state_.live.slot = 5;
  TraceCapture traces;

  EXPECT_EQ(mouse_device_.WriteKeyPage(), kChannelBadPage);

  EXPECT_TRUE(Requests().empty());
  EXPECT_TRUE(traces.Contains("mouse key page not written: slot 5 has no key page"));
}

TEST_F(MouseWritesTest, OnlyKeyPagesReadFromTheMouseOrLoadedFromAProfileAreWrittenBack) {
  state_.live.slot = 1;
  EXPECT_EQ(mouse_device_.WriteKeyPage(), kKeyPageNotKnown);
  EXPECT_TRUE(Requests().empty());

  // Slot 3's buttons on the mouse differ from anything the host holds; the mouse then switches
  // to slot 3 by itself and the host re-reads it.
  std::vector<std::uint8_t> slot3(MouseKeyTable::kPageSize);
  std::iota(slot3.begin(), slot3.end(), std::uint8_t{7});
  mouse_.BeginConfig();
  mouse_.WriteProfilePage(slot3, 3, slot3.size());
  mouse_.EndConfig();
  mouse_device_.ReadAll();
  device_->SwitchSlot(3);
  mouse_device_.RereadActiveSlot();
  ClearTrace();

  EXPECT_EQ(mouse_device_.WriteKeyPage(), kChannelSuccess);
  std::vector<std::uint8_t> written;
  for (const auto& payload : Payloads(kWritePage)) {
    written.insert(written.end(), payload.begin(), payload.end());
  }
  EXPECT_EQ(written, slot3);

  MouseKeyProfileBytes profile = state_.defaults.bytes;
  state_.live.slot = 0;
  state_.keys_known[0] = false;
  ASSERT_EQ(mouse_device_.ApplyKeyProfile(profile), std::nullopt);
  ClearTrace();
  EXPECT_EQ(mouse_device_.WriteKeyPage(), kChannelSuccess);
  written.clear();
  for (const auto& payload : Payloads(kWritePage)) {
    written.insert(written.end(), payload.begin(), payload.end());
  }
  EXPECT_TRUE(std::equal(written.begin(), written.end(), profile.begin()));
  EXPECT_EQ(written.size(), MouseKeyTable::kPageSize);
}

TEST_F(MouseWritesTest, ResetSetsTheHostSettingsThenSendsOnlyTheFactoryReset) {
  device_->SwitchSlot(2);
  state_.pointer_speed = 17;
  state_.wheel_lines = 40;

  mouse_device_.Reset();

  EXPECT_EQ(state_.pointer_speed.load(), 10);
  EXPECT_EQ(state_.wheel_lines.load(), 3);
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{kFactoryReset, 0, 0}}));
  EXPECT_EQ(device_->Memory().active_slot(), 0);
}

}  // namespace
}  // namespace vandrel::testing
