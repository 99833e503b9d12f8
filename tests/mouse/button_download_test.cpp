// The Buttons tab's download as the program runs it: a device job behind the busy indicator, on
// the simulated mouse, with the window usable meanwhile and the outcome told once it ends.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "download_fixture.h"
#include "sim/macro_memory.h"

namespace vandrel::testing {
namespace {

using Lines = std::vector<std::string>;
using sim::HeldMacro;

constexpr int kWritePage = 9, kMacroData = 21;
constexpr std::string_view kDownload = "ms_key_butt_prosave";

Lines Steps(int count) { return Lines(static_cast<std::size_t>(count), "1,0,129,1,1,x"); }

class ButtonDownloadTest : public MouseDownloadTest {
 protected:
  void SetUp() override { Attach(); }

  void Library(const std::vector<std::pair<std::string, Lines>>& macros) {
    Lines names;
    for (const auto& [name, lines] : macros) names.push_back(name);
    ASSERT_TRUE(store_.RewriteCatalogue(names));
    for (const auto& [name, lines] : macros) ASSERT_TRUE(store_.WriteMacro(name, name, lines));
  }
  MouseState& State() { return mouse_->state(); }
  std::vector<std::uint8_t> HeldKeyPage(int slot) {
    const std::vector<std::uint8_t> pages = device_->Memory().key_pages;
    const auto start = pages.begin() + slot * 126;
    return {start, start + 126};
  }
};

TEST_F(ButtonDownloadTest, TheMouseGetsWhatTheClickTookWhileThePageStaysUsable) {
  Library({{"a", {"44,1,138,4,1,keyboard_key_A", "5,0,10,4,0,keyboard_key_A", "0,0,132,7,1,m"}},
           {"b", {"255,255,9,2,1,keyboard_key_LSHIFT"}}});
  const int slot = State().live.slot;
  MouseKeyTable& page = State().keys[static_cast<std::size_t>(slot)];
  page.SetAssignment(3, {assignment_type::kMacro, 1, 2});
  const std::vector<std::uint8_t> taken(page.bytes.begin(), page.bytes.begin() + 126);

  Find(kDownload).Click();
  EXPECT_FALSE(Find(kDownload).IsEnabled());
  EXPECT_TRUE(Find("setting_progress").IsVisible());
  EXPECT_FALSE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  // Meanwhile: a second click does nothing, and edits go on without reaching this download.
  Find(kDownload).Click();
  page.SetAssignment(3, {assignment_type::kDpi, 1, 0});
  Library({{"c", Steps(2)}});
  ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";

  EXPECT_TRUE(Find(kDownload).IsEnabled());
  EXPECT_TRUE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  EXPECT_TRUE(dialogs_.Texts().empty());
  std::vector<TracedRequest> expected = Bracketed(kMacroData, 44);
  const std::vector<TracedRequest> key_page = Bracketed(kWritePage, 126, slot * 126);
  expected.insert(expected.end(), key_page.begin(), key_page.end());
  EXPECT_EQ(Requests(), expected);
  EXPECT_EQ(sim::HeldMacros(device_->Memory().macro),
            (std::vector<HeldMacro>{{{300, 0x8A, 4}, {5, 10, 4}, {0, 0x84, 7}}, {{65535, 9, 2}}}));
  EXPECT_EQ(HeldKeyPage(slot), taken);
  // The device profile is rewritten on this thread, once the key page went out.
  EXPECT_THAT(profiles_.saves, ::testing::ElementsAre(std::pair(DeviceKind::kMouse, 4u)));
}

TEST_F(ButtonDownloadTest, ADownloadThatCannotBeDoneWholeIsToldWhenItEnds) {
  struct Case {
    std::string what;
    std::vector<std::pair<std::string, Lines>> library;
    bool page_known;
    sim::Faults faults;
    std::string told;
    bool macros_sent;
    bool key_page_sent;  // and so the device profile rewritten
  };
  // The mouse has 16 × 128 bytes: 510 steps in one macro make 2062 bytes, 14 too many.
  const Case cases[] = {
      {"too long", {{"a", Steps(510)}}, true, {}, "", false, false},
      {"a key page never read",
       {{"a", Steps(3)}},
       false,
       {},
       "ms_key_download_failed",
       true,
       false},
      {"the macro data refused",
       {{"a", Steps(3)}},
       true,
       {.refusal_status = 0xFE, .refuse_request = 2},
       "ms_key_download_failed",
       true,
       false},
      {"the key page refused",
       {},
       true,
       {.refusal_status = 0xFE, .refuse_request = 2},
       "ms_key_download_failed",
       false,
       true},
      {"the mouse unplugged in the middle of the image",
       {{"a", Steps(40)}},
       true,
       {.vanish_on_request = 3},
       "ms_key_download_failed",
       true,
       false},
  };
  const std::string too_long = FormatMessageText(*window_, "message_text_16", 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Library(c.library);
    State().keys_known[static_cast<std::size_t>(State().live.slot)] = c.page_known;
    device_->SetFaults(c.faults);
    ASSERT_TRUE(bus_.SetTraceFile(temp_.path() / "trace.txt"));
    const std::size_t told_before = dialogs_.Texts().size();

    Find(kDownload).Click();
    EXPECT_EQ(dialogs_.Texts().size(), told_before);
    ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";

    ASSERT_EQ(dialogs_.Texts().size(), told_before + 1);
    EXPECT_EQ(dialogs_.Texts().back(), c.told.empty() ? too_long : c.told);
    EXPECT_EQ(!WithCommand(Requests(), kMacroData).empty(), c.macros_sent);
    EXPECT_EQ(!WithCommand(Requests(), kWritePage).empty(), c.key_page_sent);
    EXPECT_EQ(profiles_.saves.size(), c.key_page_sent ? 1u : 0u);
    profiles_.saves.clear();
    EXPECT_TRUE(Find(kDownload).IsEnabled());
    EXPECT_TRUE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  }
}

TEST_F(ButtonDownloadTest, LeavingWithADownloadRunningLetsItFinishAndReportsNothing) {
  Library({{"a", Steps(100)}});
  Find(kDownload).Click();
  {
    const Watchdog watchdog("the program's end with a download running");
    mouse_.reset();
    hub_.reset();
  }
  // Not cut short: the mouse is never left inside an open configuration bracket.
  const std::vector<TracedRequest> requests = Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back().command, kEndConfig);
  EXPECT_EQ(WithCommand(requests, kWritePage).size(), 3u);
  EXPECT_TRUE(dialogs_.Texts().empty());
  EXPECT_TRUE(profiles_.saves.empty());
}

}  // namespace
}  // namespace vandrel::testing
