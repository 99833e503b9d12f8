// vandrelctl frames as a user runs it: frames worked out by hand from the effect rules, the
// thread's changes between frames, and the refusals.
#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ctl_process.h"

namespace vandrel::testing {
namespace {

using Strings = std::vector<std::string>;

// The output's lines, each split at every space (an empty payload stays an empty field).
std::vector<Strings> FieldsOfLines(const std::string& out) {
  std::vector<Strings> lines;
  std::istringstream text(out);
  for (std::string line; std::getline(text, line);) {
    Strings fields;
    std::istringstream words(line);
    for (std::string field; std::getline(words, field, ' ');) fields.push_back(field);
    if (line.ends_with(' ')) fields.emplace_back();
    lines.push_back(fields);
  }
  return lines;
}

std::string Repeat(const std::string& part, std::size_t times) {
  std::string whole;
  for (std::size_t i = 0; i < times; ++i) whole += part;
  return whole;
}

// The zone keyboard's 36 bytes with every zone in one colour: each zone's red, green and blue go
// to two LEDs' byte positions.
std::string ZonePayload(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  constexpr std::array<std::array<int, 6>, 6> kPositions = {{{22, 23, 21, 19, 20, 18},
                                                             {16, 17, 15, 13, 14, 12},
                                                             {10, 11, 9, 7, 8, 6},
                                                             {5, 4, 3, 1, 2, 0},
                                                             {34, 35, 33, 28, 29, 27},
                                                             {31, 32, 30, 25, 26, 24}}};
  std::array<std::uint8_t, 36> bytes{};
  for (const auto& zone : kPositions) {
    for (std::size_t i = 0; i < zone.size(); ++i) {
      bytes[static_cast<std::size_t>(zone[i])] = std::array{red, green, blue}[i % 3];
    }
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const std::uint8_t byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

class FramesProcessTest : public ::testing::Test {
 protected:
  std::vector<Strings> Frames(const Strings& arguments) const {
    Strings command = {"frames"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const CtlResult result = ctl_.Run(command);
    EXPECT_EQ(result.status, 0) << result.err;
    return FieldsOfLines(result.out);
  }

  CtlProcess ctl_;
};

TEST_F(FramesProcessTest, PadStaticColourIsDimmedByItsLevelTwice) {
  // Brightness 14: the level is 255, the scaled colour stays 255 and is sent as 255 × 255 >> 8.
  const auto bright = Frames({"pad", "--mode", "3", "--colour", "ff0000", "--count", "2"});
  ASSERT_EQ(bright.size(), 2U);
  EXPECT_EQ(bright[0], (Strings{"0", Repeat("fe0000", 15)}));
  EXPECT_EQ(bright[1], (Strings{"1", Repeat("fe0000", 15)}));
  // Brightness 0: level 45; 46 × 255 >> 8 = 45, sent as 45 × 45 >> 8 = 7.
  const auto dim = Frames({"pad", "--mode", "3", "--colour", "ff0000", "--brightness", "0"});
  ASSERT_EQ(dim.size(), 1U);
  EXPECT_EQ(dim[0][1], Repeat("070000", 15));
}

TEST_F(FramesProcessTest, PadColourCycleStepsRoundTheWheelInTheChosenDirection) {
  // Rightward steps back from 0: wheel 191 (255, 0, 0), then 190 (255, 0, 2).
  const auto back = Frames({"pad", "--mode", "1", "--direction", "right", "--count", "2"});
  ASSERT_EQ(back.size(), 2U);
  EXPECT_EQ(back[0][1], Repeat("fe0000", 15));
  EXPECT_EQ(back[1][1], Repeat("fe0001", 15));
  // Leftward: wheel 1 is (255, 3, 0); the preview keeps the undimmed colour and the level.
  const auto on = Frames({"pad", "--mode", "1", "--direction", "left", "--preview"});
  ASSERT_EQ(on.size(), 1U);
  ASSERT_EQ(on[0].size(), 2U + 15U);
  EXPECT_EQ(on[0][1], Repeat("fe0200", 15));
  EXPECT_EQ(on[0][2], "ff0300ff");
  EXPECT_EQ(on[0][16], "ff0300ff");
}

TEST_F(FramesProcessTest, KeyboardWaveStartsOneStepOnAndAdvancesSevenPerColumn) {
  // Seven-colour, leftward: step 1, then 2. Slot 0 (column 2) is LED 0: wheel 15 (255, 73, 0)
  // and wheel 16 (255, 81, 0), sent dimmed by level 255.
  const auto frames =
      Frames({"keyboard", "--mode", "0", "--seven-colour", "--direction", "left", "--count", "2"});
  ASSERT_EQ(frames.size(), 2U);
  ASSERT_EQ(frames[0][1].size(), 2U * 378U);
  EXPECT_EQ(frames[0][1].substr(0, 6), "fe4800");
  EXPECT_EQ(frames[1][1].substr(0, 6), "fe5000");
  // Slot 1 (column 3) is LED 1: wheel 22 (255, 140, 0).
  EXPECT_EQ(frames[0][1].substr(6, 6), "fe8b00");
  // LED 13 belongs to no key.
  EXPECT_EQ(frames[0][1].substr(2 * 3 * 13, 6), "000000");
}

TEST_F(FramesProcessTest, TwinkleHandsOutTheColourCounterThatTheThreadAlsoAdvances) {
  // Frame 0 lights three keys with counters 10, 20, 30; the thread adds 1 after the frame, so
  // frame 1's first key (slot 28) takes 41: wheel 41 is (134, 255, 0). A lit key decays from
  // 255 to 225 in its own frame and shows at 255 × 225 >> 8 = 224.
  const auto frames =
      Frames({"keyboard", "--mode", "9", "--seven-colour", "--count", "2", "--preview"});
  ASSERT_EQ(frames.size(), 2U);
  ASSERT_EQ(frames[1].size(), 2U + 126U);
  EXPECT_EQ(frames[1][2 + 28], "86ff00e0");
  EXPECT_EQ(frames[1][1].substr(2 * 3 * 28, 6), "75df00");  // slot 28 is LED 28
  // Slot 108 lit in frame 0 with counter 10, wheel 10 (255, 38, 0), decays to 195 in frame 1.
  EXPECT_EQ(frames[0][2 + 108], "ff2600e0");
  EXPECT_EQ(frames[1][2 + 108], "ff2600c2");
}

TEST_F(FramesProcessTest, ZoneKeyboardSendsItsZoneColoursAndTheSingleColourOneNothing) {
  // Static 102030 at level 255: each channel × 255 >> 8.
  const auto zones = Frames({"keyboard", "--model", "3", "--mode", "3", "--colour", "102030"});
  ASSERT_EQ(zones.size(), 1U);
  EXPECT_EQ(zones[0], (Strings{"0", ZonePayload(0x0f, 0x1f, 0x2f)}));
  // The single-colour keyboard animates itself: an empty payload; the preview shows the levels.
  const auto single = Frames({"keyboard", "--model", "1", "--mode", "2", "--brightness", "1",
                              "--count", "2", "--preview"});
  ASSERT_EQ(single.size(), 2U);
  EXPECT_EQ(single[1][0], "1");
  EXPECT_EQ(single[1][1], "");
  EXPECT_EQ(single[1][2], "0000003c");  // level 45 + 15
}

TEST_F(FramesProcessTest, SyncRendersEachFollowingDeviceKeyboardFirst) {
  // Colour cycle, rightward: wheel 191, then 190 (255, 0, 2) scaled by 256 / 256.
  const auto both = Frames({"sync", "--mode", "1", "--model", "3", "--count", "2"});
  ASSERT_EQ(both.size(), 2U);
  EXPECT_EQ(both[0], (Strings{"0", ZonePayload(255, 0, 0), Repeat("fe0000", 15)}));
  EXPECT_EQ(both[1], (Strings{"1", ZonePayload(255, 0, 2), Repeat("fe0001", 15)}));
  const auto pad = Frames({"sync", "--mode", "3", "--colour", "00ff00", "--follow", "pad"});
  ASSERT_EQ(pad.size(), 1U);
  EXPECT_EQ(pad[0], (Strings{"0", Repeat("00fe00", 15)}));
  // A single-colour keyboard following the animation is sent nothing.
  const auto single = Frames({"sync", "--mode", "3", "--model", "1", "--follow", "keyboard,pad"});
  ASSERT_EQ(single.size(), 1U);
  EXPECT_EQ(single[0], (Strings{"0", "", Repeat("fefefe", 15)}));
}

TEST_F(FramesProcessTest, TheSeedDecidesTheZoneKeyboardsRandomBreathingColours) {
  // The first colour is drawn when the breath restarts, at frame 127; frame 191 is the brightest
  // of the next breath.
  const Strings arguments = {"keyboard", "--model",        "3",       "--mode",
                             "2",        "--seven-colour", "--count", "192"};
  auto with_seed = [&](const std::string& seed) {
    Strings seeded = arguments;
    seeded.insert(seeded.end(), {"--seed", seed});
    return Frames(seeded);
  };
  const auto first = with_seed("1");
  const auto other = with_seed("19266");
  ASSERT_EQ(first.size(), 192U);
  ASSERT_EQ(other.size(), 192U);
  EXPECT_EQ(first[126], other[126]);
  EXPECT_NE(first[191], other[191]);
  EXPECT_EQ(with_seed("1"), first);
  // Without a seed, the lighting thread's.
  EXPECT_EQ(Frames(arguments), other);
}

TEST_F(FramesProcessTest, JsonCarriesThePayloadAndThePreviewPerDevice) {
  const CtlResult result =
      ctl_.Run({"--json", "frames", "pad", "--mode", "3", "--count", "2", "--preview"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto frames = nlohmann::json::parse(result.out);
  ASSERT_EQ(frames.size(), 2U);
  EXPECT_EQ(frames[1]["frame"], 1);
  EXPECT_EQ(frames[1]["pad"]["payload"], Repeat("fefefe", 15));
  ASSERT_EQ(frames[1]["pad"]["leds"].size(), 15U);
  EXPECT_EQ(frames[1]["pad"]["leds"][14], nlohmann::json({255, 255, 255, 255}));
}

TEST_F(FramesProcessTest, BadValuesAreRefusedWithTheirReasonAndNothingRendered) {
  const std::vector<std::pair<Strings, std::string>> refusals = {
      {{}, "keyboard, pad or sync"},
      {{"mouse"}, "keyboard, pad or sync"},
      {{"pad", "keyboard"}, "keyboard, pad or sync"},
      {{"keyboard", "--mode", "19"}, "--mode must be from 0 to 18"},
      {{"keyboard", "--model", "1", "--mode", "17"}, "--mode must be from 0 to 16"},
      {{"keyboard", "--model", "3", "--mode", "8"}, "--mode must be from 0 to 7"},
      {{"keyboard", "--model", "2"}, "--model must be 0, 1 or 3"},
      {{"keyboard", "--model", "4"}, "--model"},
      {{"pad", "--mode", "10"}, "--mode must be from 0 to 9"},
      {{"sync", "--mode", "4"}, "--mode must be from 0 to 3"},
      {{"pad", "--brightness", "15"}, "--brightness"},
      {{"pad", "--speed", "-1"}, "--speed"},
      {{"pad", "--direction", "2"}, "left or right"},
      {{"pad", "--colour", "red"}, "RRGGBB"},
      {{"pad", "--count", "0"}, "--count"},
      {{"pad", "--count", "10001"}, "--count"},
      {{"keyboard", "--seed", "x"}, "--seed"},
      {{"pad", "--model", "0"}, "--model"},
      {{"keyboard", "--follow", "pad"}, "--follow"},
      {{"sync", "--follow", "mouse"}, "--follow"},
      {{"sync", "--follow", "pad,pad"}, "--follow"},
      {{"sync", "--follow", ""}, "--follow"},
      {{"pad", "--fast"}, "--fast"},
  };
  for (const auto& [arguments, reason] : refusals) {
    Strings command = {"frames"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const CtlResult result = ctl_.Run(command);
    const std::string shown = ::testing::PrintToString(arguments);
    EXPECT_EQ(result.status, 2) << shown;
    EXPECT_EQ(result.out, "") << shown;
    EXPECT_NE(result.err.find(reason), std::string::npos) << shown << ": " << result.err;
  }
}

}  // namespace
}  // namespace vandrel::testing
