// The desktop's keys as the key pages take them: every key of a US and a German keyboard, by its
// Linux input code, becomes the virtual-key code that names its place and, through the key
// table, the HID usage that same key sends, so a captured key types what it typed; and the
// down/up message and flags of each event.
#include "platform/native_key_map.h"

#include <gmock/gmock.h>

#include <bit>
#include <set>

#include "macro/key_table.h"

namespace vandrel::testing {
namespace {

struct LayoutKey {
  std::uint32_t evdev_code;
  const char* label;  // what the layout prints on the key
  int usage;          // the key's HID keyboard usage; 0 when the pages take no such key
  std::uint16_t virtual_key;
  bool extended;
};

// The usage of the key table's row: modifiers are kept as their bit of the modifier byte.
int UsageThroughKeyTable(const MappedKeyEvent& event) {
  const KeyRow* row = FindKey(HookedVirtualKey(event.key.virtual_key, event.key.flags));
  if (row == nullptr) return 0;
  return row->param1 != 0 ? 0xE0 + std::countr_zero(row->param1) : row->param2;
}

void ExpectLayout(std::span<const LayoutKey> layout) {
  for (const LayoutKey& key : layout) {
    SCOPED_TRACE(::testing::Message() << key.label << " (input code " << key.evdev_code << ")");
    const std::optional<MappedKeyEvent> event =
        MapNativeKey({.evdev_code = key.evdev_code, .pressed = true});
    ASSERT_TRUE(event.has_value());
    EXPECT_EQ(event->key.virtual_key, key.virtual_key);
    EXPECT_EQ((event->key.flags & CapturedKey::kExtended) != 0, key.extended);
    EXPECT_EQ(UsageThroughKeyTable(*event), key.usage);
  }
}

// Usages from the HID usage tables; codes as a US desktop names the keys.
constexpr LayoutKey kUsKeys[] = {
    {1, "Esc", 0x29, 0x1B, false},
    {59, "F1", 0x3A, 0x70, false},
    {60, "F2", 0x3B, 0x71, false},
    {61, "F3", 0x3C, 0x72, false},
    {62, "F4", 0x3D, 0x73, false},
    {63, "F5", 0x3E, 0x74, false},
    {64, "F6", 0x3F, 0x75, false},
    {65, "F7", 0x40, 0x76, false},
    {66, "F8", 0x41, 0x77, false},
    {67, "F9", 0x42, 0x78, false},
    {68, "F10", 0x43, 0x79, false},
    {87, "F11", 0x44, 0x7A, false},
    {88, "F12", 0x45, 0x7B, false},
    {99, "PrtSc", 0x46, 0x2C, true},
    {70, "ScrLk", 0x47, 0x91, false},
    {119, "Pause", 0x48, 0x13, false},
    {41, "`", 0x35, 0xC0, false},
    {2, "1", 0x1E, '1', false},
    {3, "2", 0x1F, '2', false},
    {4, "3", 0x20, '3', false},
    {5, "4", 0x21, '4', false},
    {6, "5", 0x22, '5', false},
    {7, "6", 0x23, '6', false},
    {8, "7", 0x24, '7', false},
    {9, "8", 0x25, '8', false},
    {10, "9", 0x26, '9', false},
    {11, "0", 0x27, '0', false},
    {12, "-", 0x2D, 0xBD, false},
    {13, "=", 0x2E, 0xBB, false},
    {14, "Backspace", 0x2A, 0x08, false},
    {15, "Tab", 0x2B, 0x09, false},
    {16, "Q", 0x14, 'Q', false},
    {17, "W", 0x1A, 'W', false},
    {18, "E", 0x08, 'E', false},
    {19, "R", 0x15, 'R', false},
    {20, "T", 0x17, 'T', false},
    {21, "Y", 0x1C, 'Y', false},
    {22, "U", 0x18, 'U', false},
    {23, "I", 0x0C, 'I', false},
    {24, "O", 0x12, 'O', false},
    {25, "P", 0x13, 'P', false},
    {26, "[", 0x2F, 0xDB, false},
    {27, "]", 0x30, 0xDD, false},
    {43, "\\", 0x31, 0xDC, false},
    {58, "Caps Lock", 0x39, 0x14, false},
    {30, "A", 0x04, 'A', false},
    {31, "S", 0x16, 'S', false},
    {32, "D", 0x07, 'D', false},
    {33, "F", 0x09, 'F', false},
    {34, "G", 0x0A, 'G', false},
    {35, "H", 0x0B, 'H', false},
    {36, "J", 0x0D, 'J', false},
    {37, "K", 0x0E, 'K', false},
    {38, "L", 0x0F, 'L', false},
    {39, ";", 0x33, 0xBA, false},
    {40, "'", 0x34, 0xDE, false},
    {28, "Enter", 0x28, 0x0D, false},
    {42, "Left Shift", 0xE1, 0xA0, false},
    {44, "Z", 0x1D, 'Z', false},
    {45, "X", 0x1B, 'X', false},
    {46, "C", 0x06, 'C', false},
    {47, "V", 0x19, 'V', false},
    {48, "B", 0x05, 'B', false},
    {49, "N", 0x11, 'N', false},
    {50, "M", 0x10, 'M', false},
    {51, ",", 0x36, 0xBC, false},
    {52, ".", 0x37, 0xBE, false},
    {53, "/", 0x38, 0xBF, false},
    {54, "Right Shift", 0xE5, 0xA1, false},
    {29, "Left Ctrl", 0xE0, 0xA2, false},
    {125, "Left Win", 0xE3, 0x5B, true},
    {56, "Left Alt", 0xE2, 0xA4, false},
    {57, "Space", 0x2C, 0x20, false},
    {100, "Right Alt", 0xE6, 0xA5, true},
    {126, "Right Win", 0xE7, 0x5C, true},
    {127, "Menu", 0x65, 0x5D, true},
    {97, "Right Ctrl", 0xE4, 0xA3, true},
    {110, "Insert", 0x49, 0x2D, true},
    {102, "Home", 0x4A, 0x24, true},
    {104, "Page Up", 0x4B, 0x21, true},
    {111, "Delete", 0x4C, 0x2E, true},
    {107, "End", 0x4D, 0x23, true},
    {109, "Page Down", 0x4E, 0x22, true},
    {106, "Right", 0x4F, 0x27, true},
    {105, "Left", 0x50, 0x25, true},
    {108, "Down", 0x51, 0x28, true},
    {103, "Up", 0x52, 0x26, true},
    {69, "Num Lock", 0x53, 0x90, true},
    {98, "Keypad /", 0x54, 0x6F, true},
    {55, "Keypad *", 0x55, 0x6A, false},
    {74, "Keypad -", 0x56, 0x6D, false},
    {78, "Keypad +", 0x57, 0x6B, false},
    {96, "Keypad Enter", 0x58, 0x0D, true},
    {79, "Keypad 1", 0x59, 0x61, false},
    {80, "Keypad 2", 0x5A, 0x62, false},
    {81, "Keypad 3", 0x5B, 0x63, false},
    {75, "Keypad 4", 0x5C, 0x64, false},
    {76, "Keypad 5", 0x5D, 0x65, false},
    {77, "Keypad 6", 0x5E, 0x66, false},
    {71, "Keypad 7", 0x5F, 0x67, false},
    {72, "Keypad 8", 0x60, 0x68, false},
    {73, "Keypad 9", 0x61, 0x69, false},
    {82, "Keypad 0", 0x62, 0x60, false},
    {83, "Keypad .", 0x63, 0x6E, false},
    // Media keys have codes, but the pages take no such key.
    {113, "Mute", 0, 0xAD, true},
    {164, "Play/Pause", 0, 0xB3, true},
};

// A German (ISO) keyboard: the letters and signs move, the places and so the usages do not,
// and the extra key beside Left Shift is one the pages do not take.
constexpr LayoutKey kGermanKeys[] = {
    // The ISO key left of Enter (#) sends 0x32 on some boards; desktops take it as 0x31.
    {1, "Esc", 0x29, 0x1B, false},
    {59, "F1", 0x3A, 0x70, false},
    {60, "F2", 0x3B, 0x71, false},
    {61, "F3", 0x3C, 0x72, false},
    {62, "F4", 0x3D, 0x73, false},
    {63, "F5", 0x3E, 0x74, false},
    {64, "F6", 0x3F, 0x75, false},
    {65, "F7", 0x40, 0x76, false},
    {66, "F8", 0x41, 0x77, false},
    {67, "F9", 0x42, 0x78, false},
    {68, "F10", 0x43, 0x79, false},
    {87, "F11", 0x44, 0x7A, false},
    {88, "F12", 0x45, 0x7B, false},
    {99, "Druck", 0x46, 0x2C, true},
    {70, "Rollen", 0x47, 0x91, false},
    {119, "Pause", 0x48, 0x13, false},
    {41, "^", 0x35, 0xC0, false},
    {2, "1", 0x1E, '1', false},
    {3, "2", 0x1F, '2', false},
    {4, "3", 0x20, '3', false},
    {5, "4", 0x21, '4', false},
    {6, "5", 0x22, '5', false},
    {7, "6", 0x23, '6', false},
    {8, "7", 0x24, '7', false},
    {9, "8", 0x25, '8', false},
    {10, "9", 0x26, '9', false},
    {11, "0", 0x27, '0', false},
    {12, "ß", 0x2D, 0xBD, false},
    {13, "´", 0x2E, 0xBB, false},
    {14, "Rück", 0x2A, 0x08, false},
    {15, "Tab", 0x2B, 0x09, false},
    {16, "Q", 0x14, 'Q', false},
    {17, "W", 0x1A, 'W', false},
    {18, "E", 0x08, 'E', false},
    {19, "R", 0x15, 'R', false},
    {20, "T", 0x17, 'T', false},
    {21, "Z", 0x1C, 'Y', false},
    {22, "U", 0x18, 'U', false},
    {23, "I", 0x0C, 'I', false},
    {24, "O", 0x12, 'O', false},
    {25, "P", 0x13, 'P', false},
    {26, "Ü", 0x2F, 0xDB, false},
    {27, "+", 0x30, 0xDD, false},
    {43, "#", 0x31, 0xDC, false},
    {58, "Feststell", 0x39, 0x14, false},
    {30, "A", 0x04, 'A', false},
    {31, "S", 0x16, 'S', false},
    {32, "D", 0x07, 'D', false},
    {33, "F", 0x09, 'F', false},
    {34, "G", 0x0A, 'G', false},
    {35, "H", 0x0B, 'H', false},
    {36, "J", 0x0D, 'J', false},
    {37, "K", 0x0E, 'K', false},
    {38, "L", 0x0F, 'L', false},
    {39, "Ö", 0x33, 0xBA, false},
    {40, "Ä", 0x34, 0xDE, false},
    {28, "Eingabe", 0x28, 0x0D, false},
    {42, "Umschalt links", 0xE1, 0xA0, false},
    {86, "<", 0, 0xE2, false},
    {44, "Y", 0x1D, 'Z', false},
    {45, "X", 0x1B, 'X', false},
    {46, "C", 0x06, 'C', false},
    {47, "V", 0x19, 'V', false},
    {48, "B", 0x05, 'B', false},
    {49, "N", 0x11, 'N', false},
    {50, "M", 0x10, 'M', false},
    {51, ",", 0x36, 0xBC, false},
    {52, ".", 0x37, 0xBE, false},
    {53, "-", 0x38, 0xBF, false},
    {54, "Umschalt rechts", 0xE5, 0xA1, false},
    {29, "Strg links", 0xE0, 0xA2, false},
    {125, "Win links", 0xE3, 0x5B, true},
    {56, "Alt", 0xE2, 0xA4, false},
    {57, "Leertaste", 0x2C, 0x20, false},
    {100, "AltGr", 0xE6, 0xA5, true},
    {126, "Win rechts", 0xE7, 0x5C, true},
    {127, "Menü", 0x65, 0x5D, true},
    {97, "Strg rechts", 0xE4, 0xA3, true},
    {110, "Einfg", 0x49, 0x2D, true},
    {102, "Pos1", 0x4A, 0x24, true},
    {104, "Bild auf", 0x4B, 0x21, true},
    {111, "Entf", 0x4C, 0x2E, true},
    {107, "Ende", 0x4D, 0x23, true},
    {109, "Bild ab", 0x4E, 0x22, true},
    {106, "Pfeil rechts", 0x4F, 0x27, true},
    {105, "Pfeil links", 0x50, 0x25, true},
    {108, "Pfeil runter", 0x51, 0x28, true},
    {103, "Pfeil hoch", 0x52, 0x26, true},
    {69, "Num", 0x53, 0x90, true},
    {98, "Ziffernblock /", 0x54, 0x6F, true},
    {55, "Ziffernblock *", 0x55, 0x6A, false},
    {74, "Ziffernblock -", 0x56, 0x6D, false},
    {78, "Ziffernblock +", 0x57, 0x6B, false},
    {96, "Ziffernblock Eingabe", 0x58, 0x0D, true},
    {79, "Ziffernblock 1", 0x59, 0x61, false},
    {80, "Ziffernblock 2", 0x5A, 0x62, false},
    {81, "Ziffernblock 3", 0x5B, 0x63, false},
    {75, "Ziffernblock 4", 0x5C, 0x64, false},
    {76, "Ziffernblock 5", 0x5D, 0x65, false},
    {77, "Ziffernblock 6", 0x5E, 0x66, false},
    {71, "Ziffernblock 7", 0x5F, 0x67, false},
    {72, "Ziffernblock 8", 0x60, 0x68, false},
    {73, "Ziffernblock 9", 0x61, 0x69, false},
    {82, "Ziffernblock 0", 0x62, 0x60, false},
    {83, "Ziffernblock ,", 0x63, 0x6E, false}};

TEST(NativeKeyMap, EveryKeyOfAUsKeyboardIsNamedByItsPlaceAndSendsItsOwnUsage) {
  ExpectLayout(kUsKeys);
  std::set<std::uint16_t> reached;
  for (const LayoutKey& key : kUsKeys) {
    const auto event = MapNativeKey({.evdev_code = key.evdev_code, .pressed = true});
    if (event) reached.insert(HookedVirtualKey(event->key.virtual_key, event->key.flags));
  }
  for (const KeyRow& row : KeyTable()) {
    EXPECT_TRUE(reached.contains(row.virtual_key)) << row.id << " cannot be captured";
  }
}

TEST(NativeKeyMap, EveryKeyOfAGermanKeyboardSendsTheUsageOfTheKeyPressed) {
  ExpectLayout(kGermanKeys);
}

TEST(NativeKeyMap, EventsCarryTheirMessageAndFlagsAndUnknownKeysNone) {
  constexpr std::uint32_t kExt = CapturedKey::kExtended;
  constexpr std::uint32_t kAlt = CapturedKey::kAltDown;
  constexpr std::uint32_t kUp = CapturedKey::kReleased;
  struct Case {
    const char* what;
    NativeKeyEvent event;
    int message;
    std::uint32_t flags;
    std::uint16_t looked_up;  // the code the pages look the key up by
  } const cases[] = {
      {"A down", {30, true, false, false}, kKeyDown, 0, 'A'},
      {"A up", {30, false, false, false}, kKeyUp, kUp, 'A'},
      {"Enter up", {28, false, false, false}, kKeyUp, kUp, 0x0D},
      {"keypad Enter down", {96, true, false, false}, kKeyDown, kExt, 0x101},
      {"keypad Enter up", {96, false, false, false}, kKeyUp, kExt | kUp, 0x101},
      {"Alt+A down", {30, true, true, false}, kSystemKeyDown, kAlt, 'A'},
      {"Alt+A up", {30, false, true, false}, kSystemKeyUp, kAlt | kUp, 'A'},
      {"Ctrl+Alt+A down", {30, true, true, true}, kKeyDown, kAlt, 'A'},
      {"Left Alt down, not yet reported", {56, true, false, false}, kSystemKeyDown, kAlt, 0xA4},
      {"Left Alt up, still reported", {56, false, true, false}, kKeyUp, kUp, 0xA4},
      {"Right Alt down", {100, true, false, false}, kSystemKeyDown, kExt | kAlt, 0xA5},
      {"Left Ctrl down with Alt held", {29, true, true, true}, kSystemKeyDown, kAlt, 0xA2},
      {"Right Ctrl up", {97, false, false, true}, kKeyUp, kExt | kUp, 0xA3},
      {"Up arrow down", {103, true, false, false}, kKeyDown, kExt, 0x26},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<MappedKeyEvent> mapped = MapNativeKey(c.event);
    ASSERT_TRUE(mapped.has_value());
    EXPECT_EQ(mapped->key_message, c.message);
    EXPECT_EQ(mapped->key.flags, c.flags);
    EXPECT_EQ(HookedVirtualKey(mapped->key.virtual_key, mapped->key.flags), c.looked_up);
  }
  for (const std::uint32_t unknown : {0U, 84U, 240U, 0x2FFU}) {
    EXPECT_FALSE(MapNativeKey({.evdev_code = unknown, .pressed = true})) << unknown;
  }
  EXPECT_EQ(EvdevCodeOfKeycode(38), 30U) << "X11 and Wayland keycodes count from 8";
  EXPECT_EQ(EvdevCodeOfKeycode(8), 0U);
  EXPECT_EQ(EvdevCodeOfKeycode(0), 0U);
}

}  // namespace
}  // namespace vandrel::testing
