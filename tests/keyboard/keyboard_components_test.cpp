// The keyboard in the main window: attached, read, its picture showing the keys it has, its
// lighting re-read on the keyboard's announcement and sent in one command per tick, and same mode.
#include "keyboard/keyboard_components.h"

#include <gmock/gmock.h>

#include "app/hub_fixture.h"
#include "device/product_ids.h"
#include "lighting/lighting_threads.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;

class KeyboardComponentsTest : public HubTest {
 protected:
  void SetUp() override {
    Create();
    same_mode_ = std::make_unique<SameMode>(hub_->channels());
    keyboard_ =
        std::make_unique<KeyboardComponents>(*hub_, *window_, dialogs_, profiles_, *same_mode_);
    hub_->InitWindow();
    window_->RaiseWindowInit();
  }
  void TearDown() override {
    hub_.reset();
    keyboard_.reset();
  }

  // Plugs a keyboard and lets its monitor see it; the attach timer runs at the next 500 ms.
  void Attach(std::uint16_t product_id, std::optional<int> key_count = std::nullopt) {
    device_ = bus_.Plug(product_id, {key_count, {}});
    PresenceMonitor monitor(DeviceKind::kKeyboard, hub_->channels(), hub_->link(), clock_);
    ASSERT_TRUE(monitor.PollOnce());
    loop_.RunFor(milliseconds(500));
  }

  NoProfileSaver profiles_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<KeyboardComponents> keyboard_;
  std::shared_ptr<sim::SimulatedDevice> device_;
};

TEST_F(KeyboardComponentsTest, AttachReadsTheKeyboardShowsItsKeysAndStartsTheFrameTimer) {
  EXPECT_EQ(hub_->keyboard_model(), 3);
  Attach(kPerKeyKeyboardProductId);

  EXPECT_EQ(hub_->keyboard_model(), 0);
  EXPECT_EQ(device_->Memory().device_info[5], keyboard_->state().info.key_count());
  EXPECT_EQ(hub_->channels().keyboard.transfer_size(), 3 * keyboard_->state().info.key_count());
  EXPECT_TRUE(Find("kb_tab").IsSelected());
  EXPECT_TRUE(Find("kb_key_0").IsEnabled());
  EXPECT_TRUE(Find("kb_key_108").IsEnabled());
  EXPECT_FALSE(Find("kb_key_16").IsEnabled());   // the simulated keyboard has no extra column
  EXPECT_FALSE(Find("kb_key_102").IsEnabled());  // nor an ISO key
  EXPECT_TRUE(Find("kb_key_16").IsVisible());
  EXPECT_TRUE(loop_.TimerPeriod(kTimerKeyboardFrame).has_value());
}

// Until a stored profile is applied at attachment, the keyboard's own lighting is animated.
TEST_F(KeyboardComponentsTest, AnAttachedKeyboardStreamsItsOwnLightingNotDarkness) {
  Attach(kPerKeyKeyboardProductId);
  const std::vector<std::uint8_t> record = device_->Memory().settings;
  EXPECT_EQ(keyboard_->state().Lighting(),
            DecodeLightingBlock(std::span<const std::uint8_t, 8>(record.data() + 1, 8)));

  SharedLightingBlock mouse_lighting, common;
  PadAnimation pad;
  KeyboardDevice& keyboard = keyboard_->device();
  KeyboardLightingThread thread(LightingThreadInputs{
      clock_, hub_->channels(), [this] { return hub_->keyboard_model(); }, keyboard_->state(),
      mouse_lighting, pad, common,
      [&keyboard](std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
        return keyboard.SendFrame(model, mode, image) == kChannelSuccess;
      },
      [](const PadFrame&) { return true; }, [] {}, [] { return false; }});
  const int frames_before = device_->FramesReceived();
  for (int pass = 0; pass < 20; ++pass) thread.Pass();
  EXPECT_EQ(device_->FramesReceived(), frames_before + 20);
  const std::vector<std::uint8_t> frame = device_->LastFrame();
  EXPECT_TRUE(std::any_of(frame.begin(), frame.end(), [](std::uint8_t byte) { return byte != 0; }));
  EXPECT_EQ(device_->ViolationCount(), 0);
}

