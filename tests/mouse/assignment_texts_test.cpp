// The names of key assignments on a mouse button and on a keyboard key, and the language files
// having a text for every identifier they can produce.
#include "mouse/assignment_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "core/file_io.h"
#include "keyboard/key_slot_identity.h"
#include "macro/key_table.h"
#include "mouse/function_lists.h"
#include "ui/text_resources.h"

namespace vandrel {
namespace {

constexpr AssignmentHolder kMouse = AssignmentHolder::kMouseButton;
constexpr AssignmentHolder kKeyboard = AssignmentHolder::kKeyboardKey;

const AssignmentLabel kUnchanged{std::nullopt, true};

AssignmentLabel Id(const char* id) { return {id, true}; }

AssignmentLabel Text(KeyAssignment assignment, AssignmentHolder holder) {
  return AssignmentText(assignment, {}, holder);
}

struct Case {
  KeyAssignment assignment;
  AssignmentLabel mouse;
  AssignmentLabel keyboard;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const KeyAssignment a = c.assignment;
    const std::string where =
        std::to_string(a.type) + "," + std::to_string(a.param1) + "," + std::to_string(a.param2);
    EXPECT_EQ(Text(a, kMouse), c.mouse) << where << " on the mouse";
    EXPECT_EQ(Text(a, kKeyboard), c.keyboard) << where << " on the keyboard";
  }
}

TEST(AssignmentTextsTest, SingleKeysAreNamedByTheirRowUnlessTheyAreACombination) {
  ExpectCases({
      {{0x00, 0x00, 0x04}, Id("keyboard_key_A"), Id("keyboard_key_A")},
      {{0x20, 0x20, 0x00}, Id("keyboard_key_RShift"), Id("keyboard_key_RShift")},
      // The row's type is not compared: a key with the parameters of a media row.
      {{0x20, 0xE9, 0x00}, Id("keyboard_key_Volume Up"), Id("keyboard_key_Volume Up")},
      {{0x20, 0x01, 0x06}, Id("combo_copy"), Id("combo_copy")},
      {{0x00, 0x01, 0x2E}, Id("combo_magnify"), Id("combo_magnify")},
      {{0x20, 0x02, 0x04}, kUnchanged, kUnchanged},  // Shift+A is neither
  });
}

TEST(AssignmentTextsTest, WinDShowsTheWindowOnlyOnAMouseButton) {
  ExpectCases({
      {{0x20, 0x08, 0x07}, Id("show_window"), kUnchanged},
      {{0x00, 0x08, 0x07}, Id("show_window"), kUnchanged},
      {{0x20, 0x08, 0x08}, kUnchanged, kUnchanged},
  });
}

TEST(AssignmentTextsTest, ListFunctionsAreNamedByTheirFirstMatchingItem) {
  ExpectCases({
      {{0x10, 0x02, 0x00}, Id("mouse_key_right"), Id("mouse_key_right")},
      {{0x10, 0x08, 0x33}, Id("mouse_key_back"), Id("mouse_key_back")},  // param1 only
      {{0x10, 0x03, 0x00}, kUnchanged, kUnchanged},
      {{0x13, 0x03, 0x09}, Id("mouse_key_DPI_loop"), Id("mouse_key_DPI_loop")},
      {{0x30, 0x83, 0x01}, Id("media_text"), Id("media_text")},
      {{0x21, 0x26, 0x02}, Id("wed_stop"), Id("wed_stop")},
      {{0x30, 0x83, 0x00}, kUnchanged, kUnchanged},  // both bytes of the usage count
      {{0x40, 0x04, 0x00}, Id("system_wake_up"), Id("system_wake_up")},
      {{0x40, 0x04, 0x01}, kUnchanged, kUnchanged},
  });
}

TEST(AssignmentTextsTest, TiltWheelAndFireShowTheirFixedTexts) {
  ExpectCases({
      {{0x11, 0x32, 0x85}, Id("mouse_key_right_Swing"), Id("mouse_key_right_Swing")},
      {{0x11, 0xFF, 0x7F}, Id("mouse_key_left_Swing"), Id("mouse_key_left_Swing")},
      {{0x12, 0x00, 0x80}, Id("mouse_key_down_Swing"), Id("mouse_key_down_Swing")},
      {{0x12, 0x00, 0x05}, Id("mouse_key_up_Swing"), Id("mouse_key_up_Swing")},
      {{0x14, 0x05, 0xFF}, Id("mouse_key_fire_key"), Id("mouse_key_fire_key")},
  });
}

TEST(AssignmentTextsTest, RecoilTablesOnTheMouseAndExtraKeysOnTheKeyboard) {
  ExpectCases({
      {{0x72, 0x03, 0x00}, Id("GUN_4"), Id("close_text")},
      {{0x72, 0x04, 0x00}, kUnchanged, Id("close_text")},
      {{0xD0, 0xA2, 0x03}, Id("close_text"), Id("keyboard_key_G3")},
      {{0xD0, 0xA2, 0x05}, Id("close_text"), Id("keyboard_key_G5")},
      {{0xD0, 0xA2, 0x06}, Id("close_text"), kUnchanged},
      {{0xD0, 0xA1, 0x01}, Id("close_text"), kUnchanged},
  });
}

TEST(AssignmentTextsTest, NamelessTypesKeepTheTextAndUnknownTypesAreClosed) {
  for (std::uint8_t type : std::to_array<std::uint8_t>({0x15, 0x50, 0x60, 0xA0, 0xB0, 0xC0})) {
    ExpectCases({{{type, 0x01, 0x04}, kUnchanged, kUnchanged}});
  }
  for (std::uint8_t type : std::to_array<std::uint8_t>({0x01, 0x05, 0x16, 0x22, 0x73, 0xFF})) {
    ExpectCases({{{type, 0x00, 0x04}, Id("close_text"), Id("close_text")}});
  }
}

TEST(AssignmentTextsTest, MacrosShowTheirOwnNameAsPlainText) {
  std::vector<int> asked;
  const MacroNameLookup names = [&](int macro) -> std::optional<std::string> {
    asked.push_back(macro);
    if (macro == 3) return "Reload";
    return std::nullopt;
  };
  for (AssignmentHolder holder : {kMouse, kKeyboard}) {
    EXPECT_EQ(AssignmentText({0x70, 3, 1}, names, holder), (AssignmentLabel{"Reload", false}));
    EXPECT_EQ(AssignmentText({0x71, 3, 9}, names, holder), (AssignmentLabel{"Reload", false}));
    EXPECT_EQ(AssignmentText({0x70, 7, 0}, names, holder), (AssignmentLabel{std::nullopt, false}));
    EXPECT_EQ(AssignmentText({0x71, 0, 0}, {}, holder), (AssignmentLabel{std::nullopt, false}));
  }
  EXPECT_EQ(asked, (std::vector<int>{3, 3, 7, 3, 3, 7}));
}

TEST(AssignmentTextsTest, KeyOwnNameComesFromTheFactoryAssignment) {
  EXPECT_EQ(KeyOwnName({0x20, 0x00, 0x29}), "keyboard_key_Esc");
  EXPECT_EQ(KeyOwnName({0xD0, 0xA2, 0x02}), "keyboard_key_G2");
  EXPECT_EQ(KeyOwnName(kNoKeyIdentity), std::nullopt);
  // Every key slot of a full-size keyboard that holds a key is named, but the non-US key beside
  // the left Shift (usage 0x64), which the key table leaves out.
  for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
    const KeyAssignment identity = kKeySlotIdentity[slot];
    if (identity.type != assignment_type::kKey || identity == kNoKeyIdentity) continue;
    if (identity.param2 == 0x64) continue;
    EXPECT_TRUE(KeyOwnName(identity).has_value()) << "slot " << slot;
  }
}

