// The mouse as the hub drives it: reads followed by the pages' refresh, the timer's live apply.
#include "mouse/mouse_part.h"

#include <gtest/gtest.h>

#include "mouse_fixture.h"

namespace vandrel::testing {
namespace {

class MousePartTest : public MouseFixture {
 protected:
  MousePart part_{mouse_device_};
  int refreshes_ = 0;
};

TEST_F(MousePartTest, ReadAndRefreshRefreshesThePagesAfterTheRead) {
  part_.SetRefresh([this] {
    ++refreshes_;
    EXPECT_EQ(state_.info.sensor_code(), 0x3360);  // already read
  });
  part_.ReadAndRefresh();
  EXPECT_EQ(refreshes_, 1);
  EXPECT_EQ(WithCommand(Requests(), 2).size(), 1U);
}

TEST_F(MousePartTest, RereadRefreshesThePagesWithTheNewActiveSlot) {
  device_->SwitchSlot(1);
  part_.SetRefresh([this] {
    ++refreshes_;
    EXPECT_EQ(state_.live.slot, 1);
  });
  part_.RereadActiveSlot();
  EXPECT_EQ(refreshes_, 1);
}

TEST_F(MousePartTest, ReadsWithoutRefreshCallbackStillRead) {
  part_.ReadAndRefresh();
  EXPECT_FALSE(Requests().empty());
}

TEST_F(MousePartTest, PendingApplySendsTheMarkedLiveRecord) {
  mouse_device_.MarkDirty();
  part_.ApplyPending();
  EXPECT_EQ(Requests(), (std::vector<TracedRequest>{{6, 56, 0}}));
  EXPECT_FALSE(state_.dirty);
}

TEST_F(MousePartTest, SelectingTheStoredProfileSendsNothingYet) {
  part_.SelectStoredProfile();
  EXPECT_TRUE(Requests().empty());
}

}  // namespace
}  // namespace vandrel::testing
