// The simulated devices' memory between vandrelctl runs: runs at once take turns, a file that is
// not a saved memory is kept aside and named, and a memory that cannot be saved fails the run.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using nlohmann::json;

const std::string kPadState = "state/vandrel/simulator/mp-6627.state";

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

CtlRunOptions Named(std::string name) {
  CtlRunOptions options;
  options.output_name = std::move(name);
  return options;
}

json PadLighting(const CtlProcess& ctl) {
  const CtlResult info = ctl.Run({"--simulate=mp", "--json", "info", "pad"});
  EXPECT_EQ(info.status, 0) << info.err;
  return json::parse(info.out)["lighting"];
}

TEST(SimStateProcessTest, RunsAtOnceChangingDifferentSettingsKeepBothChanges) {
  const CtlProcess ctl;
  constexpr int kPairs = 4;
  for (int pair = 0; pair < kPairs; ++pair) {
    const int brightness = pair + 1;
    const int speed = 10 - pair;
    CtlResult first;
    CtlResult second;
    {
      std::jthread a([&] {
        first = ctl.Run({"--simulate=mp", "set", "pad", "--brightness", std::to_string(brightness)},
                        Named("a"));
      });
      std::jthread b([&] {
        second =
            ctl.Run({"--simulate=mp", "set", "pad", "--speed", std::to_string(speed)}, Named("b"));
      });
    }
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(second.status, 0) << second.err;
    const json lighting = PadLighting(ctl);
    EXPECT_EQ(lighting["brightness"], brightness) << "pair " << pair;
    EXPECT_EQ(lighting["speed"], speed) << "pair " << pair;
  }
}

TEST(SimStateProcessTest, AStateFileThatIsNotAMemoryIsKeptAsideAndNamed) {
  const CtlProcess ctl;
  const std::filesystem::path state = ctl.folder() / kPadState;
  std::filesystem::create_directories(state.parent_path());
  for (const std::string_view garbage : {"not a memory", "another one"}) {
    std::ofstream(state, std::ios::binary) << garbage;
    const CtlResult set = ctl.Run({"--simulate=mp", "set", "pad", "--brightness", "3"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_NE(set.err.find("kept as"), std::string::npos) << set.err;
  }
  EXPECT_EQ(Slurp(state.string() + ".corrupt"), "not a memory");
  EXPECT_EQ(Slurp(state.string() + ".corrupt-2"), "another one");
  EXPECT_EQ(PadLighting(ctl)["brightness"], 3);
}

TEST(SimStateProcessTest, AMemoryThatCannotBeSavedFailsTheRun) {
  const CtlProcess ctl;
  // The pad's memory takes some 380 bytes; the message fits under the limit.
  CtlRunOptions nearly_full;
  nearly_full.file_size_limit = 200;
  const CtlResult set = ctl.Run({"--simulate=mp", "set", "pad", "--brightness", "3"}, nearly_full);
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("cannot save the simulated mp's memory"), std::string::npos) << set.err;
  EXPECT_FALSE(std::filesystem::exists(ctl.folder() / kPadState));
}

}  // namespace
}  // namespace vandrel::testing
