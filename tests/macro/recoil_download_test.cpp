// The download of the recoil tables to the simulated mouse: the commands on the wire, the block
// byte for byte, what the mouse then holds, and the downloads refused or cut short.
#include "macro/recoil_download.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mouse/mouse_fixture.h"
#include "sim/macro_memory.h"
#include "support/temp_dir.h"

namespace vandrel::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using sim::HeldStep;
using sim::HeldTable;

constexpr int kBegin = 1, kEnd = 2, kRecoilData = 23;

// `lines` action lines: a 300 ms wait, then moves 5 left and 12 up (the page's shot 2 example),
// repeated, the last one marked by its value; as a file and as the mouse holds it.
std::string TableFile(int lines) {
  const char* shot[] = {"44,1,0,0,0,mouse_text", "0,0,132,5,1,mouse_move_to_left_text",
                        "0,0,133,12,1,mouse_move_to_up_text"};
  std::string text = "[MACROACTIONCOUNT]\ncount=" + std::to_string(lines) + "\n[MACROACTION]\n";
  for (int i = 0; i < lines; ++i) {
    text += std::to_string(i) + "=" + (i + 1 == lines ? "7,0,4,99,0,last" : shot[i % 3]) + "\n";
  }
  return text;
}
HeldTable Held(int lines) {
  const HeldStep shot[] = {{300, 0, 0}, {0, 0x84, 5}, {0, 0x85, 12}};
  HeldTable table;
  for (int i = 0; i < lines; ++i)
    table.push_back(i + 1 == lines ? HeldStep{7, 4, 99} : shot[i % 3]);
  return table;
}

class RecoilDownloadTest : public MouseFixture {
 protected:
  RecoilDownloadTest() { mouse_device_.ReadAll(); }

  // A catalogue of one table per entry of `lines`, each with that many action lines.
  void Tables(const std::vector<int>& lines) {
    std::string catalogue =
        "[CURSORCOUNT]\ncount=" + std::to_string(lines.size()) + "\n[CURSORNAME]\n";
    for (std::size_t k = 0; k < lines.size(); ++k) {
      catalogue += std::to_string(k) + "=gun " + std::to_string(k) + "\n";
      WriteFile(store_.RecoilPath("gun " + std::to_string(k)), TableFile(lines[k]));
    }
    WriteFile(store_.CataloguePath(), catalogue);
  }

  TempDir folder_;
  MacroStore store_{DeviceKind::kMouse, folder_.path()};
  RecoilTables tables_{store_, folder_.path()};
};

TEST_F(RecoilDownloadTest, TheBlockGoesInChunksInsideABracketOrTheDownloadSaysWhyNot) {
  using enum RecoilDownloadOutcome;
  struct Case {
    std::string what;
    std::vector<int> lines;
    sim::Faults faults;
    RecoilDownloadOutcome outcome;
    int channel_result;
    std::size_t length;
    int chunks;   // of 56 bytes, sent inside the bracket; -1: nothing sent
    Bytes start;  // the first bytes of a block the mouse took
  };
  // The first bytes of the blocks of 6 and of 4 x 180 lines, as laid out for the mouse.
  const Bytes one_table = {0xAA, 0x55, 46, 0,  1, 0, 0, 0, 0, 0,    0, 0, 0,
                           0,    0,    0,  18, 0, 6, 0, 0, 0, 0x2C, 1, 0, 0};
  const Bytes four_tables = {0xAA, 0x55, 0x68, 0x0B, 4,    0, 0,    0, 0,    0, 0,   0, 0, 0,
                             0,    0,    24,   0,    0xEC, 2, 0xC0, 5, 0x94, 8, 180, 0, 0, 0};
  const sim::Faults bad_frame{.refusal_status = 0xFF, .refuse_request = 1};
  const sim::Faults third_refused{.refusal_status = 0xFE, .refuse_request = 3};
  const Case cases[] = {
      {"6 lines", {6}, {}, kDone, kChannelSuccess, 46, 1, one_table},
      {"4 x 180 lines", {180, 180, 180, 180}, {}, kDone, kChannelSuccess, 2920, 53, four_tables},
      {"over 3072 bytes", {180, 180, 180, 180, 180}, {}, kTooLong, kChannelSuccess, 3646, -1, {}},
      {"no tables", {}, {}, kNoTables, kChannelSuccess, 0, -1, {}},
      {"the bracket refused", {6}, bad_frame, kFailed, kChannelRefusedBadFrame, 46, 0, {}},
      {"the second chunk refused", {30}, third_refused, kFailed, kChannelRefused, 142, 2, {}},
      {"the end refused", {6}, third_refused, kFailed, kChannelRefused, 46, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables(c.lines);
    const Bytes before = device_->Memory().recoil;
    ClearTrace();
    device_->SetFaults(c.faults);

    const RecoilDownloadResult result = SendRecoilBlock(mouse_, BuildRecoilBlock(tables_));
    device_->SetFaults({});

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.channel_result, c.channel_result);
    EXPECT_EQ(result.length, c.length);
    std::vector<TracedRequest> expected;
    for (int chunk = 0; chunk < c.chunks; ++chunk) {
      expected.push_back(
          {kRecoilData, std::min(56, static_cast<int>(c.length) - 56 * chunk), 56 * chunk});
    }
    if (c.chunks >= 0) {
      expected.insert(expected.begin(), {kBegin, 0, 0});
      expected.push_back({kEnd, 0, 0});
    }
    EXPECT_EQ(Requests(), expected);
    if (c.chunks < 0) {
      EXPECT_EQ(device_->Memory().recoil, before);
    }
    if (c.outcome != kDone) continue;
    Bytes sent;
    for (const Bytes& payload : Payloads(kRecoilData))
      sent.insert(sent.end(), payload.begin(), payload.end());
    ASSERT_EQ(sent.size(), c.length);
    EXPECT_TRUE(std::equal(c.start.begin(), c.start.end(), sent.begin()));
    std::vector<HeldTable> held;
    for (const int lines : c.lines) held.push_back(Held(lines));
    EXPECT_EQ(sim::HeldRecoil(device_->Memory().recoil), held);
  }
}

}  // namespace
}  // namespace vandrel::testing
