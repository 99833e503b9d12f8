// The desktop program's command line.
#include "vandrel/program_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using ::testing::ElementsAre;

std::optional<ProgramOptions> Parse(const std::vector<std::string>& arguments,
                                    std::string* error = nullptr) {
  std::string ignored;
  return ParseProgramOptions(arguments, error != nullptr ? *error : ignored);
}

TEST(ProgramOptionsTest, WithoutOptionsTheRealDevicesAreUsed) {
  const std::optional<ProgramOptions> options = Parse({});
  ASSERT_TRUE(options.has_value());
  EXPECT_FALSE(options->simulate.has_value());
  EXPECT_TRUE(options->screenshot.empty());
}

TEST(ProgramOptionsTest, SimulateTakesAllThreeOrTheListed) {
  EXPECT_THAT(*Parse({"--simulate"})->simulate, ElementsAre("kb", "ms", "mp"));
  EXPECT_THAT(*Parse({"--simulate=mp,kb"})->simulate, ElementsAre("mp", "kb"));
  std::string error;
  EXPECT_FALSE(Parse({"--simulate=ms,xx"}, &error).has_value());
  EXPECT_NE(error.find("xx"), std::string::npos);
  EXPECT_FALSE(Parse({"--simulate=ms,ms"}).has_value());
  EXPECT_FALSE(Parse({"--simulated"}).has_value());
}

TEST(ProgramOptionsTest, ValuesFollowTheirOptions) {
  const std::optional<ProgramOptions> options = Parse(
      {"--sim-trace", "t.txt", "--screenshot", "out/main.png", "--screenshot-view", "tray-menu"});
  ASSERT_TRUE(options.has_value());
  EXPECT_EQ(options->sim_trace, "t.txt");
  EXPECT_EQ(options->screenshot, "out/main.png");
  EXPECT_EQ(options->screenshot_view, "tray-menu");
  EXPECT_FALSE(Parse({"--screenshot"}).has_value()) << "a missing value";
}

TEST(ProgramOptionsTest, AScreenshotViewMustBeKnownAndNeedsAFile) {
  for (const std::string_view view : kScreenshotViews) {
    EXPECT_TRUE(Parse({"--screenshot", "a.png", "--screenshot-view", std::string(view)}));
  }
  EXPECT_FALSE(Parse({"--screenshot", "a.png", "--screenshot-view", "desktop"}).has_value());
  EXPECT_FALSE(Parse({"--screenshot-view", "kb"}).has_value());
}

TEST(ProgramOptionsTest, AViewToShowIsAScreenshotViewOrHiddenAndTakesNoPicture) {
  struct Case {
    std::vector<std::string> arguments;
    bool accepted;
  };
  const Case kCases[] = {
      {{"--show-view", "hidden"}, true},
      {{"--show-view", "kb-lighting"}, true},
      {{"--show-view", "desktop"}, false},
      {{"--show-view"}, false},
      {{"--show-view", "kb", "--screenshot", "a.png"}, false},
      {{"--screenshot", "a.png", "--screenshot-view", "hidden"}, false},
  };
  for (const Case& c : kCases) {
    const std::optional<ProgramOptions> options = Parse(c.arguments);
    EXPECT_EQ(options.has_value(), c.accepted) << ::testing::PrintToString(c.arguments);
    if (options) {
      EXPECT_EQ(options->show_view, c.arguments[1]);
    }
  }
}

TEST(ProgramOptionsTest, QtsOwnArgumentsAreLeftAlone) {
  const std::optional<ProgramOptions> options =
      Parse({"-platform", "offscreen", "--simulate=kb", "-style", "fusion"});
  ASSERT_TRUE(options.has_value());
  EXPECT_THAT(*options->simulate, ElementsAre("kb"));
}

TEST(ProgramOptionsTest, HelpVersionAndUnknownOptions) {
  EXPECT_TRUE(Parse({"--help"})->help);
  EXPECT_TRUE(Parse({"--version"})->version);
  std::string error;
  EXPECT_FALSE(Parse({"--frobnicate"}, &error).has_value());
  EXPECT_NE(error.find("--frobnicate"), std::string::npos);
}

TEST(ProgramOptionsTest, SimulatorTimingAndLightingForBenchmarks) {
  const std::optional<ProgramOptions> options =
      Parse({"--simulate", "--sim-usb-timing", "--sim-lighting", "0:14", "--sim-stats"});
  ASSERT_TRUE(options.has_value());
  EXPECT_TRUE(options->sim_stats);
  EXPECT_TRUE(options->sim_usb_timing);
  EXPECT_EQ(options->sim_lighting, (std::pair<std::uint8_t, std::uint8_t>{0, 14}));
  for (const char* bad : {"3", "3:", "x:1", "1:256", "-1:2", "1:2:3"}) {
    std::string error;
    EXPECT_FALSE(Parse({"--sim-lighting", bad}, &error).has_value()) << bad;
    EXPECT_NE(error.find("MODE:SPEED"), std::string::npos) << bad;
  }
}

}  // namespace
}  // namespace vandrel
