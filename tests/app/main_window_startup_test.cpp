// Start-up of the main window: what "windowinit" does, in which order, with which settings.
#include <gmock/gmock.h>

#include "app/product.h"
#include "core/trace.h"
#include "device/product_ids.h"
#include "hub_fixture.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;

TEST_F(HubTest, InitWindowShowsTheTrayIconAndSetsThePalettes) {
  Create();
  hub_->InitWindow();
  EXPECT_TRUE(host_.tray_shown());
  EXPECT_EQ(host_.tray_tip(), kProductTitle);
  for (std::string_view palette :
       {"ms_deng_Color_Pallet", "mp_deng_Color_Pallet", "kb_deng_Color_Pallet"}) {
    EXPECT_EQ(Find(palette).SelectedColour(), 0xFF0199CBU) << palette;
  }
  // The window is built in Simplified Chinese until the stored language is loaded.
  EXPECT_EQ(window_->Texts().LanguageName(), "cn_zh");
}

TEST_F(HubTest, WindowInitHidesTheWindowStartsItsTimersAndGivesTheChannelsTheirIdentity) {
  Start();
  EXPECT_FALSE(host_.shown());
  EXPECT_EQ(loop_.TimerPeriod(kTimerApplyPending), milliseconds(100));
  EXPECT_EQ(loop_.TimerPeriod(kTimerRepaint), milliseconds(100));
  const DeviceChannels channels = hub_->channels();
  EXPECT_EQ(channels.keyboard.identity().product_id, kKeyboardProductId);
  EXPECT_EQ(channels.mouse.identity().product_id, kMouseProductId);
  EXPECT_EQ(channels.pad.identity().product_id, kPadProductId);
  EXPECT_EQ(channels.pad.identity().usage_page, kVendorUsagePage);
  // The only pause on the way is the 100 ms before the language is mirrored.
  EXPECT_THAT(clock_.Requests(), ElementsAre(ManualClock::Request{
                                     ManualClock::Request::Kind::kSleep, milliseconds(100)}));
}

TEST_F(HubTest, StartupStepsRunInTheOrderAdded) {
  Create();
  hub_->AddStartupStep([this] { log_.push_back("keyboard macros"); });
  hub_->AddStartupStep([this] { log_.push_back("mouse macros"); });
  hub_->InitWindow();
  window_->RaiseWindowInit();
  EXPECT_THAT(Log(), ElementsAre("keyboard macros", "mouse macros"));
}

TEST_F(HubTest, AStoredChineseLanguageIsMirroredIntoMainIniAndLoaded) {
  ASSERT_TRUE(main_ini_.WriteLanguage(0));
  ASSERT_TRUE(settings_.WriteValue(kLanguageValueName, "2020"));
  Start();
  EXPECT_EQ(main_ini_.ReadLanguage(), 1);
  EXPECT_EQ(window_->Texts().LanguageName(), "cn_zh");
}

TEST_F(HubTest, AnyOtherStoredLanguageMeansEnglish) {
  ASSERT_TRUE(main_ini_.WriteLanguage(1));
  ASSERT_TRUE(settings_.WriteValue(kLanguageValueName, "1010"));
  Start();
  EXPECT_EQ(main_ini_.ReadLanguage(), 0);
  EXPECT_EQ(window_->Texts().LanguageName(), "en");
}

class HubWithoutStoreTest : public HubTest {
 protected:
  HubWithoutStoreTest() : HubTest(true, false) {}
};

TEST_F(HubWithoutStoreTest, WithoutAStoreMainIniDecidesAndAnyOtherNumberIsTraditionalChinese) {
  ASSERT_TRUE(main_ini_.WriteLanguage(2));
  TraceCapture trace;
  Start();
  EXPECT_EQ(main_ini_.ReadLanguage(), 2);
  EXPECT_EQ(window_->Texts().LanguageName(), "cn_tw");
  EXPECT_FALSE(trace.Lines().empty());
}

TEST_F(HubWithoutStoreTest, ALanguageSwitchWithoutAStoreStillChangesMainIniAndTheTexts) {
  Start();
  hub_->SetLanguage(0);
  EXPECT_EQ(main_ini_.ReadLanguage(), 0);
  EXPECT_EQ(window_->Texts().LanguageName(), "en");
  EXPECT_FALSE(settings_.ReadValue(kLanguageValueName));
}

TEST_F(HubTest, ALanguageSwitchWritesMainIniAndTheStoreAndRetextsAtOnce) {
  Start();
  Control& title = Find("title_label");
  hub_->SetLanguage(1);
  const std::string chinese = title.Text();
  hub_->SetLanguage(0);
  EXPECT_EQ(main_ini_.ReadLanguage(), 0);
  EXPECT_EQ(settings_.ReadValue(kLanguageValueName), "1010");
  EXPECT_NE(title.Text(), chinese);
  hub_->SetLanguage(1);
  EXPECT_EQ(settings_.ReadValue(kLanguageValueName), "2020");
  EXPECT_EQ(title.Text(), chinese);
}

TEST_F(HubTest, TheWindowAnswersItsOwnTextsByLanguage) {
  Start();
  hub_->SetLanguage(0);
  EXPECT_EQ(window_->Texts().Lookup("titletext"), "Duilib Demo v1.1");
  hub_->SetLanguage(1);
  EXPECT_EQ(window_->Texts().Lookup("titletext"), "mouse");
  EXPECT_EQ(window_->Texts().Lookup("no_such_text"), "no_such_text");
}

TEST_F(HubTest, ARememberedPictureSkinIsRestoredAtStart) {
  ASSERT_TRUE(main_ini_.WriteSkinFlags(1));
  ASSERT_TRUE(main_ini_.WriteSkinImage("common/skin_2.png"));
  Start();
  EXPECT_EQ(window_->Root().BackgroundImage(), "common/skin_2.png");
  EXPECT_EQ(window_->Root().BackgroundColour(), 0U);
}

TEST_F(HubTest, APictureIsNotRestoredWhenTheFlagIsClear) {
  ASSERT_TRUE(main_ini_.WriteSkinFlags(0));
  ASSERT_TRUE(main_ini_.WriteSkinImage("common/skin_2.png"));
  Start();
  EXPECT_NE(window_->Root().BackgroundImage(), "common/skin_2.png");
}

TEST_F(HubTest, TheWindowAppliesEveryBroadcastSkin) {
  Start();
  observer_.Broadcast({true, 0xFF112233, ""});
  EXPECT_EQ(window_->Root().BackgroundColour(), 0xFF112233U);
  EXPECT_EQ(window_->Root().BackgroundImage(), "");
  observer_.Broadcast({false, 0, "/home/user/picture.png"});
  EXPECT_EQ(window_->Root().BackgroundColour(), 0U);
  EXPECT_EQ(window_->Root().BackgroundImage(), "/home/user/picture.png");
}

TEST_F(HubTest, DestroyingTheWindowLeavesTheObserver) {
  Start();
  EXPECT_EQ(observer_.ReceiverCount(), 1);
  hub_.reset();
  EXPECT_EQ(observer_.ReceiverCount(), 0);
}

}  // namespace
}  // namespace vandrel::testing
