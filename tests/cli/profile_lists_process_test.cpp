// vandrelctl's profile list commands as a user runs them against the simulated devices: the lists
// and files each verb leaves, the selection applied to the device, the links to programs stored in
// the catalogue, refusals that change nothing, and no change while the desktop program runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ctl_process.h"
#include "platform/single_instance.h"

namespace vandrel::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Args = std::vector<std::string>;

// The key lines of `sections` in that order as the file holds them ("KEY=VALUE", the value's
// spaces kept), joined by "|".
std::string RawSections(const std::string& text, const Args& sections) {
  std::string keys;
  for (const std::string& section : sections) {
    std::istringstream lines(text);
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line.front() == '[') {
        inside = line == "[" + section + "]";
      } else if (inside) {
        keys += (keys.empty() ? "" : "|") + line;
      }
    }
  }
  return keys;
}

class ProfileListsProcessTest : public ::testing::Test {
 protected:
  [[nodiscard]] CtlResult Ctl(Args arguments) const {
    arguments.insert(arguments.begin(), {"--simulate", "profile"});
    return ctl_.Run(arguments);
  }
  // The names of the kind's profiles and the selected one's number.
  [[nodiscard]] std::pair<Args, int> List(const std::string& device,
                                          const std::string& kind) const {
    const CtlResult result = ctl_.Run({"--json", "profile", "list", device});
    EXPECT_EQ(result.status, 0) << result.err;
    Args names;
    int selected = -1;
    const json document = json::parse(result.out);
    for (const json& profile : document["profiles"]) {
      if (profile["kind"] != kind) continue;
      if (profile["selected"].get<bool>()) selected = static_cast<int>(names.size());
      names.push_back(profile["name"].get<std::string>());
    }
    return {names, selected};
  }
  [[nodiscard]] std::string File(const std::string& name) const {
    return (ctl_.folder() / name).string();
  }

  CtlProcess ctl_;
};

TEST_F(ProfileListsProcessTest, EachVerbLeavesItsListAndSelection) {
  const struct {
    Args command;
    std::string kind;  // of the list then shown, on the command's device
    Args names;
    int selected;
  } steps[] = {
      // The first change of a list that was never made starts from the default profile.
      {Args{"add", "mouse", "light"}, "light", Args{"profile1", "profile2"}, 1},
      {Args{"copy", "mouse", "light", "PROFILE1"}, "light",
       Args{"profile1", "profile2", "profile1 copy"}, 2},
      {Args{"rename", "mouse", "light", "profile2", "Evening"}, "light",
       Args{"profile1", "Evening", "profile1 copy"}, 2},
      {Args{"select", "mouse", "light", "evening"}, "light",
       Args{"profile1", "Evening", "profile1 copy"}, 1},
      {Args{"delete", "mouse", "light", "profile1"}, "light", Args{"Evening", "profile1 copy"}, 1},
      {Args{"reset", "mouse", "light"}, "light", Args{"Evening", "profile1 copy"}, 1},
      {Args{"add", "pad", "light"}, "light", Args{"profile1", "profile2"}, 1},
      {Args{"add", "keyboard", "device"}, "device", Args{"profile1", "profile2"}, 1},
      {Args{"export", "keyboard", "light", File("kb.led")}, "light", Args{"profile1"}, 0},
      {Args{"import", "mouse", "device", File("ms.config")}, "device", Args{"profile1", "profile2"},
       1},
  };
  ASSERT_EQ(ctl_.Run({"--simulate", "profile", "save", "mouse", File("ms.config")}).status, 0);
  for (const auto& step : steps) {
    SCOPED_TRACE(step.command[0] + " " + step.command[1]);
    const CtlResult result = Ctl(step.command);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(List(step.command[1], step.kind), std::pair(step.names, step.selected));
  }
  EXPECT_EQ(fs::file_size(File("kb.led")), 16U + 1958U);
  EXPECT_EQ(ReadFile(File("kb.led")).substr(0, 6), std::string("\xAA\x55\0\0\x01\0", 6));
}

TEST_F(ProfileListsProcessTest, RefusalsAndTheRunningProgramChangeNothing) {
  ASSERT_EQ(Ctl({"add", "mouse", "light"}).status, 0);
  const auto before = Snapshot(ctl_.folder() / "home");
  // Each refused with status 2, saying why.
  const std::pair<Args, std::string> refusals[] = {
      {{"rename", "mouse", "light", "profile1", "PROFILE2"}, "already exists"},
      {{"rename", "mouse", "light", "profile1", "../../x"}, "cannot be a profile name"},
      {{"rename", "mouse", "light", "profile1", ""}, "cannot be empty"},
      {{"select", "mouse", "light", "none"}, "no light profile \"none\""},
      {{"add", "pad", "key"}, "light profiles only"},
      {{"import", "mouse", "light", File("missing.led")}, "missing"},
      {{"delete", "mouse", "key"}, "cannot be deleted"},
  };
  for (const auto& [command, said] : refusals) {
    SCOPED_TRACE(command[0] + " " + command.back());
    const CtlResult result = Ctl(command);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(ctl_.folder() / "home"), before);
  }
  const SingleInstance program = SingleInstance::Acquire(ctl_.folder() / "run");
  ASSERT_EQ(program.role(), SingleInstance::Role::kFirst);
  for (const Args& change : {Args{"add", "mouse", "light"}, Args{"delete", "mouse", "light"},
                             Args{"link", "mouse", "light", "profile1", "/usr/bin/true"}}) {
    const CtlResult result = Ctl(change);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("desktop program vandrel is running"), std::string::npos);
  }
  EXPECT_EQ(Snapshot(ctl_.folder() / "home"), before);
  EXPECT_EQ(List("mouse", "light").first, (Args{"profile1", "profile2"}));
}

