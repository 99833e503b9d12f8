// The pad in the main window: attached and read onto its page, its frames previewed on the LED
// buttons while they can be seen and sent to the pad, same mode from its page, and its reset
// followed a second later by a fresh read.
#include "pad/pad_components.h"

#include <gmock/gmock.h>

#include "app/hub_fixture.h"
#include "device/product_ids.h"
#include "pad/pad_frame_encoding.h"
#include "sim/firmware_image.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;

class PadComponentsTest : public HubTest {
 protected:
  void SetUp() override {
    Create();
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    pad_ = std::make_unique<PadComponents>(*hub_, *window_, profiles_, *same_mode_);
    hub_->InitWindow();
    window_->RaiseWindowInit();
    device_ = bus_.Plug(kPadProductId);
    PresenceMonitor monitor(DeviceKind::kPad, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(milliseconds(500));  // the attach timer
  }
  void TearDown() override {
    hub_.reset();
    pad_.reset();
  }

  Control& Led(int led) { return Find("mp_dkey_" + std::to_string(led)); }
  std::vector<std::uint8_t> Sent(const PadFrame& frame) {
    const auto payload = EncodePadFrame(frame);
    return {payload.begin(), payload.end()};
  }

  NoProfileSaver profiles_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<PadComponents> pad_;
  std::shared_ptr<sim::SimulatedDevice> device_;
};

TEST_F(PadComponentsTest, TheAttachedPadFillsItsPage) {
  const sim::FirmwareImage memory = device_->Memory();
  EXPECT_TRUE(Find("mp_tab").IsSelected());
  EXPECT_EQ(Find("mp_deng_combo_modeSelect").CurrentIndex(), memory.settings[1]);
  EXPECT_EQ(Find("mp_deng_light_slider").Value(), memory.settings[2]);
  EXPECT_EQ(pad_->animation().lighting.Load(), pad_->state().live.lighting);
  EXPECT_EQ(loop_.TimerPeriod(kTimerPadFrame), milliseconds(100));
}

TEST_F(PadComponentsTest, TheFrameTimerPreviewsThePublishedFrameWhileItCanBeSeenAndKeepsItSent) {
  PadFrame frame{};
  frame[2] = {.red = 10, .green = 20, .blue = 30, .level = 200};
  pad_->animation().frame.Publish(frame);
  loop_.RunFor(milliseconds(110));
  EXPECT_TRUE(Led(2).IsLightOn());
  EXPECT_EQ(Led(2).LightColour(), 20u << 16 | 30u << 8 | 10u);
  EXPECT_EQ(Led(2).LightAlpha(), 200);
  EXPECT_EQ(device_->LastFrame(), Sent(frame));

  // Hidden window: not shown, and sent again once no frame went to the pad for 100 ms (the
  // lighting thread sends every frame it renders).
  host_.Hide();
  PadFrame next{};
  next[2] = {.red = 1, .green = 2, .blue = 3, .level = 50};
  pad_->animation().frame.Publish(next);
  const int frames = device_->FramesReceived();
  loop_.RunFor(milliseconds(50));
  EXPECT_EQ(device_->FramesReceived(), frames);
  loop_.RunFor(milliseconds(60));
  EXPECT_EQ(device_->FramesReceived(), frames + 1);
  EXPECT_EQ(device_->LastFrame(), Sent(next));
  EXPECT_EQ(Led(2).LightAlpha(), 200);

  // Another device's tab in front: the LEDs are not on the screen. (Shown behind the hub's back,
  // the window is noticed by a frame timer that slept while it was hidden, and while the pad
  // showed its frame: within a second.)
  host_.Show();
  Find("kb_tab").SetVisible(true);
  Find("kb_tab").SetSelected(true, Notify::kYes);
  loop_.RunFor(milliseconds(1000));
  EXPECT_EQ(Led(2).LightAlpha(), 200);

  // The pad's tab again, its lighting tab not chosen: the lights go out at the next screen
  // refresh.
  pad_->animation().frame.Publish(next);
  Find("mp_tab").SetSelected(true, Notify::kYes);
  Find("mp_deng_Op_tab").SetSelected(false, Notify::kNo);
  loop_.RunFor(milliseconds(17));
  EXPECT_EQ(Led(2).LightAlpha(), 50);
  EXPECT_FALSE(Led(2).IsLightOn());
}

TEST_F(PadComponentsTest, SameModeFromThePadGivesTheOthersItsBlockAndSetsEveryFlag) {
  std::vector<std::pair<DeviceKind, LightingBlock>> adopted;
  for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse}) {
    same_mode_->SetAdopter(
        kind, [&adopted, kind](const LightingBlock& block) { adopted.emplace_back(kind, block); });
  }
  Find("mp_deng_light_slider").ReleaseSlider(6);
  Find("mp_Deng_color_btn_4").Click();
  const LightingBlock pad = pad_->state().live.lighting;
  Find("mp_deng_same_mode").SetVisible(true);
  Find("mp_deng_same_mode").Click();

  EXPECT_THAT(adopted, ::testing::UnorderedElementsAre(std::pair{DeviceKind::kKeyboard, pad},
                                                       std::pair{DeviceKind::kMouse, pad}));
  EXPECT_EQ(same_mode_->Common().Load(), pad);
  const DeviceChannels channels = hub_->channels();
  EXPECT_TRUE(channels.keyboard.sync_lighting());
  EXPECT_TRUE(channels.mouse.sync_lighting());
  EXPECT_TRUE(channels.pad.sync_lighting());

  Find("mp_deng_combo_modeSelect").SelectItem(2, Notify::kYes);
  EXPECT_FALSE(channels.pad.sync_lighting());
  EXPECT_TRUE(channels.keyboard.sync_lighting());
  EXPECT_TRUE(channels.mouse.sync_lighting());
  EXPECT_TRUE(pad_->animation().reset_requested.load());
}

TEST_F(PadComponentsTest, AnotherDevicesSameModeBecomesThePadsLighting) {
  const LightingBlock keyboard{.mode = 3, .brightness = 4, .red = 40, .green = 50, .blue = 60};
  same_mode_->SpreadFrom(DeviceKind::kKeyboard, keyboard);
  EXPECT_EQ(pad_->state().live.lighting, keyboard);
  EXPECT_EQ(pad_->animation().lighting.Load(), keyboard);
  EXPECT_EQ(Find("mp_deng_combo_modeSelect").CurrentIndex(), 3);
  loop_.RunFor(milliseconds(100));
  EXPECT_EQ(device_->Memory().settings[1], 3) << "applied at the next tick";
}

TEST_F(PadComponentsTest, TheResetIsFollowedASecondLaterByAFreshReadOfThePad) {
  Find("mp_deng_combo_modeSelect").SelectItem(7, Notify::kYes);
  loop_.RunFor(milliseconds(100));
  ASSERT_EQ(device_->Memory().settings[1], 7);

  Find("mp_one_profile_default").Click();
  EXPECT_EQ(device_->Memory().settings[1], 0) << "the pad is back to its factory settings";
  loop_.RunFor(milliseconds(999));
  EXPECT_EQ(pad_->state().live.lighting.mode, 7);
  loop_.RunFor(milliseconds(1));
  EXPECT_EQ(pad_->state().live.lighting.mode, 0);
  EXPECT_EQ(pad_->animation().lighting.Load().mode, 0);
  EXPECT_EQ(Find("mp_deng_combo_modeSelect").CurrentIndex(), 0);
}

}  // namespace
}  // namespace vandrel::testing
