// The main window's own reactions: window buttons, activation, the tray icon and its menu, menu
// commands, the no-device message, the links the worker threads use, and the stop.
#include <gmock/gmock.h>

#include <thread>

#include "core/trace.h"
#include "hub_fixture.h"
#include "support/deadline.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;

std::vector<std::string> ItemNames(const FakeWindowHost::Menu& menu) {
  std::vector<std::string> names;
  for (const MenuCommand& item : menu.items) names.push_back(item.name);
  return names;
}

// The close button and the desktop's close request (Alt+F4).
void CloseBothWays(Control& close_button, ManualUiLoop& loop, FakeWindowHost& host) {
  host.Show();
  close_button.Click();
  loop.RunPending();
  ASSERT_FALSE(host.shown());
  host.Show();
  loop.Post(kMessageCloseRequest, 0, 0);
  loop.RunPending();
}

TEST_F(HubTest, ClosingTheWindowEitherWayOnlyHidesItToTheTray) {
  Start();
  CloseBothWays(Find("closebtn"), loop_, host_);
  EXPECT_FALSE(host_.shown());
  EXPECT_TRUE(host_.tray_shown());
  EXPECT_FALSE(host_.quit());
  EXPECT_TRUE(dialogs_.shown().empty());
}

class HubWithoutTrayTest : public HubTest {
 protected:
  HubWithoutTrayTest() : HubTest(false) {}
};

