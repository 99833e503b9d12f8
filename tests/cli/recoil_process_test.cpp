// vandrelctl recoil as a user runs it: the default tables set up, shown as numbers and exported;
// imports and restores, refused with nothing changed when the file is no table or the desktop
// program runs; and the download on the simulator's trace.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/ctl_process.h"
#include "platform/single_instance.h"

namespace vandrel::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Args = std::vector<std::string>;

const fs::path kProgramFolder = fs::path(VANDREL_CTL_PATH).parent_path();

// Action line `index` of a table file as its five numbers.
std::array<int, 5> LineNumbers(const std::string& file, int index) {
  const std::string key = "\n" + std::to_string(index) + "=";
  std::array<int, 5> numbers{};
  const std::size_t at = file.find(key);
  if (at == std::string::npos) return numbers;
  std::sscanf(file.c_str() + at + key.size(), "%d,%d,%d,%d,%d", &numbers[0], &numbers[1],
              &numbers[2], &numbers[3], &numbers[4]);
  return numbers;
}

// A move line's signed pull: bit 7 of the code is leftward or upward.
int Pull(const std::array<int, 5>& line) { return (line[2] & 0x80) != 0 ? -line[3] : line[3]; }

std::string TableFile(int count, const Args& lines) {
  std::string text =
      "[MACROACTIONCOUNT]\r\ncount=" + std::to_string(count) + "\r\n[MACROACTION]\r\n";
  for (std::size_t i = 0; i < lines.size(); ++i)
    text += std::to_string(i) + "=" + lines[i] + "\r\n";
  return text;
}

class RecoilProcessTest : public ::testing::Test {
 protected:
  RecoilProcessTest() { mouse_folder_ = Json({"folders"})["mouse_folder"].get<std::string>(); }