TEST_F(KeyboardComponentsTest, TheZoneKeyboardsExtraColumnIsEnabled) {
  Attach(kZoneKeyboardProductId);
  EXPECT_EQ(hub_->keyboard_model(), 3);
  EXPECT_TRUE(Find("kb_key_102").IsEnabled());
  EXPECT_TRUE(Find("kb_key_125").IsEnabled());
}

TEST_F(KeyboardComponentsTest, AKeyboardWithTooManyKeysShowsTheMessageAndLeavesNoBracketOpen) {
  Attach(kPerKeyKeyboardProductId, 171);
  EXPECT_EQ(dialogs_.Texts(), std::vector<std::string>{"message_text_11"});
  EXPECT_FALSE(device_->ConfigOpen());
}

TEST_F(KeyboardComponentsTest, TheKeyboardsLightingAnnouncementRereadsTheLightingRecord) {
  Attach(kPerKeyKeyboardProductId);
  device_->ChangeLightingMode(14);
  hub_->HandleMessage(kMessageKeyboardLightingChanged, 0, 0);
  EXPECT_EQ(keyboard_->state().live.lighting.mode, 14);
}

// The keyboard switched to a mode that starts from a seed: once the announcement is handled, the
// keyboard thread's frames light up; without the seed they stay dark.
TEST_F(KeyboardComponentsTest, AModeChangedOnTheKeyboardIsSeededForTheKeyboardThread) {
  Attach(kPerKeyKeyboardProductId);
  SharedLightingBlock mouse_lighting, common;
  PadAnimation pad;
  KeyboardDevice& keyboard = keyboard_->device();
  struct Case {
    std::uint8_t mode;
    bool seed_dropped;  // the request taken away before the thread sees it
    bool lit;
  };
  const Case cases[] = {{12, false, true}, {15, false, true}, {12, true, false}, {15, true, false}};
  for (const Case& c : cases) {
    KeyboardLightingThread thread(LightingThreadInputs{
        clock_, hub_->channels(), [this] { return hub_->keyboard_model(); }, keyboard_->state(),
        mouse_lighting, pad, common,
        [&keyboard](std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
          return keyboard.SendFrame(model, mode, image) == kChannelSuccess;
        },
        [](const PadFrame&) { return true; }, [] {}, [] { return false; }});
    keyboard_->state().frame.Publish({});
    device_->ChangeLightingMode(c.mode);
    hub_->HandleMessage(kMessageKeyboardLightingChanged, 0, 0);
    ASSERT_EQ(keyboard_->state().Lighting().mode, c.mode);
    if (c.seed_dropped) {
      EffectState elsewhere;
      EXPECT_EQ(keyboard_->state().engine_requests.ApplyPending(elsewhere), 1U);
    }
    for (int pass = 0; pass < 4; ++pass) thread.Pass();
    const std::vector<std::uint8_t> frame = device_->LastFrame();
    EXPECT_EQ(std::any_of(frame.begin(), frame.end(), [](std::uint8_t byte) { return byte != 0; }),
              c.lit)
        << "mode " << int{c.mode} << (c.seed_dropped ? " without its seed" : "");
  }
}

TEST_F(KeyboardComponentsTest, SameModeTakesAnotherDevicesLightingAndSendsItAtTheNextTick) {
  Attach(kPerKeyKeyboardProductId);
  loop_.RunFor(milliseconds(100));
  const int requests = device_->RequestCount();
  const LightingBlock block{3, 14, 2, 1, 0, 10, 20, 30};

  same_mode_->SpreadFrom(DeviceKind::kMouse, block);
  EXPECT_EQ(device_->RequestCount(), requests);
  loop_.RunFor(milliseconds(100));

  EXPECT_EQ(keyboard_->state().live.lighting, block);
  const std::vector<std::uint8_t> settings = device_->Memory().settings;
  EXPECT_EQ(DecodeLightingBlock(std::span<const std::uint8_t, 8>(settings.data() + 1, 8)), block);
}

