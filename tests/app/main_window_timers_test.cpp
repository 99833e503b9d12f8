// The main window's timers on the manual clock: the deferred device update, the repaint loop, the
// frame timers that run while their device is connected, and the attach handlers.
#include <gmock/gmock.h>

#include "device/product_ids.h"
#include "hub_fixture.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;

TEST_F(HubTest, TimerTwoAppliesEachDeviceOncePerTickAndTheMouseOnlyOnceItsPagesAreReady) {
  Start();
  host_.Show();
  hub_->channels().pad.set_connected(true);
  loop_.RunFor(milliseconds(100));  // the tick that finds the device sets the pace
  Log();
  loop_.RunFor(milliseconds(250));
  EXPECT_THAT(Log(), ElementsAre("kb apply", "mp apply", "kb apply", "mp apply"));
  hub_->link().SetMousePageReady(true);
  loop_.RunFor(milliseconds(100));
  EXPECT_THAT(Log(), ElementsAre("kb apply", "ms apply", "mp apply"));
}

TEST_F(HubTest, TheRepaintTimerFirstWaits100MsThenRepaintsEvery50Ms) {
  Start();
  host_.Show();
  loop_.RunFor(milliseconds(99));
  EXPECT_EQ(host_.repaints(), 0);
  loop_.RunFor(milliseconds(1));
  EXPECT_EQ(host_.repaints(), 1);
  loop_.RunFor(milliseconds(200));
  EXPECT_EQ(host_.repaints(), 5);
  EXPECT_EQ(loop_.TimerPeriod(kTimerRepaint), milliseconds(50));
}

// Hidden, or with no device, the repaint and the deferred update look only once a second; shown
// (and, for the update, connected) they keep their 50 ms and 100 ms. Each stage follows the one
// before on one window: ten idle minutes wake it at most once a second per timer, and a device
// connected or a window shown is back at the fast pace within that second.
TEST_F(HubTest, IdleTimersLookOnlyOnceASecond) {
  struct Stage {
    const char* what;
    bool connected;
    bool shown;
    milliseconds repaint;
    milliseconds apply;
  };
  const Stage kStages[] = {
      {"no device, hidden", false, false, milliseconds(1000), milliseconds(1000)},
      {"device, hidden", true, false, milliseconds(1000), milliseconds(1000)},
      {"device, shown", true, true, milliseconds(50), milliseconds(100)},
      {"device gone, hidden again", false, false, milliseconds(1000), milliseconds(1000)},
  };
  Start();
  for (const Stage& stage : kStages) {
    SCOPED_TRACE(stage.what);
    hub_->channels().pad.set_connected(stage.connected);
    if (stage.shown) {
      host_.Show();
    } else {
      host_.Hide();
    }
    loop_.RunFor(milliseconds(1000));  // time enough to notice
    Log();
    const int repaints_before = host_.repaints();
    loop_.RunFor(std::chrono::minutes(10));
    EXPECT_EQ(loop_.TimerPeriod(kTimerRepaint), stage.repaint);
    EXPECT_EQ(loop_.TimerPeriod(kTimerApplyPending), stage.apply);
    const std::vector<std::string> log = Log();
    EXPECT_LE(std::count(log.begin(), log.end(), "kb apply"), 600'000 / stage.apply.count());
    EXPECT_LE(host_.repaints() - repaints_before, 600'000 / stage.repaint.count());
  }
}

TEST_F(HubTest, AFrameTimerRearmsEvery10MsOnlyWhileItsDeviceIsConnected) {
  Start();
  hub_->channels().keyboard.set_connected(true);
  loop_.SetTimer(kTimerKeyboardFrame, milliseconds(100));
  loop_.RunFor(milliseconds(130));
  std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "kb frame"), 4);
  hub_->channels().keyboard.set_connected(false);
  loop_.RunFor(milliseconds(50));
  log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "kb frame"), 1);
  EXPECT_FALSE(loop_.TimerPeriod(kTimerKeyboardFrame));
}

