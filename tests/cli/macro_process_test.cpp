// vandrelctl macro as a user runs it: a library built, shown, renamed, exported and imported on
// both devices; refusals that change nothing; and no change while the desktop program runs.
#include <gtest/gtest.h>
#include <sys/stat.h>

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

class MacroProcessTest : public ::testing::Test {
 protected:
  MacroProcessTest() {
    const json folders = Json({"folders"});
    mouse_folder_ = folders["mouse_folder"].get<std::string>();
    keyboard_folder_ = folders["keyboard_folder"].get<std::string>();
  }

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
  [[nodiscard]] Args Names(const std::string& device) const {
    Args names;
    const json listed = Json({"macro", "list", device});
    for (const json& macro : listed["macros"]) {
      names.push_back(macro["name"].get<std::string>());
    }
    return names;
  }

  CtlProcess ctl_;
  const fs::path runtime_ = ctl_.folder() / "run";  // the lock's folder the commands are given
  fs::path mouse_folder_;
  fs::path keyboard_folder_;
};

constexpr const char* kSteps =
    "[MACROACTIONCOUNT]\r\ncount=3\r\n[MACROACTION]\r\n0=10,1,138,4,1,keyboard_key_A\r\n"
    "1=50,0,132,30,1,mouse_move_to_left_text\r\n2=0,0,1,16,0,mouse_key_forward\r\n";

TEST_F(MacroProcessTest, ALibraryIsBuiltShownMovedBetweenDevicesAndTakenApart) {
  WriteFile(File("steps.mac"), kSteps);
  ASSERT_EQ(Ctl({"macro", "add", "mouse"}).status, 0);
  ASSERT_EQ(Ctl({"macro", "add", "mouse", "Burst fire"}).status, 0);
  const json imported = Json({"macro", "import", "mouse", File("steps.mac")});
  EXPECT_EQ(imported["imported"], "name_3");
  EXPECT_EQ(imported["number"], 2);
  EXPECT_EQ(Names("mouse"), (Args{"name_1", "Burst fire", "name_3"}));
  EXPECT_EQ(ReadFile(mouse_folder_ / "name_3.mac"), kSteps);

  const json shown = Json({"macro", "show", "mouse", "NAME_3"});
  ASSERT_EQ(shown["steps"].size(), 3u);
  const json& press = shown["steps"][0];
  EXPECT_EQ(press["kind"], "key");
  EXPECT_EQ(press["action"], "press");
  EXPECT_EQ(press["value"], 4);
  EXPECT_EQ(press["delay_ms"], 266);
  EXPECT_EQ(press["text_id"], "keyboard_key_A");
  EXPECT_EQ(press["line"], "10,1,138,4,1,keyboard_key_A");
  const json& move = shown["steps"][1];
  EXPECT_EQ(move["kind"], "move");
  EXPECT_EQ(move["direction"], "left");
  EXPECT_EQ(move["distance"], 30);
  EXPECT_EQ(move["delay_ms"], 50);
  EXPECT_EQ(shown["steps"][2]["action"], "release");
  EXPECT_EQ(Json({"macro", "list", "mouse"})["macros"][2]["steps"], 3);

  // A rename moves the file and, on the mouse, writes the new name into it.
  ASSERT_EQ(Ctl({"macro", "rename", "mouse", "name_3", "Strafe"}).status, 0);
  EXPECT_FALSE(fs::exists(mouse_folder_ / "name_3.mac"));
  EXPECT_NE(ReadFile(mouse_folder_ / "Strafe.mac").find("name=Strafe"), std::string::npos);
  ASSERT_EQ(Ctl({"macro", "rename", "mouse", "Strafe", "STRAFE"}).status, 0);
  EXPECT_EQ(Names("mouse"), (Args{"name_1", "Burst fire", "STRAFE"}));

  // Exported from the mouse and imported on the keyboard, the steps stay the same.
  ASSERT_EQ(Ctl({"macro", "export", "mouse", "strafe", File("out.mac")}).status, 0);
  EXPECT_EQ(ReadFile(File("out.mac")), ReadFile(mouse_folder_ / "STRAFE.mac"));
  ASSERT_EQ(Ctl({"macro", "import", "keyboard", File("out.mac"), "From mouse"}).status, 0);
  EXPECT_EQ(Json({"macro", "show", "keyboard", "From mouse"})["steps"],
            Json({"macro", "show", "mouse", "STRAFE"})["steps"]);

  // Deleting rewrites the catalogue; the mouse's keeps its recoil tables.
  for (const std::string name : {"name_1", "STRAFE", "Burst fire"}) {
    ASSERT_EQ(Ctl({"macro", "delete", "mouse", name}).status, 0) << name;
  }
  EXPECT_EQ(Names("mouse"), Args{});
  EXPECT_FALSE(fs::exists(mouse_folder_ / "STRAFE.mac"));
  const std::string catalogue = ReadFile(mouse_folder_ / "msMacro.ini");
  EXPECT_NE(catalogue.find("[CURSORNAME]"), std::string::npos) << catalogue;
  EXPECT_NE(catalogue.find("3=name_4"), std::string::npos) << catalogue;
  EXPECT_EQ(Names("keyboard"), Args{"From mouse"});
}

