// Same mode: one device's lighting block spread onto the other two and the common block.
#include "app/same_mode.h"

#include <gmock/gmock.h>

#include <vector>

#include "core/manual_clock.h"
#include "sim/virtual_bus.h"

namespace vandrel {
namespace {

class SameModeTest : public ::testing::Test {
 protected:
  SameModeTest() {
    for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
      same_mode_.SetAdopter(
          kind, [this, kind](const LightingBlock& block) { adopted_.emplace_back(kind, block); });
    }
  }

  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  sim::VirtualBus bus_{clock_};
  DeviceChannel keyboard_{bus_, clock_};
  DeviceChannel mouse_{bus_, clock_};
  DeviceChannel pad_{bus_, clock_};
  SameMode same_mode_{DeviceChannels{keyboard_, mouse_, pad_}};
  std::vector<std::pair<DeviceKind, LightingBlock>> adopted_;
};

TEST_F(SameModeTest, TheMouseBlockReachesThePadTheKeyboardAndTheCommonBlockAndEveryFlagIsSet) {
  const LightingBlock block{4, 14, 3, 1, 0, 0x12, 0x34, 0x56};
  same_mode_.SpreadFrom(DeviceKind::kMouse, block);
  ASSERT_EQ(adopted_.size(), 2U);
  EXPECT_EQ(adopted_[0].first, DeviceKind::kPad);
  EXPECT_EQ(adopted_[1].first, DeviceKind::kKeyboard);
  for (const auto& [kind, copy] : adopted_) EXPECT_EQ(Encode(copy), Encode(block));
  EXPECT_EQ(same_mode_.Common().Load(), block);
  EXPECT_TRUE(keyboard_.sync_lighting());
  EXPECT_TRUE(mouse_.sync_lighting());
  EXPECT_TRUE(pad_.sync_lighting());
}

TEST_F(SameModeTest, FromTheKeyboardTheMouseAndThePadTakeTheBlock) {
  same_mode_.SpreadFrom(DeviceKind::kKeyboard, LightingBlock{1, 2, 3, 0, 1, 9, 9, 9});
  ASSERT_EQ(adopted_.size(), 2U);
  EXPECT_EQ(adopted_[0].first, DeviceKind::kPad);
  EXPECT_EQ(adopted_[1].first, DeviceKind::kMouse);
}

TEST_F(SameModeTest, ADeviceWithoutAnAdopterIsLeftOut) {
  same_mode_.SetAdopter(DeviceKind::kPad, nullptr);
  same_mode_.SpreadFrom(DeviceKind::kMouse, LightingBlock{});
  ASSERT_EQ(adopted_.size(), 1U);
  EXPECT_EQ(adopted_[0].first, DeviceKind::kKeyboard);
}

}  // namespace
}  // namespace vandrel