// A preview is seen only with its device's picture on the screen: on another page it would wake
// the window 20 times a second for nothing. A tab that brings a picture on the screen wakes the
// sleeping frame timers, so that its preview follows at once.
TEST_F(HubTest, AFrameStepIsToldItsPreviewIsSeenOnlyWhileTheWindowShowsTheDevicesPicture) {
  const struct {
    std::vector<std::string_view> tabs;  // clicked in this order
    bool window_shown;
    bool keyboard_seen;
    bool pad_seen;
  } cases[] = {
      {{"kb_tab", "kb_deng_Op_tab"}, true, true, false},
      {{"kb_tab", "kb_key_Op_tab"}, true, true, false},
      {{"kb_tab", "kb_macro_Op_tab"}, true, false, false},
      {{"kb_tab", "kb_cursor_Op_tab"}, true, false, false},
      {{"mp_tab"}, true, false, true},
      {{"ms_tab"}, true, false, false},
      {{"split_tab"}, true, false, false},
      {{"kb_tab", "kb_deng_Op_tab"}, false, false, false},
      {{"mp_tab"}, false, false, false},
  };
  Start();
  hub_->channels().keyboard.set_connected(true);
  hub_->channels().pad.set_connected(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.tabs) + (c.window_shown ? " shown" : " hidden"));
    host_.Show();
    Find("ani_tab").Click();  // no picture
    keyboard_.set_next_step(milliseconds(1000));
    pad_.set_next_step(milliseconds(1000));
    loop_.SetTimer(kTimerKeyboardFrame, milliseconds(10));
    loop_.SetTimer(kTimerPadFrame, milliseconds(10));
    loop_.RunFor(milliseconds(10));
    if (!c.window_shown) host_.Hide();
    for (const std::string_view tab : c.tabs) Find(tab).Click();
    EXPECT_EQ(loop_.TimerPeriod(kTimerKeyboardFrame), milliseconds(10));
    EXPECT_EQ(loop_.TimerPeriod(kTimerPadFrame), milliseconds(10));
    (void)Log();
    loop_.RunFor(milliseconds(10));
    EXPECT_THAT(Log(), ::testing::IsSupersetOf({"kb frame", "mp frame"}));
    EXPECT_EQ(keyboard_.seen(), c.keyboard_seen);
    EXPECT_EQ(pad_.seen(), c.pad_seen);
  }
}

// The step says when it next has something to do; the timer sleeps that long, but never less than
// the frame period.
TEST_F(HubTest, AFrameTimerSleepsAsLongAsItsStepAsksButNeverUnderTheFramePeriod) {
  const struct {
    milliseconds asked;
    milliseconds armed;
  } cases[] = {{milliseconds(0), milliseconds(10)},
               {milliseconds(4), milliseconds(10)},
               {milliseconds(10), milliseconds(10)},
               {milliseconds(17), milliseconds(17)},
               {milliseconds(100), milliseconds(100)}};
  Start();
  hub_->channels().keyboard.set_connected(true);
  hub_->channels().pad.set_connected(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.asked.count());
    keyboard_.set_next_step(c.asked);
    pad_.set_next_step(c.asked);
    loop_.SetTimer(kTimerKeyboardFrame, milliseconds(1));
    loop_.SetTimer(kTimerPadFrame, milliseconds(1));
    loop_.RunFor(milliseconds(1));
    EXPECT_EQ(loop_.TimerPeriod(kTimerKeyboardFrame), c.armed);
    EXPECT_EQ(loop_.TimerPeriod(kTimerPadFrame), c.armed);
    (void)Log();
  }
  // Asked for 100 ms, the timer steps ten times a second instead of a hundred.
  loop_.RunFor(milliseconds(1000));
  const std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "kb frame"), 10);
  EXPECT_EQ(std::count(log.begin(), log.end(), "mp frame"), 10);
}