TEST_F(ProfileListsProcessTest, LinksAreStoredPerRowAndRefusalsWriteNothing) {
  ASSERT_EQ(Ctl({"add", "mouse", "key"}).status, 0);
  ASSERT_EQ(Ctl({"add", "mouse", "key"}).status, 0);
  const fs::path folder = ctl_.folder();
  fs::create_directories(folder / "games");
  WriteFile(folder / "games" / "run", "#!/bin/sh\n");
  fs::create_directories(folder / "bin");
  fs::create_symlink(folder / "games" / "run", folder / "bin" / "game");
  const std::string run = fs::canonical(folder / "games" / "run").string();
  const std::string wine = (folder / "pfx" / "drive_c" / "Games" / "Foo" / "foo.exe").string();
  const std::string gone = fs::weakly_canonical(folder / "gone").string();
  const std::string catalogue =
      json::parse(ctl_.Run({"--json", "profile", "list", "mouse"}).out)["catalogue"];
  const struct {
    Args command;
    int status;
    std::string said;
    // The key and device rows' like and path keys afterwards, as written, joined by "|"; empty: the
    // catalogue is unchanged, byte for byte.
    std::string key;
    std::string device;
  } steps[] = {
      // The foreground program is named with its links resolved; so is the link.
      {{"link", "mouse", "key", "profile2", (folder / "bin" / "game").string()},
       0,
       "linked to " + run,
       "0=0|1=1|2=0|1=" + run,
       "0=0"},
      {{"link", "mouse", "key", "PROFILE3", run}, 2, "Another profile is already linked", "", ""},
      {{"link", "mouse", "key", "profile2", run}, 0, "linked to " + run, "", ""},
      {{"link", "mouse", "device", "profile1", run},
       0,
       "linked to " + run,
       "0=0|1=1|2=0|1=" + run,
       "0=1|0=" + run},
      // A program in a Wine prefix is linked by the Windows path Wine names it by.
      {{"link", "mouse", "key", "profile3", wine},
       0,
       "linked to C:\\Games\\Foo\\foo.exe",
       "0=0|1=1|2=1|1=" + run + "|2=C:\\Games\\Foo\\foo.exe",
       "0=1|0=" + run},
      {{"link", "mouse", "key", "profile1", "c:/GAMES/foo/FOO.EXE"},
       2,
       "\"profile3\" is linked",
       "",
       ""},
      {{"link", "mouse", "key", "profile1", (folder / "games").string()}, 2, "is a folder", "", ""},
      {{"link", "mouse", "key", "profile1", " "}, 2, "cannot be empty", "", ""},
      {{"link", "mouse", "key", "nobody", run}, 2, "no key profile \"nobody\"", "", ""},
      {{"link", "pad", "key", "profile1", run}, 2, "light profiles only", "", ""},
      {{"unlink", "mouse", "key", "profile2"},
       0,
       "unlinked from " + run,
       "0=0|1=0|2=1|1= |2=C:\\Games\\Foo\\foo.exe",
       "0=1|0=" + run},
      {{"unlink", "mouse", "key", "profile2"}, 0, "not linked", "", ""},
      // A linked profile linked again takes the new program; one not there now is said so.
      {{"link", "mouse", "device", "profile1", gone},
       0,
       "does not exist now",
       "0=0|1=0|2=1|1= |2=C:\\Games\\Foo\\foo.exe",
       "0=1|0=" + gone},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.command[0] + " " + step.command[2] + " " + step.command.back());
    const std::string before = ReadFile(catalogue);
    const CtlResult result = Ctl(step.command);
    EXPECT_EQ(result.status, step.status) << result.err;
    EXPECT_NE((result.out + result.err).find(step.said), std::string::npos)
        << result.out << result.err;
    const std::string after = ReadFile(catalogue);
    if (step.key.empty()) {
      EXPECT_EQ(after, before);
      continue;
    }
    EXPECT_EQ(RawSections(after, {"PROFILELIKEEXE", "PROCESS"}), step.key);
    EXPECT_EQ(RawSections(after, {"PROFILELIKEDEVICEEXE", "DEVICEPROCESS"}), step.device);
  }
  const json listed = json::parse(ctl_.Run({"--json", "profile", "list", "mouse"}).out);
  std::map<std::string, std::string> programs;
  for (const json& profile : listed["profiles"]) {
    programs[profile["kind"].get<std::string>() + " " + profile["name"].get<std::string>()] =
        profile.value("program", "");
  }
  EXPECT_EQ(programs,
            (std::map<std::string, std::string>{{"device profile1", gone},
                                                {"light profile1", ""},
                                                {"key profile1", ""},
                                                {"key profile2", ""},
                                                {"key profile3", "C:\\Games\\Foo\\foo.exe"}}));
}

}  // namespace
}  // namespace vandrel::testing
