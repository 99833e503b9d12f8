// The Recoil tab's download as the program runs it: a device job behind the busy indicator, on
// the simulated mouse, sending the block the click built while the window stays usable, with the
// outcome told once it ends.
#include <string>
#include <vector>

#include "core/file_io.h"
#include "download_fixture.h"
#include "sim/macro_memory.h"

namespace vandrel::testing {
namespace {

using sim::HeldStep;
using Lines = std::vector<std::string>;

constexpr int kRecoilData = 23;

// Shot b of table t: three carried lines, a delay of 10t + b ms, b pixels right and t pixels up.
Lines ShotLines(int t, int b) {
  return {"1,0,9,9,0,carried",
          "1,0,9,9,0,carried",
          "1,0,9,9,0,carried",
          std::to_string(10 * t + b) + ",0,7,3,1,kept",
          "0,0,4," + std::to_string(b) + ",0,mouse_move_to_right_text",
          "0,0,133," + std::to_string(t) + ",1,mouse_move_to_up_text"};
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
};

// Meanwhile a second click and the Buttons tab's download start nothing, and an edit is stored
// without reaching this download. (The Buttons tab's download holds this page's button in turn:
// see button_download_test.cpp.)
TEST_F(RecoilDownloadJobTest, TheMouseGetsTheBlockTheClickBuiltWhileThePageStaysUsable) {
  Find("ms_cursor_delay_eidt").Type("300");  // table 0, shot 0
  const std::optional<Lines> told = RunDownload(kRecoilDownload, [this] {
    Find(kRecoilDownload).Click();
    Find(kButtonsDownload).Click();
    Find("ms_cursor_delay_eidt").Type("500");
  });
  ASSERT_TRUE(told) << "the download's end";
  EXPECT_EQ(*told, Lines{});

  // 16 + 6 × 4 + 4 × (6 + 12 + 18 + 24) bytes.
  EXPECT_EQ(Requests(), Bracketed(kRecoilData, 280));
  const auto held = sim::HeldRecoil(device_->Memory().recoil);
  ASSERT_TRUE(held.has_value());
  ASSERT_EQ(held->size(), 4u);
  EXPECT_EQ((*held)[0],
            (std::vector<HeldStep>{
                {1, 9, 9}, {1, 9, 9}, {1, 9, 9}, {300, 7, 3}, {0, 4, 0}, {0, 0x85, 0}}));
  EXPECT_EQ((*held)[3].size(), 24u);
  EXPECT_EQ((*held)[3][21], (HeldStep{33, 7, 3}));  // shot 3's delay
  EXPECT_EQ((*held)[3][23], (HeldStep{0, 0x85, 3}));
  EXPECT_NE(ReadWholeFile(store_.RecoilPath("gun 0")).bytes.find("3=244,1,7,3,1,kept"),
            std::string::npos)
      << "the edit made meanwhile is stored for the next download";
}

TEST_F(RecoilDownloadJobTest, ADownloadThatCannotBeDoneIsToldWhenItEnds) {
  struct Case {
    std::string what;
    std::vector<int> shots;
    sim::Faults faults;
    Lines told;
    std::vector<TracedRequest> sent;
  };
  // Five tables of 30 shots need 16 + 6 × 5 + 4 × 900 = 3646 bytes; one of one shot 46.
  const Case cases[] = {
      {"too long", {30, 30, 30, 30, 30}, {}, Lines{"Need 3646 bytes."}, {}},
      {"no tables", {}, {}, Lines{}, {}},
      {"the block refused", std::vector{1},
       sim::Faults{.refusal_status = 0xFE, .refuse_request = 2},
       Lines{"message_text_recoil_download_failed"}, Bracketed(kRecoilData, 46)},
  };
  window_->Texts().SetLanguage("en", {{"message_text_recoil_too_long", "Need %d bytes."}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables(c.shots);
    device_->SetFaults(c.faults);
    const std::vector<std::uint8_t> held_before = device_->Memory().recoil;

    const std::optional<Lines> told = RunDownload(kRecoilDownload);
    ASSERT_TRUE(told) << "the download's end";

    EXPECT_EQ(*told, c.told);
    EXPECT_EQ(Requests(), c.sent);
    if (c.sent.empty()) {
      EXPECT_EQ(device_->Memory().recoil, held_before) << "nothing sent, nothing changed";
    }
  }
}

}  // namespace
}  // namespace vandrel::testing