// While the window is hidden the frame timers sleep up to 100 ms; the window coming on the screen
// (a tray click, another copy's activation) has them step at once, so the preview follows.
TEST_F(HubTest, TheWindowComingOnTheScreenWakesTheSleepingFrameTimersOfConnectedDevices) {
  const struct {
    int message;
    std::intptr_t lparam;
  } ways[] = {{kMessageTrayIcon, kTrayLeftButtonUp}, {kMessageActivate, 0}};
  Start();
  hub_->channels().keyboard.set_connected(true);
  keyboard_.set_next_step(milliseconds(100));
  pad_.set_next_step(milliseconds(100));
  for (const auto& way : ways) {
    SCOPED_TRACE(way.message);
    host_.Hide();
    loop_.SetTimer(kTimerKeyboardFrame, milliseconds(100));
    loop_.RunFor(milliseconds(130));
    (void)Log();
    loop_.Post(way.message, 0, way.lparam);
    loop_.RunPending();
    ASSERT_TRUE(host_.shown());
    loop_.RunFor(milliseconds(10));
    EXPECT_THAT(Log(), ::testing::Contains("kb frame"));
    EXPECT_FALSE(loop_.TimerPeriod(kTimerPadFrame));  // the pad is not there
  }
}

TEST_F(HubTest, TheKeyboardAttachSelectsItsTabShowsTheWindowReadsAndAppliesTheProfile) {
  Start();
  bus_.Plug(kPerKeyKeyboardProductId);
  PresenceMonitor monitor(DeviceKind::kKeyboard, hub_->channels(), hub_->link(), clock_);
  ASSERT_TRUE(monitor.PollOnce());
  EXPECT_EQ(hub_->keyboard_model(), 0);
  EXPECT_EQ(loop_.TimerPeriod(kTimerKeyboardAttached), milliseconds(500));
  loop_.RunPending();  // the monitor's activation on its first poll brings the window up
  host_.Hide();
  Find("kb_tab").SetVisible(false);
  loop_.RunFor(milliseconds(500));
  EXPECT_TRUE(Find("kb_tab").IsVisible());
  EXPECT_TRUE(Find("kb_tab").IsSelected());
  EXPECT_EQ(Find("tab_switch").CurrentPage(), 0);
  EXPECT_TRUE(Find("kb_tab_panel").IsVisible());
  EXPECT_TRUE(host_.shown());
  const std::vector<std::string> log = Log();
  const auto read = std::find(log.begin(), log.end(), "kb read");
  ASSERT_NE(read, log.end());
  ASSERT_NE(std::next(read), log.end());
  EXPECT_EQ(*std::next(read), "kb profile");
  EXPECT_FALSE(loop_.TimerPeriod(kTimerKeyboardAttached));
  EXPECT_EQ(loop_.TimerPeriod(kTimerKeyboardFrame), milliseconds(100));
}

TEST_F(HubTest, TheMouseAttachReadsBeforeItSelectsTheProfileAndThenMakesThePagesReady) {
  Start();
  EXPECT_FALSE(hub_->mouse_page_ready());
  bus_.Plug(kMouseProductId);
  PresenceMonitor monitor(DeviceKind::kMouse, hub_->channels(), hub_->link(), clock_);
  ASSERT_TRUE(monitor.PollOnce());
  EXPECT_EQ(loop_.TimerPeriod(kTimerMouseAttached), milliseconds(1000));
  loop_.RunFor(milliseconds(1000));
  std::vector<std::string> log = Log();
  log.erase(std::remove_if(log.begin(), log.end(),
                           [](const std::string& line) { return line.ends_with("apply"); }),
            log.end());
  EXPECT_THAT(log, ElementsAre("ms read", "ms profile"));
  EXPECT_TRUE(Find("ms_tab").IsSelected());
  EXPECT_EQ(Find("tab_switch").CurrentPage(), 1);
  EXPECT_TRUE(Find("ms_tab_panel").IsVisible());
  EXPECT_TRUE(hub_->mouse_page_ready());
  EXPECT_FALSE(loop_.TimerPeriod(kTimerMouseAttached));
  EXPECT_EQ(loop_.TimerPeriod(kTimerMouseSettled), milliseconds(500));
}

