// `assign` as a user runs it: each function reaches the simulated device's key page and `info`
// reads it back under the name it was given by; refusals say why in one line, exit with 2 and send
// no change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

std::vector<std::string> Assign(const std::filesystem::path& trace,
                                const std::vector<std::string>& arguments) {
  std::vector<std::string> all = {"--simulate", "--json", "--sim-trace", trace.string(), "assign"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return all;
}

// The commands of `sent` that write to a device, without the configuration bracket; the chunks of
// one transfer count once.
std::vector<std::string> Writes(const std::vector<std::string>& sent) {
  std::vector<std::string> writes;
  for (const std::string& command : sent) {
    const int number = std::stoi(command.substr(command.find(' ') + 1));
    const bool writes_device =
        number == 6 || number == 9 || number == 13 || number == 18 || number == 21;
    if (writes_device && (writes.empty() || writes.back() != command)) writes.push_back(command);
  }
  return writes;
}

bool SameLetters(const json& name, const std::string& word) {
  if (!name.is_string()) return false;
  const std::string text = name;
  return std::ranges::equal(text, word, [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

TEST(AssignProcessTest, EachFunctionReachesTheKeyPageAndInfoNamesItSo) {
  struct Case {
    std::string device;
    std::string target;
    std::string function;
    std::size_t entry;       // the button's number; keys are found by their name in info
    std::string assignment;  // the three bytes as info shows them
    json shown;              // the function's name in info
  };
  const Case cases[] = {
      {"mouse", "forward", "Copy (Ctrl+C)", 3, "200106", "Copy (Ctrl+C)"},
      {"mouse", "8", "media player", 8, "308301", "Media player"},
      {"mouse", "back", "tilt:right:5:3:2", 4, "113285", "Tilt right"},
      {"mouse", "DPI", "Recoil table 2", 5, "720100", "Recoil table 2"},
      {"mouse", "Wheel", "disabled", 1, "f00000", "Disabled"},
      {"mouse", "second dpi", "macro:Second:x3", 6, "710103", "macro 1"},
      {"mouse", "button 7", "key:ctrl+shift+a", 7, "200304", "Left Ctrl+Left Shift+A"},
      // The left click may leave button 0 once button 2 has it too.
      {"mouse", "right", "Left click", 2, "100100", "Left click"},
      {"mouse", "left", "fire:3:40", 0, "140328", "Fire key"},
      {"mouse", "left", "default", 0, "100100", "Left click"},
      {"mouse", "right", "default", 2, "100200", "Right click"},
      {"keyboard", "Esc", "key:rctrl+F5", 0, "20103e", "Right Ctrl+F5"},
      {"keyboard", "f1", "macro:First:2", 0, "700002", "macro 0"},
      // A key's name comes before a key's number.
      {"keyboard", "2", "wheel:down:9", 0, "120089", "Scroll down"},
      {"keyboard", "Esc", "DEFAULT", 0, "200029", "Esc"},
  };
  const CtlProcess ctl;
  ASSERT_EQ(ctl.Run({"macro", "add", "mouse", "First"}).status, 0);
  ASSERT_EQ(ctl.Run({"macro", "add", "mouse", "Second"}).status, 0);
  ASSERT_EQ(ctl.Run({"macro", "add", "keyboard", "First"}).status, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device + " " + c.target + " " + c.function);
    const std::filesystem::path trace = ctl.folder() / ("trace" + c.assignment);
    const CtlResult run = ctl.Run(Assign(trace, {c.device, c.target, c.function}));
    ASSERT_EQ(run.status, 0) << run.err;
    const json report = json::parse(run.out);
    EXPECT_EQ(report["assignment"], c.assignment);
    // A macro binding reminds that the macros themselves are download's to send.
    EXPECT_EQ(report.contains("macros"), c.function.starts_with("macro:"));
    // The key page alone: no macro image, no settings.
    EXPECT_EQ(Writes(SentCommands(trace)),
              std::vector<std::string>{(c.device == "mouse" ? "ms 9" : "kb 9")});

    const json info = Info(ctl, c.device);
    json entry = c.device == "mouse" ? info["buttons"][c.entry] : json();
    for (const json& key : info.value("keys", json::array())) {
      if (SameLetters(key["key_name"], c.target)) entry = key;
    }
    ASSERT_TRUE(entry.is_object());
    EXPECT_EQ(entry["assignment"], c.assignment);
    EXPECT_EQ(entry["function"], c.shown);
  }
}

TEST(AssignProcessTest, WhatTheKeyPagesRefuseIsRefusedWithTwoAndNothingChanges) {
  struct Refusal {
    std::vector<std::string> arguments;
    std::string reason;  // a part of the message
  };
  const std::vector<Refusal> refusals = {
      {{"mouse", "left", "Back"}, "only button with the left click"},
      {{"mouse", "0", "disabled"}, "only button with the left click"},
      {{"mouse", "9", "A"}, "the mouse has no button \"9\""},
      {{"mouse", "thumb", "A"}, "left, wheel, right"},
      {{"mouse", "forward", "Jump"}, "unknown function \"Jump\""},
      {{"mouse", "forward", "macro:nosuch"}, "no macro called \"nosuch\""},
      {{"mouse", "forward", "macro:First:5"}, "repeat mode 0-3"},
      {{"mouse", "forward", "Tilt left"}, "needs its values"},
      {{"mouse", "forward", "fire:0:1"}, "FIRST 1-255"},
      {{"keyboard", "Menu", "A"}, "the key page leaves it as it is"},
      {{"keyboard", "Esc", "Recoil table 1"}, "only a mouse button can"},
      {{"keyboard", "Esc", "key:ctrl+a+b"}, "one key besides"},
      {{"keyboard", "Hyper", "A"}, "the keyboard has no key \"Hyper\""},
      {{"keyboard", "999", "A"}, "the keyboard has no key \"999\""},
      {{"pad", "1", "A"}, "assign takes mouse BUTTON FUNCTION"},
      {{"mouse", "forward"}, "assign takes mouse BUTTON FUNCTION"},
  };
  const CtlProcess ctl;
  ASSERT_EQ(ctl.Run({"macro", "add", "mouse", "First"}).status, 0);
  const std::filesystem::path trace = ctl.folder() / "trace";
  for (const Refusal& refusal : refusals) {
    const CtlResult result = ctl.Run(Assign(trace, refusal.arguments));
    EXPECT_EQ(result.status, 2) << refusal.reason;
    EXPECT_NE(result.err.find(refusal.reason), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
  }
  const std::vector<std::string> sent = SentCommands(trace);
  EXPECT_FALSE(sent.empty()) << "the names of buttons and keys need the device read first";
  EXPECT_EQ(Writes(sent), std::vector<std::string>{});
}

// The type a disabled button is written with is one the profile checks take, so that a profile
// saved with it applies again.
TEST(AssignProcessTest, ADisabledButtonSurvivesAProfileSavedAndAppliedAgain) {
  const CtlProcess ctl;
  const std::string profile = (ctl.folder() / "keys.pro").string();
  ASSERT_EQ(ctl.Run({"--simulate", "assign", "mouse", "back", "disabled"}).status, 0);
  ASSERT_EQ(ctl.Run({"--simulate", "profile", "save", "mouse", profile}).status, 0);
  ASSERT_EQ(ctl.Run({"--simulate", "assign", "mouse", "back", "Back"}).status, 0);

  const CtlResult apply = ctl.Run({"--simulate", "profile", "apply", profile});
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(Info(ctl, "mouse")["buttons"][4]["function"], "Disabled");
}

TEST(AssignProcessTest, AMouseMissingOrWithoutAKeyPageIsADeviceError) {
  const CtlProcess ctl;
  const CtlResult missing = ctl.Run({"--simulate=kb", "assign", "mouse", "forward", "A"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no mouse is connected"), std::string::npos) << missing.err;

  // The sixth slot has no key page to write.
  ASSERT_EQ(ctl.Run({"--simulate", "set", "mouse", "--slot", "5"}).status, 0);
  const std::filesystem::path trace = ctl.folder() / "trace";
  const CtlResult no_page = ctl.Run(Assign(trace, {"mouse", "forward", "A"}));
  EXPECT_EQ(no_page.status, 1);
  EXPECT_NE(no_page.err.find("slot 5 has no key page"), std::string::npos) << no_page.err;
  EXPECT_EQ(Writes(SentCommands(trace)), std::vector<std::string>{});
}

}  // namespace
}  // namespace vandrel::testing
