#include "cli/options.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vandrel::cli {
namespace {

using Strings = std::vector<std::string>;

TEST(OptionsTest, SimulateTakesAllDevicesOrAList) {
  std::string error;
  const auto all = ParseOptions({"--simulate", "list"}, error);
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(all->simulate, (Strings{"kb", "ms", "mp"}));
  EXPECT_EQ(all->command, "list");

  const auto some = ParseOptions({"--simulate=mp,kb", "--sim-state", "/tmp/s", "list", "x"}, error);
  ASSERT_TRUE(some.has_value());
  EXPECT_EQ(some->simulate, (Strings{"mp", "kb"}));
  EXPECT_EQ(some->sim_state, "/tmp/s");
  EXPECT_FALSE(some->json);
  EXPECT_EQ(some->arguments, Strings{"x"});

  const auto real = ParseOptions({"list"}, error);
  ASSERT_TRUE(real.has_value());
  EXPECT_FALSE(real->simulate.has_value());
}

TEST(OptionsTest, MistakesAreReportedNotGuessed) {
  std::string error;
  EXPECT_FALSE(ParseOptions({"--simulate=kb,zz", "list"}, error).has_value());
  EXPECT_NE(error.find("zz"), std::string::npos);
  EXPECT_FALSE(ParseOptions({"--simulate=kb,ms,kb", "list"}, error).has_value());
  EXPECT_FALSE(ParseOptions({"--sim-trace"}, error).has_value());
  EXPECT_FALSE(ParseOptions({"--frobnicate", "list"}, error).has_value());
  EXPECT_EQ(ParseOptions({}, error)->command, "help");
}

TEST(OptionsTest, SimulatedMemoryLivesInTheUserStateFolderUnlessGiven) {
  std::string error;
  {
    const testing::ScopedEnv state("XDG_STATE_HOME", "/var/tmp/st");
    EXPECT_EQ(ParseOptions({"--simulate", "list"}, error)->sim_state,
              "/var/tmp/st/vandrel/simulator");
    EXPECT_EQ(ParseOptions({"list"}, error)->sim_state, "");
  }
  // A relative XDG_STATE_HOME is ignored; without a usable home the simulator keeps nothing,
  // rather than keeping it in whatever folder vandrelctl was started in.
  const testing::ScopedEnv relative("XDG_STATE_HOME", "relative");
  const testing::TempDir home_folder;
  {
    const testing::ScopedEnv home("HOME", home_folder.path().string());
    EXPECT_EQ(ParseOptions({"--simulate", "list"}, error)->sim_state,
              home_folder.path() / ".local/state/vandrel/simulator");
  }
  const std::string missing = (home_folder.path() / "missing").string();
  for (const char* unusable : {"", "relative/home", missing.c_str()}) {
    const testing::ScopedEnv home("HOME", unusable);
    EXPECT_EQ(ParseOptions({"--simulate", "list"}, error)->sim_state, "") << unusable;
  }
}

TEST(OptionsTest, HelpAndVersionAreCommandsAndJsonIsGlobal) {
  std::string error;
  EXPECT_EQ(ParseOptions({"--version", "list"}, error)->command, "version");
  EXPECT_EQ(ParseOptions({"--simulate", "--help"}, error)->command, "help");
  const auto json = ParseOptions({"--json", "info", "mouse", "--json"}, error);
  ASSERT_TRUE(json.has_value());
  EXPECT_TRUE(json->json);
  // After the command, options belong to the command.
  EXPECT_EQ(json->arguments, (Strings{"mouse", "--json"}));
}

}  // namespace
}  // namespace vandrel::cli
