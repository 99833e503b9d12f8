// The Recoil tab's download as the program runs it: a device job behind the busy indicator, on
// the simulated mouse, sending the block the click built while the window stays usable, with the
// outcome told once it ends.
#include <optional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "download_fixture.h"
#include "sim/macro_memory.h"

namespace vandrel::testing {
namespace {

using sim::HeldStep;
using sim::HeldTable;

constexpr int kRecoilData = 23;
constexpr std::string_view kRecoilDownload = "ms_bulletdate_save_btn";
constexpr std::string_view kButtonsDownload = "ms_key_butt_prosave";

// Shot b of table t: three carried lines, a delay of 10t + b ms, b pixels right and t pixels up.
std::vector<std::string> ShotLines(int t, int b) {
  return {"1,0,9,9,0,carried",
          "1,0,9,9,0,carried",
          "1,0,9,9,0,carried",
          std::to_string(10 * t + b) + ",0,7,3,1,kept",
          "0,0,4," + std::to_string(b) + ",0,mouse_move_to_right_text",
          "0,0,133," + std::to_string(t) + ",1,mouse_move_to_up_text"};
}

// What the mouse holds of the same table: delay, code and value of each line.
HeldTable HeldShots(int t, int shots) {
  HeldTable table;
  for (int b = 0; b < shots; ++b) {
    const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
    table.insert(table.end(), {{1, 9, 9},
                               {1, 9, 9},
                               {1, 9, 9},
                               {static_cast<std::uint16_t>(10 * t + b), 7, 3},
                               {0, 4, u8(b)},
                               {0, 0x85, u8(t)}});
  }
  return table;
}

class RecoilDownloadJobTest : public MouseDownloadTest {
 protected:
  void SetUp() override {
    Tables({1, 2, 3, 4});
    Attach();
  }

  // A catalogue of one table per entry of `shots`, each with that many shots.
  void Tables(const std::vector<int>& shots) {
    std::string catalogue =
        "[CURSORCOUNT]\r\ncount=" + std::to_string(shots.size()) + "\r\n[CURSORNAME]\r\n";
    for (std::size_t t = 0; t < shots.size(); ++t) {
      const std::string name = "gun " + std::to_string(t);
      catalogue += std::to_string(t) + "=" + name + "\r\n";
      std::string file =
          "[MACROACTIONCOUNT]\r\ncount=" + std::to_string(6 * shots[t]) + "\r\n[MACROACTION]\r\n";
      int line = 0;
      for (int b = 0; b < shots[t]; ++b) {
        for (const std::string& text : ShotLines(static_cast<int>(t), b)) {
          file += std::to_string(line++) + "=" + text + "\r\n";
        }
      }
      WriteFile(store_.RecoilPath(name), file);
    }
    WriteFile(store_.CataloguePath(), catalogue);
  }
  std::vector<int> Commands() {
    std::vector<int> commands;
    for (const TracedRequest& request : Requests()) commands.push_back(request.command);
    return commands;
  }
  void ExpectDownloadButtons(bool enabled) {
    EXPECT_EQ(Find(kRecoilDownload).IsEnabled(), enabled);
    EXPECT_EQ(Find(kButtonsDownload).IsEnabled(), enabled);
  }
};

TEST_F(RecoilDownloadJobTest, TheMouseGetsTheBlockTheClickBuiltWhileThePageStaysUsable) {
  Find("ms_cursor_delay_eidt").Type("300");  // table 0, shot 0

  Find(kRecoilDownload).Click();
  ExpectDownloadButtons(false);
  EXPECT_TRUE(Find("setting_progress").IsVisible());
  EXPECT_FALSE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  // Meanwhile: a second click and the Buttons tab's download start nothing, and an edit is
  // stored without reaching this download.
  Find(kRecoilDownload).Click();
  Find(kButtonsDownload).Click();
  Find("ms_cursor_delay_eidt").Type("500");
  ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";

  ExpectDownloadButtons(true);
  EXPECT_TRUE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  EXPECT_TRUE(dialogs_.Texts().empty());
  // 16 + 6 × 4 + 4 × (6 + 12 + 18 + 24) bytes.
  EXPECT_EQ(Requests(), Bracketed(kRecoilData, 280));
  std::vector<HeldTable> expected = {HeldShots(0, 1), HeldShots(1, 2), HeldShots(2, 3),
                                     HeldShots(3, 4)};
  expected[0][3].delay = 300;
  EXPECT_EQ(sim::HeldRecoil(device_->Memory().recoil), expected);
  EXPECT_NE(ReadWholeFile(store_.RecoilPath("gun 0")).bytes.find("3=244,1,7,3,1,kept"),
            std::string::npos);
}

TEST_F(RecoilDownloadJobTest, EitherDownloadHoldsBothDownloadButtonsUntilItEnds) {
  for (const std::string_view button : {kButtonsDownload, kRecoilDownload, kButtonsDownload}) {
    SCOPED_TRACE(button);
    Find(button).Click();
    ExpectDownloadButtons(false);
    ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";
    ExpectDownloadButtons(true);
    EXPECT_TRUE(dialogs_.Texts().empty());
  }
}

TEST_F(RecoilDownloadJobTest, ADownloadThatCannotBeDoneIsToldWhenItEnds) {
  struct Case {
    std::string what;
    std::vector<int> shots;
    sim::Faults faults;
    std::string told;                          // empty: nothing
    std::optional<std::vector<int>> commands;  // nullopt: not checked
  };
  // Five tables of 30 shots need 16 + 6 × 5 + 4 × 900 = 3646 bytes.
  const Case cases[] = {
      {"too long", {30, 30, 30, 30, 30}, {}, "Need 3646 bytes.", std::vector<int>{}},
      {"no tables", {}, {}, "", std::vector<int>{}},
      {"the block refused",
       {1},
       {.refusal_status = 0xFE, .refuse_request = 2},
       "message_text_recoil_download_failed",
       std::vector<int>{kBeginConfig, kRecoilData, kEndConfig}},
      {"the bracket refused",
       {1},
       {.refusal_status = 0xFF, .refuse_request = 1},
       "message_text_recoil_download_failed",
       std::vector<int>{kBeginConfig, kEndConfig}},
      {"the mouse unplugged in the middle of the block",
       {30, 30},
       {.vanish_on_request = 3},
       "message_text_recoil_download_failed",
       std::nullopt},
  };
  window_->Texts().SetLanguage("en", {{"message_text_recoil_too_long", "Need %d bytes."}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables(c.shots);
    device_->SetFaults(c.faults);
    ASSERT_TRUE(bus_.SetTraceFile(temp_.path() / "trace.txt"));
    const std::vector<std::uint8_t> held_before = device_->Memory().recoil;
    const std::size_t told_before = dialogs_.Texts().size();

    Find(kRecoilDownload).Click();
    EXPECT_EQ(dialogs_.Texts().size(), told_before);
    ASSERT_TRUE(AwaitDeviceJob()) << "the download's end";

    const std::vector<std::string> told = dialogs_.Texts();
    EXPECT_EQ(std::vector<std::string>(told.begin() + static_cast<std::ptrdiff_t>(told_before),
                                       told.end()),
              c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
    if (c.commands) {
      EXPECT_EQ(Commands(), *c.commands);
    }
    if (c.commands && c.commands->empty()) {
      EXPECT_EQ(device_->Memory().recoil, held_before) << "nothing sent, nothing changed";
    }
    ExpectDownloadButtons(true);
    EXPECT_TRUE(loop_.TimerPeriod(kTimerHideProgress).has_value());
  }
}

}  // namespace
}  // namespace vandrel::testing