TEST_F(MacroProcessTest, RefusalsSayWhyAndChangeNothing) {
  for (const char* name : {"name_1", "taken"})
    ASSERT_EQ(Ctl({"macro", "add", "keyboard", name}).status, 0);
  for (int i = 0; i < 50; ++i) ASSERT_EQ(Ctl({"macro", "add", "mouse"}).status, 0);
  WriteFile(keyboard_folder_ / "stray.mac", "stray steps");
  WriteFile(File("big.mac"), std::string(1024 * 1024 + 1, 'x'));
  WriteFile(File("latin1.mac"), "[MACROSELECTNAME]\nname=caf\xE9\n");
  WriteFile(File("good.mac"), kSteps);
  fs::create_directory(File("folder.mac"));
  struct Case {
    Args arguments;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"macro", "add", "keyboard", "TAKEN"}, 2, "has a macro \"taken\" already"},
      {{"macro", "add", "keyboard", "../escape"}, 2, "cannot be a macro name"},
      {{"macro", "add", "keyboard", "."}, 2, "cannot be a macro name"},
      {{"macro", "add", "keyboard", " padded"}, 2, "cannot be a macro name"},
      {{"macro", "add", "keyboard", std::string(252, 'n')}, 2, "too long"},
      {{"macro", "add", "mouse", "one more"}, 1, "50 macros"},
      {{"macro", "import", "mouse", File("good.mac")}, 1, "50 macros"},
      {{"macro", "add", "pad"}, 2, "unknown device"},
      {{"macro", "rename", "keyboard", "name_1", "Taken"}, 2, "already"},
      {{"macro", "rename", "keyboard", "name_1", "stray"}, 1, "is there already"},
      {{"macro", "rename", "keyboard", "name_1", "a/b"}, 2, "cannot be a macro name"},
      {{"macro", "rename", "keyboard", "absent", "x"}, 2, "no macro \"absent\""},
      {{"macro", "delete", "keyboard", "absent"}, 2, "no macro"},
      {{"macro", "show", "keyboard", "absent"}, 2, "no macro"},
      {{"macro", "export", "keyboard", "taken", File("x.mac")}, 1, "no file yet"},
      {{"macro", "import", "keyboard", File("big.mac")}, 2, "larger than"},
      {{"macro", "import", "keyboard", File("latin1.mac")}, 2, "not UTF-8"},
      {{"macro", "import", "keyboard", File("folder.mac")}, 2, "not a readable regular file"},
      {{"macro", "import", "keyboard", File("absent.mac")}, 2, "not a readable regular file"},
      {{"macro", "import", "keyboard", File("good.mac"), "stray"}, 1, "is there already"},
      {{"macro", "rename", "keyboard", "name_1"}, 2, "macro list DEVICE"},
      {{"macro", "wipe", "keyboard"}, 2, "macro list DEVICE"},
  };
  const auto before = Snapshot(ctl_.folder() / "home");
  for (const Case& c : cases) {
    const CtlResult result = Ctl(c.arguments);
    const std::string command = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(result.status, c.status) << command << "\n" << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << command << "\n" << result.err;
    EXPECT_EQ(Snapshot(ctl_.folder() / "home"), before) << command;
  }
}

TEST_F(MacroProcessTest, ChangesWaitUntilTheDesktopProgramHasEnded) {
  ASSERT_EQ(Ctl({"macro", "add", "keyboard", "kept"}).status, 0);
  ASSERT_EQ(Ctl({"macro", "export", "keyboard", "kept", File("x.mac")}).status, 1);
  WriteFile(File("good.mac"), kSteps);
  ASSERT_EQ(Ctl({"macro", "import", "keyboard", File("good.mac"), "imported"}).status, 0);
  const Args changes[] = {
      {"macro", "add", "keyboard"},
      {"macro", "rename", "keyboard", "kept", "other"},
      {"macro", "delete", "keyboard", "other"},
      {"macro", "import", "keyboard", File("good.mac")},
  };
  {
    const SingleInstance program = SingleInstance::Acquire(runtime_);
    ASSERT_EQ(program.role(), SingleInstance::Role::kFirst);
    const auto before = Snapshot(ctl_.folder() / "home");
    for (const Args& change : changes) {
      const CtlResult result = Ctl(change);
      EXPECT_EQ(result.status, 1) << change[1];
      EXPECT_NE(result.err.find("desktop program vandrel is running"), std::string::npos)
          << result.err;
    }
    EXPECT_EQ(Snapshot(ctl_.folder() / "home"), before);
    // Reading goes on as usual.
    EXPECT_EQ(Names("keyboard"), (Args{"kept", "imported"}));
    EXPECT_EQ(Json({"macro", "show", "keyboard", "imported"})["steps"].size(), 3u);
    EXPECT_EQ(Ctl({"macro", "export", "keyboard", "imported", File("y.mac")}).status, 0);
  }
  for (const Args& change : changes) EXPECT_EQ(Ctl(change).status, 0) << change[1];
  EXPECT_EQ(Names("keyboard"), (Args{"imported", "name_3", "name_4"}));
}

}  // namespace
}  // namespace vandrel::testing