TEST_F(HubWithoutTrayTest, WithoutATrayClosingEndsTheProgramAsExitDoes) {
  Start();
  Find("closebtn").Click();
  EXPECT_FALSE(host_.quit());  // through the stop, after the current handler
  loop_.RunPending();
  EXPECT_TRUE(host_.quit());
  EXPECT_FALSE(hub_->threads_abandoned());
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(HubWithoutTrayTest, ATrayThatAppearsLaterTakesTheWindowWhenClosed) {
  Start();
  EXPECT_FALSE(host_.tray_shown());
  host_.TrayAppears();
  CloseBothWays(Find("closebtn"), loop_, host_);
  EXPECT_FALSE(host_.shown());
  EXPECT_TRUE(host_.tray_shown());
  EXPECT_FALSE(host_.quit());
}

TEST_F(HubTest, WindowButtonsMinimiseAndRestore) {
  Start();
  Find("minbtn").Click();
  EXPECT_FALSE(host_.IsShownNormally());
  hub_->channels().pad.set_connected(true);
  loop_.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
  loop_.RunPending();
  EXPECT_TRUE(host_.IsShownNormally());
  EXPECT_EQ(window_->Find("maxbtn"), nullptr) << "the window has one size: nothing to maximise";
  EXPECT_EQ(window_->Find("restorebtn"), nullptr);
}

TEST_F(HubTest, TheSkinButtonOpensTheSkinWindowUnderIt) {
  Start();
  Find("skinbtn").Click();
  EXPECT_THAT(dialogs_.skin_windows(), ElementsAre("skinbtn"));
}

TEST_F(HubTest, AWatchersRequestIsHandedToTheLinkedProfileHandlerInOrder) {
  Create();
  std::vector<std::pair<std::intptr_t, std::intptr_t>> carried;
  hub_->SetLinkedProfileHandler(
      [&](std::intptr_t row, std::intptr_t number) { carried.emplace_back(row, number); });
  hub_->InitWindow();
  window_->RaiseWindowInit();
  const std::vector<std::pair<std::intptr_t, std::intptr_t>> requests = {{2, 1}, {4, -1}, {0, 3}};
  for (const auto& [row, number] : requests) loop_.Post(kMessageLinkedProfile, row, number);
  EXPECT_TRUE(carried.empty()) << "carried out only on the user-interface thread's turn";
  loop_.RunPending();
  EXPECT_EQ(carried, requests);
  EXPECT_EQ(Log(), std::vector<std::string>{});
}

TEST_F(HubTest, ActivationWithADeviceBringsTheWindowToTheFront) {
  Start();
  hub_->channels().mouse.set_connected(true);
  loop_.Post(kMessageActivate, 0, 0);
  loop_.RunPending();
  EXPECT_EQ(host_.calls().back(), "front");
  EXPECT_TRUE(host_.shown());
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(HubTest, ActivationWithoutADeviceHidesTheWindowAndSaysSo) {
  Start();
  host_.Show();
  loop_.Post(kMessageActivate, 0, 0);
  loop_.RunPending();
  EXPECT_FALSE(host_.shown());
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_1"));
}

TEST_F(HubTest, TheTrayIconTogglesTheWindowWhileADeviceIsConnected) {
  Start();
  hub_->channels().pad.set_connected(true);
  loop_.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
  loop_.RunPending();
  EXPECT_TRUE(host_.shown());
  EXPECT_EQ(loop_.TimerPeriod(kTimerRepaintOnce), milliseconds(10));
  loop_.RunFor(milliseconds(10));
  EXPECT_FALSE(loop_.TimerPeriod(kTimerRepaintOnce));
  loop_.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
  loop_.RunPending();
  EXPECT_FALSE(host_.shown());
}

TEST_F(HubTest, AMinimisedWindowCountsAsHiddenForTheTray) {
  Start();
  hub_->channels().pad.set_connected(true);
  host_.Show();
  host_.Minimise();
  loop_.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
  loop_.RunPending();
  EXPECT_TRUE(host_.IsShownNormally());
}

TEST_F(HubTest, TheTrayIconWithoutADeviceSaysSoAndKeepsTheWindowHidden) {
  Start();
  loop_.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
  loop_.RunPending();
  EXPECT_FALSE(host_.shown());
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_1"));
}

// A dialogs seam whose message box, while open, lets the test do something that arrives then.
class ReentrantDialogs final : public Dialogs {
 public:
  std::function<void()> while_open;
  int boxes = 0;
  int ShowMessage(WindowModel*, std::string_view, bool) override {
    ++boxes;
    if (while_open) std::exchange(while_open, nullptr)();
    return 0;
  }
  void ShowNoDeviceMessage(WindowModel*) override {}
  PaletteChoice RunPalette(WindowModel*, std::uint32_t initial) override { return {2, initial}; }
  void OpenSkinWindow(WindowModel&, const Control&) override {}
  void OpenAbout(WindowModel*) override {}
  std::optional<std::filesystem::path> ChooseFileToOpen(WindowModel*,
                                                        const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> ChooseFileToSave(WindowModel*,
                                                        const FileDialogRequest&) override {
    return std::nullopt;
  }
  ProgramChoice ChooseProgramToLink(WindowModel*, const std::vector<std::string>&) override {
    return {};
  }
};

TEST(HubReentryTest, AnActivationWhileTheNoDeviceBoxIsOpenOpensNoSecondBox) {
  TempDir temp;
  FakeUserFolders user_folders(temp.path());
  DataFolders folders(user_folders);
  ManualClock clock(ManualClock::Mode::kAutoAdvance);
  sim::VirtualBus bus(clock);
  ManualUiLoop loop(clock);
  FakeWindowHost host;
  ReentrantDialogs dialogs;
  MemorySettingsStore settings;
  SkinObserver observer;
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  ASSERT_TRUE(skin.LoadIndex());
  const std::unique_ptr<WindowModel> window =
      BuildWindow(skin, "XML_MAIN", std::make_shared<TextResources>());
  CMainWnd hub({*window, skin, loop, host, dialogs, clock, bus, folders, settings, observer});
  hub.InitWindow();
  dialogs.while_open = [&] {
    loop.Post(kMessageActivate, 0, 0);
    loop.Post(kMessageTrayIcon, 0, kTrayLeftButtonUp);
    loop.RunPending();
  };
  loop.Post(kMessageActivate, 0, 0);
  loop.RunPending();
  EXPECT_EQ(dialogs.boxes, 1);
  loop.Post(kMessageActivate, 0, 0);
  loop.RunPending();
  EXPECT_EQ(dialogs.boxes, 2);
}

TEST_F(HubTest, TheTrayMenuEndsWithAnExitItemNamedInTheLanguageOfMainIni) {
  Start();
  const std::pair<int, std::string_view> cases[] = {{0, "Close"}, {1, "关闭"}, {2, ""}};
  for (const auto& [language, text] : cases) {
    ASSERT_TRUE(main_ini_.WriteLanguage(language));
    loop_.Post(kMessageTrayIcon, 0, kTrayRightButtonUp);
    loop_.RunPending();
    const FakeWindowHost::Menu& menu = host_.menus().back();
    EXPECT_THAT(ItemNames(menu), ElementsAre("lan_en", "lan_cn", "About_setting", "exit"));
    EXPECT_EQ(menu.items.back().text, text) << language;
    EXPECT_EQ(menu.lift, 25);
  }
}

TEST_F(HubTest, ExitFromTheTrayMenuRemovesTheIconStopsAndEndsTheLoop) {
  Start();
  loop_.Post(kMessageTrayIcon, 0, kTrayRightButtonUp);
  loop_.RunPending();
  ASSERT_TRUE(host_.Pick("exit"));
  EXPECT_FALSE(host_.quit());  // the pick arrives as a message, after the current handler
  loop_.RunPending();
  EXPECT_TRUE(host_.quit());
  EXPECT_FALSE(host_.tray_shown());
  EXPECT_FALSE(host_.shown());
  EXPECT_FALSE(hub_->threads_abandoned());
}

TEST_F(HubTest, MenuCommandsSwitchTheLanguageOpenAboutAndShowOtherItemsTexts) {
  Start();
  hub_->RunMenuCommand({"LAN_EN", "", ""});
  EXPECT_EQ(window_->Texts().LanguageName(), "en");
  EXPECT_EQ(settings_.ReadValue(kLanguageValueName), "1010");
  hub_->RunMenuCommand({"lan_cn", "", ""});
  EXPECT_EQ(main_ini_.ReadLanguage(), 1);
  hub_->RunMenuCommand({"about_setting", "", ""});
  EXPECT_EQ(dialogs_.about_windows(), 1);
  for (std::string_view nothing : {"qianting", "Menu_Import", "Menu_Export"}) {
    hub_->RunMenuCommand({std::string(nothing), "", "x"});
  }
  hub_->RunMenuCommand({"Exit", "", "message_text_7"});
  hub_->RunMenuCommand({"menu_help", "", "message_text_9"});
  EXPECT_THAT(dialogs_.Texts(), ElementsAre("message_text_7", "message_text_9"));
  EXPECT_FALSE(host_.quit());
}

TEST_F(HubTest, TheMenuButtonPopsUpTheMainMenuAtTheCursorEndingWithQuit) {
  Start();
  Find("menubtn").Click();
  ASSERT_EQ(host_.menus().size(), 1U);
  const FakeWindowHost::Menu& menu = host_.menus().back();
  EXPECT_EQ(menu.lift, 0);
  EXPECT_THAT(ItemNames(menu), ElementsAre("lan_en", "lan_cn", "About_setting", "exit"));
  EXPECT_EQ(menu.items.back().text, "Quit");
  ASSERT_TRUE(host_.Pick("exit"));
  loop_.RunPending();
  EXPECT_TRUE(host_.quit());
}

TEST_F(HubTest, CtrlQEndsTheProgramWithTheMenuClosed) {
  Start();
  EXPECT_FALSE(host_.Press("Ctrl+W"));
  ASSERT_TRUE(host_.Press("Ctrl+Q"));
  loop_.RunPending();
  EXPECT_TRUE(host_.quit());
  EXPECT_FALSE(host_.tray_shown());
  EXPECT_FALSE(hub_->threads_abandoned());
}

TEST_F(HubTest, TheLastDeviceGoingAwayFocusesTheLightingTabSaysSoAndHides) {
  Start();
  host_.Show();
  hub_->link().PostMessage(kMessageNoDeviceLeft);
  loop_.RunPending();
  EXPECT_TRUE(Find("ms_deng_Op_tab").HasFocus());
  EXPECT_EQ(dialogs_.no_device_messages(), 1);
  EXPECT_FALSE(host_.shown());
}

TEST_F(HubTest, AWorkerThreadsTabChangeReachesTheWindowOnItsOwnThread) {
  Start();
  std::thread worker([this] {
    hub_->link().SetVisible("mp_tab", true);
    hub_->link().SelectTab("mp_tab");
  });
  worker.join();
  window_->DeliverPendingNotifications();
  EXPECT_EQ(Find("tab_switch").CurrentPage(), 2);
}

TEST_F(HubTest, ASendFromAWorkerWaitsForTheWindowAndGivesUpOnceItStops) {
  Start();
  bool handled = true;
  std::thread listener([&] { handled = loop_.Send(kMessageKeyboardFullChange, 0, 0); });
  ASSERT_TRUE(loop_.AwaitMessage(std::chrono::seconds(30)));
  loop_.RunPending();
  JoinWithin(listener, "the handled send returning");
  EXPECT_TRUE(handled);
  EXPECT_THAT(Log(), ElementsAre("kb read"));

  loop_.Post(kMessageDestroy, 0, 0);
  loop_.RunPending();
  std::thread late([&] { handled = loop_.Send(kMessageKeyboardFullChange, 0, 0); });
  JoinWithin(late, "a send after the window stopped returning at once");
  EXPECT_FALSE(handled);
}

TEST_F(HubTest, AThreadThatNeverEndsIsAbandonedAtTheStopAndTheLoopEndsAnyway) {
  Create();
  // The abandoned thread may still be running after the test: it owns what it waits on.
  auto release = std::make_shared<Event>();
  hub_->threads().SetBody(WorkerSlot::kSyncLighting, [release](Event&) { release->Wait(); });
  hub_->InitWindow();
  window_->RaiseWindowInit();
  TraceCapture trace;
  loop_.Post(kMessageDestroy, 0, 0);
  loop_.RunPending();
  EXPECT_TRUE(hub_->threads_abandoned());
  EXPECT_TRUE(host_.quit());
  EXPECT_TRUE(trace.Contains("worker threads stopped: timed out, the rest abandoned"));
  release->Set();
}

TEST_F(HubTest, LosingTheActivationStopsARecording) {
  struct Recorder final : MacroPart {
    int stops = 0;
    std::vector<int> hooks;
    void StopRecording() override { ++stops; }
    void HandleHookMessage(int message, std::intptr_t, std::intptr_t) override {
      hooks.push_back(message);
    }
  } recorder;
  Create();
  hub_->SetMacroPart(recorder);
  hub_->InitWindow();
  loop_.Post(kMessageActivateChanged, 1, 0);
  loop_.Post(kMessageActivateChanged, 0, 0);
  for (const int message : {0x0801, 0x0804, 0x0805, 0x0810, 0x0813, 0x0814}) {
    loop_.Post(message, 0, 0);
  }
  loop_.RunPending();
  EXPECT_EQ(recorder.stops, 1);
  EXPECT_THAT(recorder.hooks, ElementsAre(0x0801, 0x0804, 0x0810, 0x0813));
  hub_.reset();
}

}  // namespace
}  // namespace vandrel::testing
