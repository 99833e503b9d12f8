// Functions for a button or key given by name, with the shipped English texts: every category
// with its value rules, the refusals, and names that read back as what info shows.
#include "mouse/function_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "mouse/assignment_rules.h"
#include "mouse/key_combination.h"
#include "ui/text_resources.h"

namespace vandrel {
namespace {

constexpr AssignmentHolder kMouse = AssignmentHolder::kMouseButton;
constexpr AssignmentHolder kKeyboard = AssignmentHolder::kKeyboardKey;
constexpr KeyAssignment kFactory{0x10, 0x02, 0};

const LanguageTexts& English() {
  static const LanguageTexts texts = [] {
    const FileContents file =
        ReadWholeFile(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin" / "lan_en.xml");
    return ParseLanguageFile(file.bytes).value_or(LanguageTexts{});
  }();
  return texts;
}

std::string EnglishText(std::string_view id) {
  const auto found = English().find(id);
  return found == English().end() ? std::string(id) : found->second;
}

const std::vector<std::string> kMacros = {"jump", "Fire:burst", "reload"};

FunctionNameResult Parse(AssignmentHolder holder, std::string_view name) {
  return FunctionByName(name, {holder, EnglishText, kMacros, kFactory});
}

std::string Bytes(const std::optional<KeyAssignment>& a) {
  if (!a) return "none";
  char text[16];
  std::snprintf(text, sizeof text, "%02x %02x %02x", a->type, a->param1, a->param2);
  return text;
}

TEST(FunctionNamesTest, EveryCategoryGivesTheAssignmentItsPageStores) {
  ASSERT_FALSE(English().empty());
  struct Case {
    AssignmentHolder holder;
    const char* name;
    KeyAssignment expected;
  };
  const Case cases[] = {
      {kMouse, "Left click", {0x10, 0x01, 0}},
      {kMouse, "  middle CLICK ", {0x10, 0x04, 0}},
      {kKeyboard, "Back", {0x10, 0x08, 0}},
      {kMouse, "DPI cycle", {0x13, 3, 0}},
      {kKeyboard, "DPI up", {0x13, 1, 0}},
      {kMouse, "Media player", {0x30, 0x83, 0x01}},
      {kMouse, "Browser stop", {0x30, 0x26, 0x02}},
      {kKeyboard, "Volume Up", {0x30, 0xE9, 0}},
      {kMouse, "Power off", {0x40, 1, 0}},
      {kKeyboard, "Wake up", {0x40, 4, 0}},
      {kMouse, "Copy (Ctrl+C)", {0x20, 0x01, 0x06}},
      {kKeyboard, "zoom in (ctrl+=)", {0x20, 0x01, 0x2E}},
      {kMouse, "Recoil table 3", {0x72, 2, 0}},
      {kMouse, "A", {0x20, 0, 0x04}},
      {kKeyboard, "Num Enter", {0x20, 0, 0x58}},
      {kKeyboard, "Right Shift", {0x20, 0x20, 0}},
      {kMouse, "Show window", {0x20, 0x08, 0x07}},
      {kMouse, "disabled", {0xF0, 0, 0}},
      {kKeyboard, "Disabled", {0xF0, 0, 0}},
      {kMouse, "Default", kFactory},
      // Macros by catalogue position; the repeat mode or play count in param2.
      {kMouse, "macro:reload", {0x70, 2, 0}},
      {kMouse, "macro:JUMP:3", {0x70, 0, 3}},
      {kKeyboard, "macro:jump:x7", {0x71, 0, 7}},
      {kMouse, "macro:Fire:burst", {0x70, 1, 0}},
      {kMouse, "macro:fire:burst:x255", {0x71, 1, 255}},
      // Key combinations: modifier bits in param1, one usage in param2.
      {kMouse, "key:ctrl+shift+a", {0x20, 0x03, 0x04}},
      {kKeyboard, "key:rctrl+Num +", {0x20, 0x10, 0x57}},
      {kMouse, "key:right alt+F5", {0x20, 0x40, 0x3E}},
      {kMouse, "key:Left Shift + xiegang", {0x20, 0x02, 0x31}},
      {kKeyboard, "key:ctrl+,", {0x20, 0x01, 0x36}},
      {kMouse, "key:win", {0x20, 0x08, 0}},
      {kMouse, "key:lwin+rwin+d", {0x20, 0x88, 0x07}},
      {kKeyboard, "key:caps lock", {0x20, 0, 0x39}},
      // Tilt and wheel: nibbles in param1, direction bit and value in param2.
      {kMouse, "tilt:right:5:3:2", {0x11, 0x32, 0x85}},
      {kKeyboard, "tilt:left:127", {0x11, 0, 0x7F}},
      {kMouse, "wheel:down:0:15:15", {0x12, 0xFF, 0x80}},
      {kMouse, "WHEEL:Up:1", {0x12, 0, 0x01}},
      {kMouse, "fire:1:0", {0x14, 1, 0}},
      {kKeyboard, "fire:255:255", {0x14, 255, 255}},
  };
  for (const Case& c : cases) {
    const FunctionNameResult result = Parse(c.holder, c.name);
    EXPECT_EQ(Bytes(result.assignment), Bytes(c.expected)) << c.name << ": " << result.problem;
  }
}

TEST(FunctionNamesTest, WhatNoPageAllowsIsRefusedWithAReason) {
  struct Case {
    AssignmentHolder holder;
    const char* name;
    const char* reason;  // a part of the problem
  };
  const Case cases[] = {
      {kMouse, "", "unknown function"},
      {kMouse, "Jump", "unknown function"},
      {kKeyboard, "G1", "unknown function"},
      {kMouse, "Tilt left", "tilt:left|right"},
      {kKeyboard, "Scroll down", "wheel:up|down"},
      {kMouse, "Fire key", "fire:FIRST:SECOND"},
      {kKeyboard, "Recoil table 1", "only a mouse button"},
      {kKeyboard, "Show window", "only a mouse button"},
      {kMouse, "macro:nosuch", "no macro called \"nosuch\""},
      {kMouse, "macro:", "no macro called"},
      {kMouse, "macro:jump:4", "repeat mode 0-3"},
      {kMouse, "macro:jump:x0", "1-255"},
      {kMouse, "macro:jump:x256", "1-255"},
      {kMouse, "macro:jump:", "repeat mode"},
      {kMouse, "key:", "needs a key"},
      {kMouse, "key:ctrl+a+b", "one key besides"},
      {kKeyboard, "key:ctrl+Volume Up", "no key called \"Volume Up\""},
      {kMouse, "key:hyper+a", "no key called \"hyper\""},
      {kMouse, "key:ctrl+", "no key called"},
      {kMouse, "tilt:up:5", "VALUE 0-127"},
      {kMouse, "tilt:left:128", "VALUE 0-127"},
      {kMouse, "tilt:left:5:16:0", "HIGH and LOW 0-15"},
      {kMouse, "tilt:left:5:1", "HIGH and LOW"},
      {kMouse, "wheel:left:1", "wheel:up|down"},
      {kMouse, "wheel:up:-1", "VALUE 0-127"},
      {kKeyboard, "fire:0:5", "FIRST 1-255"},
      {kKeyboard, "fire:1:256", "SECOND 0-255"},
      {kKeyboard, "fire:1", "fire:FIRST:SECOND"},
  };
  for (const Case& c : cases) {
    const FunctionNameResult result = Parse(c.holder, c.name);
    EXPECT_FALSE(result.assignment.has_value()) << c.name << " gave " << Bytes(result.assignment);
    EXPECT_NE(result.problem.find(c.reason), std::string::npos) << c.name << ": " << result.problem;
    EXPECT_EQ(result.problem.find('\n'), std::string::npos) << c.name;
  }
}

// Whatever name a function is given by, the name info then shows gives the same function back,
// so that no two functions share a shown name.
TEST(FunctionNamesTest, TheNameShownForAnAssignmentGivesItBack) {
  for (const AssignmentHolder holder : {kMouse, kKeyboard}) {
    const std::vector<NamedFunction> names = NamedFunctions(holder, EnglishText);
    ASSERT_GT(names.size(), 150U);
    for (const NamedFunction& named : names) {
      const FunctionNameResult given = Parse(holder, named.name);
      ASSERT_TRUE(given.assignment.has_value()) << named.name;
      const AssignmentLabel label = AssignmentText(*given.assignment, {}, holder);
      ASSERT_TRUE(label.text.has_value()) << named.name;
      const std::string shown = EnglishText(*label.text);
      EXPECT_EQ(Bytes(Parse(holder, shown).assignment), Bytes(given.assignment))
          << named.name << " is shown as " << shown;
    }
  }
}

// Keys with modifiers that no list names are shown by their keys, and that text gives them back.
TEST(FunctionNamesTest, KeysWithModifiersAreNamedByTheirKeysAndReadBack) {
  struct Case {
    KeyAssignment keys;
    std::optional<std::string> shown;
  };
  const Case cases[] = {
      {{0x20, 0x03, 0x04}, "Left Ctrl+Left Shift+A"},
      {{0x20, 0x10, 0x57}, "Right Ctrl+Num +"},
      {{0x20, 0x88, 0}, "Left Win+Right Win"},
      {{0x20, 0x40, 0x2C}, "Right Alt+Space"},
      {{0x20, 0, 0x58}, "Num Enter"},
      {{0x20, 0x01, 0x32}, std::nullopt},  // usage 0x32 is no key of the table
      {{0x20, 0, 0}, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> shown = KeyCombinationText(c.keys, EnglishText);
    EXPECT_EQ(shown, c.shown) << Bytes(c.keys);
    if (!shown) continue;
    EXPECT_EQ(Bytes(Parse(kMouse, *shown).assignment), Bytes(c.keys)) << *shown;
    EXPECT_EQ(Bytes(Parse(kKeyboard, "key:" + *shown).assignment), Bytes(c.keys)) << *shown;
  }
}

TEST(AssignmentRulesTest, TheMouseKeepsALeftClickAndTheKeyPageSkipsTwoSlots) {
  const KeyAssignment right{0x10, 0x02, 0};
  const KeyAssignment left = kLeftClick;
  struct Case {
    std::vector<KeyAssignment> buttons;
    std::size_t button;
    KeyAssignment next;
    bool refused;
  };
  const Case cases[] = {
      {{left, right, right}, 0, right, true},
      {{left, right, right}, 0, left, false},  // no change
      {{left, right, left}, 0, right, false},  // button 2 keeps one
      {{left, right, left}, 2, {0xF0, 0, 0}, false},
      {{right, left, right}, 1, {0x70, 0, 0}, true},
      {{right, right, right}, 1, left, false},
      {{left, right}, 5, right, false},  // no such button
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TakesLastLeftClick(c.buttons, c.button, c.next), c.refused) << "button " << c.button;
  }
  for (std::size_t slot = 0; slot < 126; ++slot) {
    EXPECT_EQ(KeyPageOffersSlot(slot), slot != 110 && slot != 111) << "slot " << slot;
  }
}

}  // namespace
}  // namespace vandrel
