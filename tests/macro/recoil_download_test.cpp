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
// repeated, the last one marked by its value.
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
  RecoilDownloadTest() {
    mouse_device_.ReadAll();
    ClearTrace();
  }

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

  Bytes Sent() const {
    Bytes block;
    for (const Bytes& payload : Payloads(kRecoilData)) {
      block.insert(block.end(), payload.begin(), payload.end());
    }
    return block;
  }

  TempDir folder_;
  MacroStore store_{DeviceKind::kMouse, folder_.path()};
  RecoilTables tables_{store_, folder_.path()};
};

TEST_F(RecoilDownloadTest, TheBlockGoesInChunksInsideABracketAndTheMouseHoldsIt) {
  struct Case {
    std::string what;
    std::vector<int> lines;
    std::size_t length;
    Bytes start;  // the block's first bytes as laid out for the mouse
  };
  const Case cases[] = {
      {"one table of 6 lines", {6}, 46, {0xAA, 0x55, 46, 0,  1, 0, 0, 0, 0, 0,    0, 0, 0,
                                         0,    0,    0,  18, 0, 6, 0, 0, 0, 0x2C, 1, 0, 0}},
      {"four tables of 180 lines",
       {180, 180, 180, 180},
       2920,
       {0xAA, 0x55, 0x68, 0x0B, 4,    0, 0,    0, 0,    0, 0,   0, 0, 0,
        0,    0,    24,   0,    0xEC, 2, 0xC0, 5, 0x94, 8, 180, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables(c.lines);
    ClearTrace();

    const RecoilDownloadResult result = SendRecoilBlock(mouse_, BuildRecoilBlock(tables_));

    EXPECT_EQ(result.outcome, RecoilDownloadOutcome::kDone);
    EXPECT_EQ(result.length, c.length);
    std::vector<TracedRequest> expected{{kBegin, 0, 0}};
    for (int done = 0; done < static_cast<int>(c.length); done += 56) {
      expected.push_back({kRecoilData, std::min(56, static_cast<int>(c.length) - done), done});
    }
    expected.push_back({kEnd, 0, 0});
    EXPECT_EQ(Requests(), expected);
    const Bytes sent = Sent();
    ASSERT_EQ(sent.size(), c.length);
    EXPECT_TRUE(std::equal(c.start.begin(), c.start.end(), sent.begin()));
    std::vector<HeldTable> held;
    for (const int lines : c.lines) held.push_back(Held(lines));
    EXPECT_EQ(sim::HeldRecoil(device_->Memory().recoil), held);
  }
}

TEST_F(RecoilDownloadTest, ADownloadThatCannotBeDoneSaysSo) {
  struct Case {
    std::string what;
    std::vector<int> lines;
    sim::Faults faults;
    RecoilDownloadOutcome outcome;
    int channel_result;
    std::size_t length;
    std::vector<int> commands;  // sent, in order
  };
  const Case cases[] = {
      {"over 3072 bytes",
       {180, 180, 180, 180, 180},
       {},
       RecoilDownloadOutcome::kTooLong,
       kChannelSuccess,
       3646,
       {}},
      {"no tables", {}, {}, RecoilDownloadOutcome::kNoTables, kChannelSuccess, 0, {}},
      {"the bracket refused",
       {6},
       {.refusal_status = 0xFF, .refuse_request = 1},
       RecoilDownloadOutcome::kFailed,
       kChannelRefusedBadFrame,
       46,
       {kBegin, kEnd}},
      {"the second chunk refused",
       {30},
       {.refusal_status = 0xFE, .refuse_request = 3},
       RecoilDownloadOutcome::kFailed,
       kChannelRefused,
       142,
       {kBegin, kRecoilData, kRecoilData, kEnd}},
      {"the end refused",
       {6},
       {.refusal_status = 0xFE, .refuse_request = 3},
       RecoilDownloadOutcome::kFailed,
       kChannelRefused,
       46,
       {kBegin, kRecoilData, kEnd}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables(c.lines);
    const Bytes before = device_->Memory().recoil;
    ClearTrace();
    device_->SetFaults(c.faults);

    const RecoilDownloadResult result = SendRecoilBlock(mouse_, BuildRecoilBlock(tables_));

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.channel_result, c.channel_result);
    EXPECT_EQ(result.length, c.length);
    std::vector<int> commands;
    for (const TracedRequest& request : Requests()) commands.push_back(request.command);
    EXPECT_EQ(commands, c.commands);
    if (c.commands.empty()) {
      EXPECT_EQ(device_->Memory().recoil, before);
    }
    device_->SetFaults({});
  }
}

}  // namespace
}  // namespace vandrel::testing