TEST_F(KeyboardComponentsTest, TheFrameTimerSendsThePublishedFrameAndPreviewsItWhileShown) {
  Attach(kPerKeyKeyboardProductId);
  KeyboardFrameImage image;
  image.leds[0] = {0x10, 0x20, 0x30, 255};
  keyboard_->state().frame.Publish(image);
  const int frames = device_->FramesReceived();
  host_.Hide();
  loop_.RunFor(milliseconds(100));
  EXPECT_GT(device_->FramesReceived(), frames);
  const std::vector<std::uint8_t> sent = device_->LastFrame();
  ASSERT_GE(sent.size(), 3U);
  EXPECT_EQ(sent[0], 0x0F);  // 0x10 × 255 >> 8
  EXPECT_FALSE(Find("kb_key_0").IsLightOn());

  // Shown behind the hub's back, the window is noticed by the frame timer that slept while it was
  // hidden and the keyboard showed its frame: within a second.
  host_.Show();
  loop_.RunFor(milliseconds(1000));
  EXPECT_TRUE(Find("kb_key_0").IsLightOn());
  EXPECT_EQ(Find("kb_key_0").LightColour(), 0x203010U);
  EXPECT_EQ(Find("kb_key_0").LightAlpha(), 255);
}

// The frame timer sends a frame the keyboard lacks (published but not sent) only once the keyboard
// has gone without one for longer than its effect's own frames take (pause, pre-delay and 50 ms for
// the transfer), and never before 100 ms.
TEST_F(KeyboardComponentsTest, TheFrameTimerResendsOnlyAfterTheModesOwnFramePeriod) {
  Attach(kPerKeyKeyboardProductId);
  keyboard_->state().frame.Publish(keyboard_->state().frame.Read());  // as a thread's first frame
  struct Case {
    std::uint8_t mode;
    std::uint8_t speed;
    int quiet_ms;  // how long the keyboard may go without a frame
  };
  const Case cases[] = {
      {0, 0, 100},   // 2 ms a frame
      {5, 14, 116},  // 65 + 1 ms
      {12, 14, 155}, {15, 14, 165}, {18, 0, 115}, {1, 14, 135},
  };
  for (const Case& c : cases) {
    {
      KeyboardLightingWrite writing(keyboard_->state());
      keyboard_->state().live.lighting.mode = c.mode;
      keyboard_->state().live.lighting.speed = c.speed;
    }
    KeyboardFrameImage image = keyboard_->state().frame.Read();
    (void)keyboard_->device().SendFrame(0, c.mode, image);
    image.leds[0] = {static_cast<std::uint8_t>(100 + c.mode),
                     static_cast<std::uint8_t>(100 + c.speed), 1, 255};
    keyboard_->state().frame.Publish(image);
    const int sent = device_->FramesReceived();
    KeyboardPart& part = keyboard_->part();
    EXPECT_EQ(part.FrameStep(false), milliseconds(c.quiet_ms)) << "mode " << int{c.mode};
    clock_.Advance(milliseconds(c.quiet_ms - 1));
    EXPECT_EQ(part.FrameStep(false), milliseconds(1)) << "mode " << int{c.mode};
    EXPECT_EQ(device_->FramesReceived(), sent) << "mode " << int{c.mode};
    clock_.Advance(milliseconds(1));
    EXPECT_EQ(part.FrameStep(false), kFrameLookPeriod) << "mode " << int{c.mode};
    ASSERT_EQ(device_->FramesReceived(), sent + 1) << "mode " << int{c.mode};
    EXPECT_EQ(part.FrameStep(false), kFrameLookPeriod) << "the keyboard shows it now";
    EXPECT_EQ(device_->FramesReceived(), sent + 1) << "mode " << int{c.mode};
  }
}

TEST_F(KeyboardComponentsTest, TheSingleColourKeyboardIsPreviewedButSentNoFrames) {
  Attach(kKeyboardProductId);
  ASSERT_EQ(hub_->keyboard_model(), 1);
  KeyboardFrameImage image;
  image.leds[0].level = 77;
  keyboard_->state().frame.Publish(image);
  loop_.RunFor(milliseconds(100));
  EXPECT_EQ(device_->FramesReceived(), 0);
  EXPECT_EQ(Find("kb_key_0").LightColour(), kSingleColourPreview);
  EXPECT_EQ(Find("kb_key_0").LightAlpha(), 77);
}

}  // namespace
}  // namespace vandrel::testing