// Every identifier a name can be: each row and list item run through the texts of each type,
// plus the fixed texts.
std::set<std::string> ProducibleIdentifiers() {
  std::vector<KeyAssignment> params = {{0, 0x08, 0x07}, {0, 0, 0x80}, {0, 0, 0}};
  for (const KeyRow& row : KeyDisplayRows()) params.push_back(row.Assignment());
  for (const auto& list : {MouseButtonFunctions(), DpiFunctions(), MultimediaFunctions(),
                           SystemFunctions(), KeyCombinations(), RecoilTableFunctions()}) {
    for (const FunctionItem& item : list) params.push_back(item.assignment);
  }
  for (std::uint8_t g = 1; g <= 5; ++g) params.push_back({0, 0xA2, g});
  std::set<std::string> ids;
  for (int type = 0; type <= 0xFF; ++type) {
    for (KeyAssignment a : params) {
      a.type = static_cast<std::uint8_t>(type);
      for (AssignmentHolder holder : {kMouse, kKeyboard}) {
        const AssignmentLabel label = Text(a, holder);
        if (label.text && label.resource_text) ids.insert(*label.text);
      }
    }
  }
  return ids;
}

TEST(AssignmentTextsTest, EveryIdentifierHasATextInEachLanguage) {
  const std::set<std::string> ids = ProducibleIdentifiers();
  // The 125 rows less the repeated one and the three system rows, whose parameters the first
  // three modifiers take first; 44 list items; five extra keys; the five tilt, wheel and fire
  // texts; "show_window" and "close_text".
  EXPECT_EQ(ids.size(), 121u + 44u + 5u + 5u + 2u);
  for (const char* file : {"lan_en.xml", "lan_cn.xml", "lan_sn.xml"}) {
    const FileContents contents =
        ReadWholeFile(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin" / file);
    ASSERT_EQ(contents.status, ReadStatus::kOk) << file;
    const std::optional<LanguageTexts> texts = ParseLanguageFile(contents.bytes);
    ASSERT_TRUE(texts.has_value()) << file;
    for (const std::string& id : ids) EXPECT_TRUE(texts->contains(id)) << file << " lacks " << id;
  }
}

}  // namespace
}  // namespace vandrel
