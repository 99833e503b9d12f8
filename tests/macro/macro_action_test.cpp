// Action lines read from the right with the decimal-prefix rule, written back so that they read
// the same, and the mouse table that names the mouse steps.
#include "macro/macro_action.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "macro/mouse_action_table.h"

namespace vandrel {
namespace {

struct ParseCase {
  const char* line;
  std::uint16_t delay;
  std::uint8_t code;
  std::uint8_t value;
  std::uint16_t pressed;
  const char* name;
};

TEST(MacroActionTest, LinesParseFromTheRightWithEachNumberCutToItsField) {
  const ParseCase cases[] = {
      {"10,1,138,4,1,keyboard_key_A", 266, 138, 4, 1, "keyboard_key_A"},
      // Six numbers: the text left of the fifth comma from the right is "1,2", which reads 1.
      {"1,2,3,4,5,6,x", 1 + 256 * 3, 4, 5, 6, "x"},
      {"0,0,0,0,0,", 0, 0, 0, 0, ""},
      {"255,255,255,255,65535,n", 65535, 255, 255, 65535, "n"},
      // Cut to 8 bits (16 for pressed); negative numbers wrap like the unsigned field.
      {"256,257,394,300,65537,n", 0 + 256 * 1, 138, 44, 1, "n"},
      {"-1,0,-118,-1,-1,n", 255, 138, 255, 65535, "n"},
      // Leading digits make the number; a sign and leading blanks are allowed, junk reads 0.
      {" 12ms, +1 ,1x0,abc,1.9,name with spaces", 12 + 256, 1, 0, 1, "name with spaces"},
      // A number past int saturates before it is cut.
      {"99999999999,0,0,0,0,n", 255, 0, 0, 0, "n"},
      // The name is whatever follows the last comma, blanks included.
      {"0,0,10,4,1, keyboard_key_A ", 0, 10, 4, 1, " keyboard_key_A "},
  };
  for (const ParseCase& c : cases) {
    const std::optional<MacroAction> action = ParseAction(c.line);
    ASSERT_TRUE(action.has_value()) << c.line;
    EXPECT_EQ(action->delay, c.delay) << c.line;
    EXPECT_EQ(action->code, c.code) << c.line;
    EXPECT_EQ(action->value, c.value) << c.line;
    EXPECT_EQ(action->pressed, c.pressed) << c.line;
    EXPECT_EQ(action->name, c.name) << c.line;
  }
}

TEST(MacroActionTest, LinesWithFewerThanFiveCommasDoNotParse) {
  for (const char* line : {"", "0", "keyboard_key_A", "1,2,3,4,name", "1,2,3,4,5"}) {
    EXPECT_FALSE(ParseAction(line).has_value()) << line;
  }
  EXPECT_TRUE(ParseAction(",,,,,").has_value());
}

TEST(MacroActionTest, FormattedActionsReadBackTheSameAndCanonicalLinesFormatToThemselves) {
  const MacroAction actions[] = {
      {266, 0x0A, 4, 0, "keyboard_key_A"},
      {65535, 0x84, 255, 1, "mouse_move_to_left_text"},
      {256, 0x89, 0x80, 65535, "keyboard_key_RWin"},
      {7, 0x01, 16, 0, ""},
      {1, 0x81, 1, 1, "a name; with = signs and \"quotes\""},
  };
  for (const MacroAction& action : actions) {
    const std::string line = FormatAction(action);
    EXPECT_EQ(ParseAction(line), action) << line;
  }
  for (const char* line : {"10,1,138,4,1,keyboard_key_A", "0,0,1,16,0,mouse_key_forward",
                           "255,255,5,255,0,mouse_move_to_down_text"}) {
    EXPECT_EQ(FormatAction(*ParseAction(line)), line);
  }
  // A line that is not in the canonical form reads like its canonical form.
  const std::string canonical = FormatAction(*ParseAction("1,2,3,4,5,6,x"));
  EXPECT_EQ(canonical, "1,3,4,5,6,x");
}

struct RowCase {
  std::size_t row;
  std::uint16_t message;
  std::uint8_t code;
  std::uint8_t value;
  const char* name;
};

TEST(MouseActionTableTest, RowsNameTheButtonsAndMovesInTheEditorsOrder) {
  const RowCase cases[] = {
      {0, 0x201, 0x81, 1, "mouse_key_left"},       {1, 0x202, 0x01, 1, "mouse_key_left"},
      {2, 0x204, 0x81, 2, "mouse_key_right"},      {3, 0x205, 0x01, 2, "mouse_key_right"},
      {4, 0x207, 0x81, 4, "mouse_key_middle"},     {5, 0x208, 0x01, 4, "mouse_key_middle"},
      {6, 0x20B, 0x81, 16, "mouse_key_forward"},   {7, 0x20C, 0x01, 16, "mouse_key_forward"},
      {8, 0x20B, 0x81, 8, "mouse_key_back"},       {9, 0x20C, 0x01, 8, "mouse_key_back"},
      {10, 0, 0x84, 0, "mouse_move_to_left_text"}, {11, 0, 0x04, 0, "mouse_move_to_right_text"},
      {12, 0, 0x85, 0, "mouse_move_to_up_text"},   {13, 0, 0x05, 0, "mouse_move_to_down_text"},
      {14, 0x20A, 0, 0, "mouse_cursor_text"},      {15, 0, 0, 0, "mouse_text"},
  };
  ASSERT_EQ(MouseActionTable().size(), std::size(cases));
  for (const RowCase& c : cases) {
    const MouseActionRow& row = MouseActionTable()[c.row];
    EXPECT_EQ(row.message, c.message) << c.row;
    EXPECT_EQ(row.code, c.code) << c.row;
    EXPECT_EQ(row.value, c.value) << c.row;
    EXPECT_EQ(row.name, c.name) << c.row;
  }
}

TEST(MouseActionTableTest, EveryStepRowMakesAStepThatFindsItsRowAgain) {
  for (std::size_t row = 0; row < kMouseStepRowCount; ++row) {
    const bool move = row >= kFirstMoveRow;
    for (const std::uint8_t distance : std::array<std::uint8_t, 3>{0, 30, 255}) {
      const MacroAction step = MouseStep(row, distance);
      const MouseActionRow& source = MouseActionTable()[row];
      EXPECT_EQ(step.value, move ? distance : source.value) << row;
      EXPECT_EQ(step.pressed, step.flag() ? 1 : 0) << row;
      EXPECT_EQ(step.name, source.name) << row;
      EXPECT_EQ(step.IsMove(), move) << row;
      EXPECT_EQ(MouseRowOf(step), row) << row << " " << int{distance};
    }
  }
}

TEST(MouseActionTableTest, StepsOfNoRowFindNone) {
  const MacroAction unknown[] = {
      {0, 0x8A, 4, 1, "keyboard_key_A"},  // keyboard family
      {0, 0x81, 3, 1, "mouse_key_left"},  // no button has value 3
      {0, 0x02, 1, 0, "x"},               // a mouse-family kind no row makes
      {0, 0x00, 0, 0, "mouse_text"},
  };
  for (const MacroAction& action : unknown) {
    EXPECT_EQ(MouseRowOf(action), std::nullopt) << FormatAction(action);
  }
  // A move's row depends on its kind and direction only, whatever the name says.
  EXPECT_EQ(MouseRowOf({0, 0x85, 9, 0, "mouse_move_to_left_text"}), 12u);
}

}  // namespace
}  // namespace vandrel
