// `set` and `info` as a user runs them: changes reach the simulated device and survive into the
// next run; refusals say why, exit with 2 and send no change.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using nlohmann::json;

json Info(const CtlProcess& ctl, const std::string& device) {
  const CtlResult result = ctl.Run({"--simulate", "--json", "info", device});
  EXPECT_EQ(result.status, 0) << result.err;
  return json::parse(result.out);
}

// Commands that change a device, as opposed to reading it or bracketing the reads.
bool Changes(const std::string& sent) {
  const int command = std::stoi(sent.substr(sent.find(' ') + 1));
  return command == 6 || command == 9 || command == 13 || command == 18;
}

TEST(SetProcessTest, MouseSettingsReachTheMouseAndAreReadBackNextTime) {
  const CtlProcess ctl;
  const CtlResult set =
      ctl.Run({"--simulate", "set", "mouse", "--dpi3", "6400", "--dpi3-colour", "123456",
               "--report-rate", "500", "--mode", "2", "--brightness", "5", "--speed", "11",
               "--direction", "left", "--colour", "00ff80"});
  ASSERT_EQ(set.status, 0) << set.err;

  const json mouse = Info(ctl, "mouse");
  EXPECT_EQ(mouse["report_rate_hz"], 500);
  EXPECT_EQ(mouse["dpi_levels"][2]["dpi"], 6400);
  EXPECT_EQ(mouse["dpi_levels"][2]["colour"], "123456");
  EXPECT_EQ(mouse["lighting"],
            json::parse(R"({"mode":2,"brightness":5,"speed":11,"direction":"left",
                            "seven_colour":false,"colour":"00ff80"})"));
}

TEST(SetProcessTest, InfoNamesFunctionsInEnglish) {
  const CtlProcess ctl;
  const json mouse = Info(ctl, "mouse");
  ASSERT_EQ(mouse["buttons"].size(), 9U);
  EXPECT_EQ(mouse["buttons"][0]["assignment"], "100100");
  EXPECT_EQ(mouse["buttons"][0]["function"], "Left click");
  const json keyboard = Info(ctl, "keyboard");
  ASSERT_EQ(keyboard["keys"].size(), keyboard["key_count"]);
  // The keyboard's first key in its scan order is Esc.
  EXPECT_EQ(keyboard["keys"][0]["assignment"], "200029");
  EXPECT_EQ(keyboard["keys"][0]["key_name"], "Esc");
  EXPECT_EQ(keyboard["keys"][0]["function"], "Esc");
}

TEST(SetProcessTest, ASlotSwitchComesBeforeTheSettingsThatFollowIt) {
  const CtlProcess ctl;
  ASSERT_EQ(ctl.Run({"--simulate", "set", "pad", "--slot", "3", "--mode", "4"}).status, 0);
  const json pad = Info(ctl, "pad");
  EXPECT_EQ(pad["active_slot"], 3);
  EXPECT_EQ(pad["lighting"]["mode"], 4);
  ASSERT_EQ(ctl.Run({"--simulate", "set", "pad", "--slot", "0"}).status, 0);
  EXPECT_NE(Info(ctl, "pad")["lighting"]["mode"], 4) << "slot 0 kept its own lighting";
}

TEST(SetProcessTest, KeyboardLightingIsTheKeyboardsOwnRecord) {
  const CtlProcess ctl;
  ASSERT_EQ(
      ctl.Run({"--simulate", "set", "keyboard", "--mode", "18", "--seven-colour", "on"}).status, 0);
  const json keyboard = Info(ctl, "keyboard");
  EXPECT_EQ(keyboard["model"], 0);
  EXPECT_EQ(keyboard["lighting"]["mode"], 18);
  EXPECT_EQ(keyboard["lighting"]["seven_colour"], true);
}

TEST(SetProcessTest, FactoryResetRestoresWhatTheMouseCameWith) {
  const CtlProcess ctl;
  const json factory = Info(ctl, "mouse");
  ASSERT_EQ(ctl.Run({"--simulate", "set", "mouse", "--report-rate", "125"}).status, 0);
  ASSERT_EQ(ctl.Run({"--simulate", "set", "mouse", "--factory-reset"}).status, 0);
  EXPECT_EQ(Info(ctl, "mouse")["report_rate_hz"], factory["report_rate_hz"]);
}

struct Refusal {
  std::vector<std::string> arguments;
  std::string reason;  // a part of the message
};

TEST(SetProcessTest, BadValuesAreRefusedWithTwoAndNothingChanges) {
  const std::vector<Refusal> refusals = {
      {{"mouse", "--brightness", "15"}, "brightness must be from 0 to 14"},
      {{"mouse", "--dpi2", "700"}, "dpi2 must be one of"},
      {{"mouse", "--report-rate", "300"}, "report-rate must be"},
      {{"mouse", "--colour", "12345g"}, "six hexadecimal digits"},
      {{"mouse", "--mode", "6"}, "mode must be from 0 to 5"},
      {{"mouse", "--slot", "6"}, "slot must be from 0 to 5"},
      {{"pad", "--slot", "5"}, "slot must be from 0 to 4"},
      {{"pad", "--dpi1", "800"}, "the pad has no setting --dpi1"},
      {{"keyboard", "--mode", "19"}, "mode must be from 0 to 18 on this keyboard"},
      {{"keyboard", "--slot", "1"}, "the keyboard has no setting --slot"},
      {{"keyboard", "--factory-reset"}, "no factory reset"},
      {{"mouse", "--factory-reset", "--mode", "1"}, "--factory-reset is given alone"},
      {{"mouse", "--direction", "up"}, "left or right"},
      {{"mouse"}, "nothing to set"},
      {{"toaster", "--mode", "1"}, "unknown device"},
  };
  const CtlProcess ctl;
  const std::filesystem::path trace = ctl.folder() / "trace";
  for (const Refusal& refusal : refusals) {
    std::vector<std::string> arguments = {"--simulate", "--sim-trace", trace.string(), "set"};
    arguments.insert(arguments.end(), refusal.arguments.begin(), refusal.arguments.end());
    const CtlResult result = ctl.Run(arguments);
    EXPECT_EQ(result.status, 2) << refusal.reason;
    EXPECT_NE(result.err.find(refusal.reason), std::string::npos) << result.err;
  }
  const std::vector<std::string> sent = SentCommands(trace);
  EXPECT_FALSE(sent.empty()) << "the keyboard's mode limit needs the keyboard read first";
  EXPECT_EQ(std::count_if(sent.begin(), sent.end(), Changes), 0);
}

TEST(SetProcessTest, AMissingDeviceIsADeviceErrorNotAUsageError) {
  const CtlProcess ctl;
  const CtlResult result = ctl.Run({"--simulate=kb,ms", "set", "pad", "--mode", "1"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("no pad is connected"), std::string::npos) << result.err;
  EXPECT_EQ(ctl.Run({"--simulate=kb", "info", "mouse"}).status, 1);
}

}  // namespace
}  // namespace vandrel::testing
