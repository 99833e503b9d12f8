// The mouse in the main window: attached, read, shown on its pages, and edited with one live
// apply per tick of the deferred update.
#include "mouse/mouse_components.h"

#include <gmock/gmock.h>

#include "app/hub_fixture.h"
#include "device/product_ids.h"
#include "sim/firmware_image.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;

class NoPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int) override { return true; }
  bool SetWheelLines(int) override { return true; }
  std::optional<int> PointerSpeed() override { return std::nullopt; }
  std::optional<int> WheelLines() override { return std::nullopt; }
};

class MouseComponentsTest : public HubTest {
 protected:
  void SetUp() override {
    Create();
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    mouse_ = std::make_unique<MouseComponents>(*hub_, *window_, dialogs_, pointer_, profiles_,
                                               *same_mode_);
    hub_->InitWindow();
    window_->RaiseWindowInit();
    device_ = bus_.Plug(kMouseProductId);
    PresenceMonitor monitor(DeviceKind::kMouse, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(milliseconds(1000));  // the attach timer
  }
  void TearDown() override {
    hub_.reset();
    mouse_.reset();
  }

  NoPointerSettings pointer_;
  NoProfileSaver profiles_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<MouseComponents> mouse_;
  std::shared_ptr<sim::SimulatedDevice> device_;
};

TEST_F(MouseComponentsTest, TheAttachedMouseFillsItsPagesAndMakesThemReady) {
  EXPECT_TRUE(hub_->mouse_page_ready());
  const sim::FirmwareImage memory = device_->Memory();
  EXPECT_EQ(Find("ms_DPI1_slider").Value(), memory.settings[15]);
  EXPECT_EQ(Find("ms_DPI1_slider").Maximum(), memory.device_info[12]);
  EXPECT_EQ(Find("ms_deng_light_slider").Value(), memory.settings[2]);
  EXPECT_TRUE(Find("ms_tab").IsSelected());
}

TEST_F(MouseComponentsTest, AReleasedSliderReachesTheMouseAtTheNextTickInOneCommand) {
  loop_.RunFor(milliseconds(100));  // the refresh's own live apply
  const int requests = device_->RequestCount();
  Find("ms_DPI3_slider").MoveSlider(5);
  Find("ms_DPI3_slider").ReleaseSlider(7);
  Find("ms_DPI2_slider").ReleaseSlider(1);
  EXPECT_EQ(device_->RequestCount(), requests);
  loop_.RunFor(milliseconds(100));
  EXPECT_EQ(device_->RequestCount(), requests + 1);
  const sim::FirmwareImage memory = device_->Memory();
  EXPECT_EQ(memory.settings[17], 7);
  EXPECT_EQ(memory.settings[16], 1);
}

TEST_F(MouseComponentsTest, ASlotButtonSwitchesTheMouseAndRefreshesThePages) {
  window_->AddControl(window_->Root(), ControlKind::kButton, "ms_profile_2").Click();
  EXPECT_EQ(device_->Memory().active_slot(), 2);
  EXPECT_EQ(mouse_->state().live.slot, 2);
  EXPECT_EQ(Find("ms_DPI1_slider").Value(), device_->Memory().settings[2 * 64 + 15]);
}

TEST_F(MouseComponentsTest, TheRestoreButtonReachesThePerformancePageThroughTheRouter) {
  window_->AddControl(window_->Root(), ControlKind::kButton, "ms_profile_2").Click();
  ASSERT_EQ(device_->Memory().active_slot(), 2);
  Find("ms_point_speed_slider").SetValue(9);
  Find("ms_one_profile_default").Click();
  EXPECT_EQ(Find("ms_point_speed_slider").Value(), 5);
  EXPECT_EQ(device_->Memory().active_slot(), 0) << "the mouse is back to its factory settings";
}

}  // namespace
}  // namespace vandrel::testing