TEST_F(HubTest, ThePadAttachSelectsItsTabAndStartsItsFrames) {
  Start();
  bus_.Plug(kPadProductId);
  PresenceMonitor monitor(DeviceKind::kPad, hub_->channels(), hub_->link(), clock_);
  ASSERT_TRUE(monitor.PollOnce());
  EXPECT_EQ(loop_.TimerPeriod(kTimerPadAttached), milliseconds(500));
  loop_.RunFor(milliseconds(500));
  std::vector<std::string> log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "mp read"), log.end());
  EXPECT_TRUE(Find("mp_tab").IsSelected());
  EXPECT_EQ(Find("tab_switch").CurrentPage(), 2);
  EXPECT_EQ(loop_.TimerPeriod(kTimerPadFrame), milliseconds(100));
}

// A device pulled out between its discovery and its attach timer keeps its tab hidden, whether
// its monitor saw it go (the keyboard's and the pad's look every 100 ms) or not yet (the mouse's
// looks every 1500 ms, after the timer's 1000 ms).
TEST_F(HubTest, AnAttachTimerLeavesAloneADeviceThatIsGoneAgain) {
  Start();
  const struct {
    DeviceKind kind;
    std::uint16_t product_id;
    int timer;
    std::string_view tab;
  } devices[] = {
      {DeviceKind::kKeyboard, kPerKeyKeyboardProductId, kTimerKeyboardAttached, "kb_tab"},
      {DeviceKind::kMouse, kMouseProductId, kTimerMouseAttached, "ms_tab"},
      {DeviceKind::kPad, kPadProductId, kTimerPadAttached, "mp_tab"},
  };
  for (const auto& [kind, product_id, timer, tab] : devices) {
    for (const bool monitor_saw_it_go : {true, false}) {
      SCOPED_TRACE(std::string(tab) + (monitor_saw_it_go ? ", seen gone" : ", not seen gone"));
      PresenceMonitor monitor(kind, hub_->channels(), hub_->link(), clock_);
      const std::shared_ptr<sim::SimulatedDevice> device = bus_.Plug(product_id);
      ASSERT_TRUE(monitor.PollOnce());
      ASSERT_TRUE(loop_.TimerPeriod(timer));
      bus_.Unplug(device);
      if (monitor_saw_it_go) {
        ASSERT_TRUE(monitor.PollOnce());
      }
      Find(tab).SetVisible(false);
      (void)Log();
      loop_.RunFor(milliseconds(1000));

      EXPECT_FALSE(Find(tab).IsVisible());
      const std::vector<std::string> log = Log();
      EXPECT_EQ(std::count_if(log.begin(), log.end(),
                              [](const std::string& line) { return !line.ends_with("apply"); }),
                0)
          << "the device was neither read nor set up";
      EXPECT_FALSE(loop_.TimerPeriod(timer));
      EXPECT_FALSE(loop_.TimerPeriod(kTimerKeyboardFrame));
      EXPECT_FALSE(loop_.TimerPeriod(kTimerPadFrame));
      EXPECT_FALSE(hub_->mouse_page_ready());
      if (!monitor_saw_it_go) {
        ASSERT_TRUE(monitor.PollOnce());
      }
      ASSERT_FALSE(hub_->channels().Of(kind).connected());
    }
  }
}

