#include "cli/options.h"

#include <gtest/gtest.h>

namespace vandrel::cli {
namespace {

using Strings = std::vector<std::string>;

TEST(OptionsTest, SimulateTakesAllDevicesOrAList) {
  std::string error;
  const auto all = ParseOptions({"--simulate", "devices"}, error);
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(all->simulate, (Strings{"kb", "ms", "mp"}));
  EXPECT_EQ(all->command, "devices");

  const auto some =
      ParseOptions({"--simulate=mp,kb", "--sim-state", "/tmp/s", "devices", "x"}, error);
  ASSERT_TRUE(some.has_value());
  EXPECT_EQ(some->simulate, (Strings{"mp", "kb"}));
  EXPECT_EQ(some->sim_state, "/tmp/s");
  EXPECT_EQ(some->arguments, Strings{"x"});

  const auto real = ParseOptions({"devices"}, error);
  ASSERT_TRUE(real.has_value());
  EXPECT_FALSE(real->simulate.has_value());
}

TEST(OptionsTest, MistakesAreReportedNotGuessed) {
  std::string error;
  EXPECT_FALSE(ParseOptions({"--simulate=kb,zz", "devices"}, error).has_value());
  EXPECT_NE(error.find("zz"), std::string::npos);
  EXPECT_FALSE(ParseOptions({"--simulate=kb,ms,kb", "devices"}, error).has_value());
  EXPECT_FALSE(ParseOptions({"--sim-trace"}, error).has_value());
  EXPECT_FALSE(ParseOptions({"--frobnicate", "devices"}, error).has_value());
  EXPECT_EQ(ParseOptions({}, error)->command, "help");
}

}  // namespace
}  // namespace vandrel::cli