  [[nodiscard]] CtlResult Ctl(const Args& arguments) const { return ctl_.Run(arguments); }
  [[nodiscard]] json Json(Args arguments) const {
    arguments.insert(arguments.begin(), "--json");
    const CtlResult result = Ctl(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return result.status == 0 ? json::parse(result.out) : json();
  }
  [[nodiscard]] std::string File(const std::string& name) const {
    return (ctl_.folder() / name).string();
  }

  CtlProcess ctl_;
  fs::path mouse_folder_;
};

TEST_F(RecoilProcessTest, TheDefaultTablesAreListedShownAsNumbersAndExported) {
  const json listed = Json({"recoil", "list"});
  ASSERT_EQ(listed["tables"].size(), 4u);
  for (int table = 0; table < 4; ++table) {
    SCOPED_TRACE(table);
    const std::string name = "name_" + std::to_string(table + 1);
    EXPECT_EQ(listed["tables"][static_cast<std::size_t>(table)]["name"], name);
    EXPECT_EQ(listed["tables"][static_cast<std::size_t>(table)]["lines"], 180);
    const std::string defaults = ReadFile(kProgramFolder / (name + ".cur"));
    EXPECT_EQ(ReadFile(mouse_folder_ / (name + ".cur")), defaults);
    // By number, by name and by name in another case.
    for (const std::string& word :
         {std::to_string(table), name, "NAME_" + std::to_string(table + 1)}) {
      const json shown = Json({"recoil", "show", word});
      ASSERT_EQ(shown["number"], table) << word;
      ASSERT_EQ(shown["shots"].size(), 30u);
      for (int shot = 0; shot < 30; ++shot) {
        const json& values = shown["shots"][static_cast<std::size_t>(shot)];
        const std::array<int, 5> delay = LineNumbers(defaults, 6 * shot + 3);
        EXPECT_EQ(values["shot"], shot + 1);
        EXPECT_EQ(values["delay"], delay[0] + 256 * delay[1]);
        EXPECT_EQ(values["x"], Pull(LineNumbers(defaults, 6 * shot + 4)));
        EXPECT_EQ(values["y"], Pull(LineNumbers(defaults, 6 * shot + 5)));
      }
    }
    ASSERT_EQ(Ctl({"recoil", "export", std::to_string(table), File("out.cur")}).status, 0);
    EXPECT_EQ(ReadFile(File("out.cur")), defaults);
  }
  for (const Args& refused :
       {Args{"recoil", "show", "4"}, Args{"recoil", "show", "gun"}, Args{"recoil", "show"},
        Args{"recoil", "fire", "0"}, Args{"recoil", "export", "0"}}) {
    EXPECT_EQ(Ctl(refused).status, 2) << refused[1];
  }
  fs::remove(mouse_folder_ / "name_4.cur");
  EXPECT_EQ(Ctl({"recoil", "export", "3", File("none.cur")}).status, 1);
  EXPECT_FALSE(fs::exists(File("none.cur")));
}

TEST_F(RecoilProcessTest, ImportAndRestoreChangeOnlyTheNamedTablesFileOrNothing) {
  ASSERT_EQ(Ctl({"recoil", "list"}).status, 0);  // sets the tables up
  WriteFile(File("six.cur"), TableFile(6, {"1,0,0,0,0,a", "2,0,0,0,0,b", "3,0,0,0,0,c",
                                           "44,1,0,0,0,w", "0,0,132,5,1,mouse_move_to_left_text",
                                           "0,0,133,12,1,mouse_move_to_up_text"}));
  WriteFile(File("long.cur"), TableFile(181, {}));
  // The kinds of file import refuses are the tables' own test's; here, how the refusal ends.
  const Args refused[] = {{"recoil", "import", "1", File("long.cur")},
                          {"recoil", "import", "7", File("six.cur")},
                          {"recoil", "import", "1", File("missing.cur")}};
  const auto before = Snapshot(ctl_.folder() / "home");
  for (const Args& arguments : refused) EXPECT_EQ(Ctl(arguments).status, 2) << arguments[3];
  EXPECT_EQ(Snapshot(ctl_.folder() / "home"), before);
  {
    const SingleInstance program = SingleInstance::Acquire(ctl_.folder() / "run");
    ASSERT_EQ(program.role(), SingleInstance::Role::kFirst);
    for (const Args& change :
         {Args{"recoil", "import", "1", File("six.cur")}, Args{"recoil", "restore", "1"}}) {
      const CtlResult result = Ctl(change);
      EXPECT_EQ(result.status, 1) << change[1];
      EXPECT_NE(result.err.find("desktop program vandrel is running"), std::string::npos);
    }
    EXPECT_EQ(Snapshot(ctl_.folder() / "home"), before);
  }

  ASSERT_EQ(Ctl({"recoil", "import", "name_2", File("six.cur")}).status, 0);
  EXPECT_EQ(ReadFile(mouse_folder_ / "name_2.cur"), ReadFile(File("six.cur")));
  const json shown = Json({"recoil", "show", "1"});
  EXPECT_EQ(shown["shots"][0], (json{{"shot", 1}, {"delay", 300}, {"x", -5}, {"y", -12}}));
  EXPECT_EQ(shown["shots"][1], (json{{"shot", 2}, {"delay", 0}, {"x", nullptr}, {"y", nullptr}}));
  ASSERT_EQ(Ctl({"recoil", "restore", "1"}).status, 0);
  EXPECT_EQ(ReadFile(mouse_folder_ / "name_2.cur"), ReadFile(kProgramFolder / "name_2.cur"));
}

TEST_F(RecoilProcessTest, TheDownloadSendsEveryTableInOneBlockThatTheMouseKeeps) {
  const fs::path trace = ctl_.folder() / "trace";
  const CtlResult run = Ctl({"--simulate=ms", "--sim-trace", trace.string(), "recoil", "download"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::uint8_t> block;
  std::vector<int> commands;
  for (const SentRequest& request : SentRequests(trace)) {
    if (request.command == 23)
      block.insert(block.end(), request.payload.begin(), request.payload.end());
    if (commands.empty() || commands.back() != request.command) commands.push_back(request.command);
  }
  ASSERT_GE(commands.size(), 3u);
  EXPECT_EQ(std::vector<int>(commands.end() - 3, commands.end()), (std::vector<int>{1, 23, 2}));
  ASSERT_EQ(block.size(), 2920u);  // four tables of 180 lines
  EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 6),
            (std::vector<std::uint8_t>{0xAA, 0x55, 0x68, 0x0B, 4, 0}));
  // The simulated mouse keeps its memory between runs; its recoil memory comes last.
  const std::string state = ReadFile(ctl_.folder() / "state/vandrel/simulator/ms-7667.state");
  ASSERT_GE(state.size(), 3072u);
  EXPECT_EQ(state.substr(state.size() - 3072, block.size()),
            std::string(block.begin(), block.end()));

  // Five full tables do not fit: refused before the mouse is even opened.
  WriteFile(mouse_folder_ / "msMacro.ini",
            "[CURSORCOUNT]\r\ncount=5\r\n[CURSORNAME]\r\n0=name_1\r\n1=name_2\r\n2=name_3\r\n"
            "3=name_4\r\n4=name_1\r\n");
  fs::remove(trace);
  const CtlResult too_long =
      Ctl({"--simulate=ms", "--sim-trace", trace.string(), "recoil", "download"});
  EXPECT_EQ(too_long.status, 2);
  EXPECT_NE(too_long.err.find("3646 bytes"), std::string::npos) << too_long.err;
  EXPECT_TRUE(SentCommands(trace).empty());
  // No mouse: a device error.
  WriteFile(mouse_folder_ / "msMacro.ini",
            "[CURSORCOUNT]\r\ncount=1\r\n[CURSORNAME]\r\n0=name_1\r\n");
  EXPECT_EQ(Ctl({"--simulate=kb", "recoil", "download"}).status, 1);
}

}  // namespace
}  // namespace vandrel::testing