// Shown from empty, the ring moves on one step (a twentieth of its range, at least 1) every
// 50 ms, wraps from full to empty, and stops where it is once hidden a second after the download.
TEST_F(HubTest, TheProgressTurnsWhileShownAndStopsOnceHiddenASecondAfterTheDownload) {
  struct Case {
    int minimum, maximum;
    std::vector<std::pair<int, int>> values;  // after so many ticks since the show
  };
  const Case cases[] = {
      {0, 100, {{0, 0}, {1, 5}, {19, 95}, {20, 100}, {21, 0}, {23, 10}}},
      {20, 60, {{0, 20}, {1, 22}, {20, 60}, {21, 20}}},
      {0, 10, {{0, 0}, {10, 10}, {11, 0}, {12, 1}}},
  };
  Start();
  Control& progress = Find("setting_progress");
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.minimum << "-" << c.maximum);
    progress.SetRange(c.minimum, c.maximum);
    progress.SetValue(c.maximum / 2);  // left over from before
    loop_.Post(kMessageShowProgress, 0, 0);
    loop_.RunPending();
    EXPECT_TRUE(progress.IsVisible());
    EXPECT_EQ(loop_.TimerPeriod(kTimerTurnProgress), milliseconds(50));
    int ticks = 0;
    for (const auto& [at, value] : c.values) {
      loop_.RunFor(milliseconds(50) * (at - ticks));
      ticks = at;
      EXPECT_EQ(progress.Value(), value) << "after " << at << " ticks";
    }

    loop_.Post(kMessageHideProgressLater, 0, 0);
    loop_.RunFor(milliseconds(999));
    EXPECT_TRUE(progress.IsVisible());
    loop_.RunFor(milliseconds(1));
    EXPECT_FALSE(progress.IsVisible());
    EXPECT_FALSE(loop_.TimerPeriod(kTimerHideProgress));
    EXPECT_FALSE(loop_.TimerPeriod(kTimerTurnProgress));
    const int stopped_at = progress.Value();
    loop_.RunFor(milliseconds(500));
    EXPECT_EQ(progress.Value(), stopped_at);
  }
}

// A download started within the second after another ends keeps the indicator up until a second
// after its own end.
TEST_F(HubTest, AShowCancelsTheHideAnEarlierDownloadLeftPending) {
  Start();
  Control& progress = Find("setting_progress");
  loop_.Post(kMessageShowProgress, 0, 0);
  loop_.Post(kMessageHideProgressLater, 0, 0);
  loop_.RunFor(milliseconds(500));
  loop_.Post(kMessageShowProgress, 0, 0);
  loop_.RunPending();
  EXPECT_EQ(progress.Value(), 0) << "the ring starts again";
  loop_.RunFor(milliseconds(2000));
  EXPECT_TRUE(progress.IsVisible());
  EXPECT_TRUE(loop_.TimerPeriod(kTimerTurnProgress));
  loop_.Post(kMessageHideProgressLater, 0, 0);
  loop_.RunFor(milliseconds(1000));
  EXPECT_FALSE(progress.IsVisible());
  EXPECT_FALSE(loop_.TimerPeriod(kTimerTurnProgress));
}

TEST_F(HubTest, TheListenersMessagesReachTheirDeviceParts) {
  Start();
  for (const int message : {kMessageMouseFullChange, kMessagePadReset, kMessageKeyboardFullChange,
                            kMessageKeyboardLightingChanged}) {
    loop_.Post(message, 0, 0);
  }
  loop_.RunPending();
  EXPECT_THAT(Log(), ElementsAre("ms read", "mp read", "kb read", "kb lighting"));
  hub_->link().SetTimer(kTimerMouseReread, milliseconds(100));
  loop_.RunFor(milliseconds(100));
  std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "ms slot"), 1);
  EXPECT_FALSE(loop_.TimerPeriod(kTimerMouseReread));
}

TEST_F(HubTest, AfterThePadsResetItIsReadOnceASecondLaterWithoutHoldingTheWindowMeanwhile) {
  Start();
  host_.Show();
  hub_->channels().pad.set_connected(true);
  loop_.RunFor(milliseconds(100));
  Log();
  hub_->RereadPadAfterReset();
  loop_.RunFor(milliseconds(999));
  std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "mp read"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "kb apply"), 9) << "the window went on working";
  loop_.RunFor(milliseconds(1));
  log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "mp read"), 1);
  loop_.RunFor(milliseconds(3000));
  log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "mp read"), 0);
  EXPECT_FALSE(loop_.TimerPeriod(kTimerPadReset));
}

}  // namespace
}  // namespace vandrel::testing
