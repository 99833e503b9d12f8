// Profile files made by vandrelctl itself, shown, refused when damaged and applied back.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using nlohmann::json;

class ProfileProcessTest : public ::testing::Test {
 protected:
  CtlResult Ctl(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), "--simulate");
    return ctl_.Run(arguments);
  }
  json Json(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), "--json");
    const CtlResult result = Ctl(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return json::parse(result.out);
  }
  std::string File(const std::string& name) const { return (ctl_.folder() / name).string(); }

  CtlProcess ctl_;
};

TEST_F(ProfileProcessTest, ASavedLightProfileBringsTheMouseBackAfterAReset) {
  ASSERT_EQ(Ctl({"set", "mouse", "--dpi1", "1600", "--mode", "4", "--colour", "abcdef"}).status, 0);
  const json before = Json({"info", "mouse"});
  ASSERT_EQ(Ctl({"profile", "save", "mouse", File("mine.led")}).status, 0);
  EXPECT_EQ(std::filesystem::file_size(File("mine.led")), 16U + 64U);

  const json shown = Json({"profile", "show", File("mine.led")});
  EXPECT_EQ(shown["device"], "mouse");
  EXPECT_EQ(shown["header_kind"], 2);
  EXPECT_EQ(shown["record"]["dpi_levels"], before["dpi_levels"]);
  EXPECT_EQ(shown["record"]["lighting"], before["lighting"]);

  ASSERT_EQ(Ctl({"set", "mouse", "--factory-reset"}).status, 0);
  ASSERT_NE(Json({"info", "mouse"})["lighting"], before["lighting"]);
  ASSERT_EQ(Ctl({"profile", "apply", File("mine.led")}).status, 0);
  const json after = Json({"info", "mouse"});
  EXPECT_EQ(after["dpi_levels"], before["dpi_levels"]);
  EXPECT_EQ(after["lighting"], before["lighting"]);
}

TEST_F(ProfileProcessTest, DeviceProfilesCarryKeysAndLightingOfEachDevice) {
  ASSERT_EQ(Ctl({"set", "keyboard", "--mode", "7", "--brightness", "3"}).status, 0);
  ASSERT_EQ(Ctl({"profile", "save", "keyboard", File("kb.config")}).status, 0);
  EXPECT_EQ(std::filesystem::file_size(File("kb.config")), 16U + 2470U);
  const json shown = Json({"profile", "show", File("kb.config")});
  const json keyboard = Json({"info", "keyboard"});
  EXPECT_EQ(shown["lighting"], keyboard["lighting"]);
  ASSERT_EQ(shown["keys"].size(), keyboard["keys"].size());
  EXPECT_EQ(shown["keys"][0]["assignment"], keyboard["keys"][0]["assignment"]);

  ASSERT_EQ(Ctl({"set", "keyboard", "--mode", "1"}).status, 0);
  const std::filesystem::path trace = ctl_.folder() / "trace";
  ASSERT_EQ(Ctl({"--sim-trace", trace.string(), "profile", "apply", File("kb.config")}).status, 0);
  EXPECT_EQ(Json({"info", "keyboard"})["lighting"]["mode"], 7);
  const std::vector<std::string> sent = SentCommands(trace);
  EXPECT_NE(std::find(sent.begin(), sent.end(), "kb 9"), sent.end()) << "the key page is written";
}

TEST_F(ProfileProcessTest, PadProfilesRoundTrip) {
  ASSERT_EQ(Ctl({"set", "pad", "--mode", "6", "--speed", "2"}).status, 0);
  ASSERT_EQ(Ctl({"profile", "save", "pad", File("pad.led")}).status, 0);
  ASSERT_EQ(Ctl({"set", "pad", "--mode", "1"}).status, 0);
  ASSERT_EQ(Ctl({"profile", "apply", File("pad.led")}).status, 0);
  const json pad = Json({"info", "pad"});
  EXPECT_EQ(pad["lighting"]["mode"], 6);
  EXPECT_EQ(pad["lighting"]["speed"], 2);
}

// The mouse's record keeps its active level as 0-5; the output counts levels from 1 everywhere.
TEST_F(ProfileProcessTest, TheActiveDpiLevelCountsFromOneLikeTheLevelLines) {
  const json mouse = Json({"info", "mouse"});
  EXPECT_EQ(mouse["active_dpi_level"], 2) << "the simulated mouse starts on byte 1";
  EXPECT_EQ(mouse["dpi_levels"][1]["level"], 2);
  const std::string text = Ctl({"info", "mouse"}).out;
  EXPECT_NE(text.find("\nactive_dpi_level: 2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  level=2 "), std::string::npos) << text;

  ASSERT_EQ(Ctl({"profile", "save", "mouse", File("mine.led")}).status, 0);
  std::string led = ReadFile(File("mine.led"));
  constexpr std::size_t kActiveDpiByte = 16 + 19;  // after the file's header
  const std::vector<std::pair<std::uint8_t, json>> levels = {
      {0, 1}, {5, 6}, {6, nullptr}, {0xFF, nullptr}};
  for (const auto& [byte, level] : levels) {
    led[kActiveDpiByte] = static_cast<char>(byte);
    WriteFile(File("mine.led"), led);
    EXPECT_EQ(Json({"profile", "show", File("mine.led")})["record"]["active_dpi_level"], level)
        << int{byte};
    const std::string shown = level.is_null() ? "-" : level.dump();
    EXPECT_NE(
        Ctl({"profile", "show", File("mine.led")}).out.find("  active_dpi_level: " + shown + "\n"),
        std::string::npos)
        << int{byte};
  }
}

TEST_F(ProfileProcessTest, DamagedOrForeignFilesAreRefusedAndNothingIsSent) {
  ASSERT_EQ(Ctl({"profile", "save", "mouse", File("good.led")}).status, 0);
  const std::string good = ReadFile(File("good.led"));
  WriteFile(File("signature.led"), "\x55\xAA" + good.substr(2));
  WriteFile(File("short.led"), good.substr(0, good.size() - 1));
  WriteFile(File("long.led"), good + '\0');
  WriteFile(File("renamed.pro"), good);
  WriteFile(File("empty.led"), "");
  std::string pad_kind = good;
  pad_kind[4] = 3;
  WriteFile(File("pad_kind.config"), pad_kind);

  const std::vector<std::pair<std::string, std::string>> refusals = {
      {"signature.led", "wrong signature"}, {"short.led", "holds 63 bytes"},
      {"long.led", "holds 65 bytes"},       {"renamed.pro", "a mouse key profile (.pro) holds 512"},
      {"empty.led", "wrong signature"},     {"pad_kind.config", "names no device with .config"},
      {"missing.led", "cannot be read"},    {"good.txt", "not a profile file name"},
  };
  const std::filesystem::path trace = ctl_.folder() / "trace";
  for (const auto& [name, reason] : refusals) {
    for (const std::string verb : {"show", "apply"}) {
      const CtlResult result = Ctl({"--sim-trace", trace.string(), "profile", verb, File(name)});
      EXPECT_EQ(result.status, 2) << name;
      EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    }
  }
  EXPECT_TRUE(SentCommands(trace).empty());
  EXPECT_EQ(Ctl({"profile", "save", "pad", File("pad.pro")}).status, 2);
}

}  // namespace
}  // namespace vandrel::testing
