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
using Library = std::vector<std::pair<std::string, Lines>>;
using sim::HeldMacro;

constexpr int kWritePage = 9, kMacroData = 21;
constexpr std::string_view kDownload = kButtonsDownload;

Lines Steps(int count) { return Lines(static_cast<std::size_t>(count), "1,0,129,1,1,x"); }

class ButtonDownloadTest : public MouseDownloadTest {
 protected:
  void SetUp() override { Attach(); }

  void Store(const Library& macros) {
    Lines names;
    for (const auto& [name, lines] : macros) names.push_back(name);
    ASSERT_TRUE(store_.RewriteCatalogue(names));
    for (const auto& [name, lines] : macros) ASSERT_TRUE(store_.WriteMacro(name, name, lines));
  }
  MouseState& State() { return mouse_->state(); }
};

// Meanwhile a second click does nothing, and edits go on without reaching this download.
TEST_F(ButtonDownloadTest, TheMouseGetsWhatTheClickTookWhileThePageStaysUsable) {
  Store({{"a", {"44,1,138,4,1,keyboard_key_A", "5,0,10,4,0,keyboard_key_A", "0,0,132,7,1,m"}},
         {"b", {"255,255,9,2,1,keyboard_key_LSHIFT"}}});
  const int slot = State().live.slot;
  MouseKeyTable& page = State().keys[static_cast<std::size_t>(slot)];
  page.SetAssignment(3, {assignment_type::kMacro, 1, 2});
  const std::vector<std::uint8_t> taken(page.bytes.begin(), page.bytes.begin() + 126);

  const std::optional<Lines> told = RunDownload(kDownload, [&] {
    Find(kDownload).Click();
    page.SetAssignment(3, {assignment_type::kDpi, 1, 0});
    Store({{"c", Steps(2)}});
  });
  ASSERT_TRUE(told) << "the download's end";
  EXPECT_EQ(*told, Lines{});

  std::vector<TracedRequest> expected = Bracketed(kMacroData, 44);
  const std::vector<TracedRequest> key_page = Bracketed(kWritePage, 126, slot * 126);
  expected.insert(expected.end(), key_page.begin(), key_page.end());
  EXPECT_EQ(Requests(), expected);
  EXPECT_EQ(sim::HeldMacros(device_->Memory().macro),
            (std::vector<HeldMacro>{{{300, 0x8A, 4}, {5, 10, 4}, {0, 0x84, 7}}, {{65535, 9, 2}}}));
  const std::vector<std::uint8_t>& pages = device_->Memory().key_pages;
  EXPECT_EQ(std::vector(pages.begin() + slot * 126, pages.begin() + slot * 126 + 126), taken);
  // The device profile is rewritten on this thread, once the key page went out.
  EXPECT_THAT(profiles_.saves, ::testing::ElementsAre(std::pair(DeviceKind::kMouse, 4u)));
}

TEST_F(ButtonDownloadTest, ADownloadThatCannotBeDoneWholeIsToldWhenItEnds) {
  struct Case {
    std::string what;
    Library library;
    bool page_known;
    sim::Faults faults;
    std::string told;  // empty: that the macros are too long
    bool macros_sent;
    bool key_page_sent;  // and so the device profile rewritten
  };
  // The mouse has 16 × 128 bytes: 510 steps in one macro make 2062 bytes, 14 too many.
  const sim::Faults second_refused{.refusal_status = 0xFE, .refuse_request = 2};
  const Case cases[] = {
      {"too long", Library{{"a", Steps(510)}}, true, {}, "", false, false},
      {"a key page never read",
       Library{{"a", Steps(3)}},
       false,
       {},
       "ms_key_download_failed",
       true,
       false},
      {"the macro data refused", Library{{"a", Steps(3)}}, true, second_refused,
       "ms_key_download_failed", true, false},
      {"the key page refused", Library{}, true, second_refused, "ms_key_download_failed", false,
       true},
      {"the mouse unplugged in the middle of the image", Library{{"a", Steps(40)}}, true,
       sim::Faults{.vanish_on_request = 3}, "ms_key_download_failed", true, false},
  };
  const std::string too_long = FormatMessageText(*window_, "message_text_16", 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store(c.library);
    State().keys_known[static_cast<std::size_t>(State().live.slot)] = c.page_known;
    device_->SetFaults(c.faults);

    const std::optional<Lines> told = RunDownload(kDownload);
    ASSERT_TRUE(told) << "the download's end";

    EXPECT_EQ(*told, Lines{c.told.empty() ? too_long : c.told});
    EXPECT_EQ(!WithCommand(Requests(), kMacroData).empty(), c.macros_sent);
    EXPECT_EQ(!WithCommand(Requests(), kWritePage).empty(), c.key_page_sent);
    EXPECT_EQ(std::exchange(profiles_.saves, {}).size(), c.key_page_sent ? 1u : 0u);
  }
}

TEST_F(ButtonDownloadTest, LeavingWithADownloadRunningLetsItFinishAndReportsNothing) {
  Store({{"a", Steps(100)}});
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
