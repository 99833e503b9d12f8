#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace vandrel::cli {
namespace {

constexpr std::string_view kValues[] = {"mode", "colour"};
constexpr std::string_view kFlags[] = {"preview"};

TEST(ArgumentsTest, WordsOptionsAndFlagsAreSeparated) {
  std::string error;
  const auto split = SplitArguments(
      {"keyboard", "--mode", "3", "--preview", "x", "--colour", "ff0000"}, kValues, kFlags, error);
  ASSERT_TRUE(split.has_value()) << error;
  EXPECT_EQ(split->words, (std::vector<std::string>{"keyboard", "x"}));
  ASSERT_NE(split->Value("mode"), nullptr);
  EXPECT_EQ(*split->Value("mode"), "3");
  EXPECT_EQ(split->Value("speed"), nullptr);
  EXPECT_TRUE(split->Has("preview"));
}

TEST(ArgumentsTest, UnknownRepeatedAndValuelessOptionsAreRefused) {
  std::string error;
  EXPECT_FALSE(SplitArguments({"--speed", "1"}, kValues, kFlags, error).has_value());
  EXPECT_NE(error.find("--speed"), std::string::npos);
  EXPECT_FALSE(SplitArguments({"--mode", "1", "--mode", "2"}, kValues, kFlags, error));
  EXPECT_NE(error.find("twice"), std::string::npos);
  EXPECT_FALSE(SplitArguments({"--mode"}, kValues, kFlags, error));
  EXPECT_NE(error.find("needs a value"), std::string::npos);
}

TEST(ArgumentsTest, NumbersMustBeWholeAndInRange) {
  std::string error;
  EXPECT_EQ(ParseNumber("14", 0, 14, "speed", error), 14);
  EXPECT_EQ(ParseNumber("0x1f", 0, 255, "colour", error), 31);
  EXPECT_EQ(ParseNumber("-2", -5, 5, "offset", error), -2);
  EXPECT_FALSE(ParseNumber("15", 0, 14, "speed", error));
  EXPECT_EQ(error, "speed must be from 0 to 14, not 15");
  EXPECT_FALSE(ParseNumber("7x", 0, 14, "speed", error));
  EXPECT_FALSE(ParseNumber("", 0, 14, "speed", error));
  EXPECT_FALSE(ParseNumber("0x", 0, 14, "speed", error));
  EXPECT_FALSE(ParseNumber("99999999999999999999", 0, 14, "speed", error));
}

TEST(ArgumentsTest, ColoursAreSixHexDigits) {
  std::string error;
  EXPECT_EQ(ParseColour("ff8001", error), (Rgb{0xff, 0x80, 0x01}));
  EXPECT_EQ(ParseColour("#00FF00", error), (Rgb{0, 0xff, 0}));
  EXPECT_FALSE(ParseColour("fff", error));
  EXPECT_FALSE(ParseColour("gg0000", error));
  EXPECT_FALSE(ParseColour("ff00001", error));
}

}  // namespace
}  // namespace vandrel::cli
