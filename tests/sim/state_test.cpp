// The simulated devices' saved memory: one holder of a memory folder at a time, and a device that
// cannot save says so once instead of forgetting its changes quietly.
#include <gtest/gtest.h>

#include "core/manual_clock.h"
#include "device/product_ids.h"
#include "sim/state_lock.h"
#include "sim/virtual_bus.h"
#include "support/temp_dir.h"

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;

TEST(StateTest, AHeldFolderIsWaitedForUpToThePatienceAndThenRefusedWithItsName) {
  const vandrel::testing::TempDir folder;
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  std::string error;
  auto first = StateFolderLock::Take(folder.path(), clock, 1s, error);
  ASSERT_NE(first, nullptr) << error;

  const Clock::Duration start = clock.Now();
  EXPECT_EQ(StateFolderLock::Take(folder.path(), clock, 5s, error), nullptr);
  EXPECT_GE(clock.Now() - start, 5s);
  EXPECT_NE(error.find(folder.path().string()), std::string::npos) << error;

  first.reset();
  EXPECT_NE(StateFolderLock::Take(folder.path(), clock, 5s, error), nullptr) << error;
}

TEST(StateTest, AFailedSaveIsToldOnceAsAFailure) {
  const vandrel::testing::TempDir folder;
  ManualClock clock;
  VirtualBus bus(clock);
  std::vector<SimNotice> notices;
  bus.SetNoticeSink([&](const SimNotice& notice) { notices.push_back(notice); });
  // The state folder does not exist, so no save can succeed.
  const auto pad = bus.Plug(kPadProductId, {std::nullopt, folder.path() / "gone"});
  pad->SetLighting(3, 4);
  pad->SetLighting(5, 6);
  ASSERT_EQ(notices.size(), 1U);
  EXPECT_TRUE(notices[0].failure);
  EXPECT_NE(notices[0].text.find("gone/mp-6627.state"), std::string::npos) << notices[0].text;
}

}  // namespace
}  // namespace vandrel::sim
