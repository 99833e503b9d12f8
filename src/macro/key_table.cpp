#include "macro/key_table.h"

#include <algorithm>
#include <array>

namespace vandrel {
namespace {

constexpr std::uint8_t kKey = assignment_type::kKey;
constexpr std::uint8_t kMedia = assignment_type::kMultimediaAlt;
constexpr std::uint8_t kSystem = assignment_type::kSystem;

constexpr std::array<KeyRow, kKeyDisplayRowCount> kRows = {{
    // The modifiers carry their bit and no usage.
    {0xA2, kKey, 0x01, 0, "keyboard_key_LCtrl"},
    {0xA0, kKey, 0x02, 0, "keyboard_key_LShift"},
    {0xA4, kKey, 0x04, 0, "keyboard_key_LAlt"},
    {0x5B, kKey, 0x08, 0, "keyboard_key_LWin"},
    {0xA3, kKey, 0x10, 0, "keyboard_key_RCtrl"},
    {0xA1, kKey, 0x20, 0, "keyboard_key_RShift"},
    {0xA5, kKey, 0x40, 0, "keyboard_key_RAlt"},
    {0x5C, kKey, 0x80, 0, "keyboard_key_RWin"},
    {'A', kKey, 0, 0x04, "keyboard_key_A"},
    {'B', kKey, 0, 0x05, "keyboard_key_B"},
    {'C', kKey, 0, 0x06, "keyboard_key_C"},
    {'D', kKey, 0, 0x07, "keyboard_key_D"},
    {'E', kKey, 0, 0x08, "keyboard_key_E"},
    {'F', kKey, 0, 0x09, "keyboard_key_F"},
    {'G', kKey, 0, 0x0A, "keyboard_key_G"},
    {'H', kKey, 0, 0x0B, "keyboard_key_H"},
    {'I', kKey, 0, 0x0C, "keyboard_key_I"},
    {'J', kKey, 0, 0x0D, "keyboard_key_J"},
    {'K', kKey, 0, 0x0E, "keyboard_key_K"},
    {'L', kKey, 0, 0x0F, "keyboard_key_L"},
    {'M', kKey, 0, 0x10, "keyboard_key_M"},
    {'N', kKey, 0, 0x11, "keyboard_key_N"},
    {'O', kKey, 0, 0x12, "keyboard_key_O"},
    {'P', kKey, 0, 0x13, "keyboard_key_P"},
    {'Q', kKey, 0, 0x14, "keyboard_key_Q"},
    {'R', kKey, 0, 0x15, "keyboard_key_R"},
    {'S', kKey, 0, 0x16, "keyboard_key_S"},
    {'T', kKey, 0, 0x17, "keyboard_key_T"},
    {'U', kKey, 0, 0x18, "keyboard_key_U"},
    {'V', kKey, 0, 0x19, "keyboard_key_V"},
    {'W', kKey, 0, 0x1A, "keyboard_key_W"},
    {'X', kKey, 0, 0x1B, "keyboard_key_X"},
    {'Y', kKey, 0, 0x1C, "keyboard_key_Y"},
    {'Z', kKey, 0, 0x1D, "keyboard_key_Z"},
    {'1', kKey, 0, 0x1E, "keyboard_key_1"},
    {'2', kKey, 0, 0x1F, "keyboard_key_2"},
    {'3', kKey, 0, 0x20, "keyboard_key_3"},
    {'4', kKey, 0, 0x21, "keyboard_key_4"},
    {'5', kKey, 0, 0x22, "keyboard_key_5"},
    {'6', kKey, 0, 0x23, "keyboard_key_6"},
    {'7', kKey, 0, 0x24, "keyboard_key_7"},
    {'8', kKey, 0, 0x25, "keyboard_key_8"},
    {'9', kKey, 0, 0x26, "keyboard_key_9"},
    {'0', kKey, 0, 0x27, "keyboard_key_0"},
    {0x0D, kKey, 0, 0x28, "keyboard_key_Enter"},
    {0x1B, kKey, 0, 0x29, "keyboard_key_Esc"},
    {0x08, kKey, 0, 0x2A, "keyboard_key_BackSpace"},
    {0x09, kKey, 0, 0x2B, "keyboard_key_Tab"},
    {0x20, kKey, 0, 0x2C, "keyboard_key_Space"},
    {0xBD, kKey, 0, 0x2D, "keyboard_key_-"},
    {0xBB, kKey, 0, 0x2E, "keyboard_key_="},
    {0xDB, kKey, 0, 0x2F, "keyboard_key_["},
    {0xDD, kKey, 0, 0x30, "keyboard_key_]"},
    {0xDC, kKey, 0, 0x31, "keyboard_key_xiegang"},  // backslash
    {0xBA, kKey, 0, 0x33, "keyboard_key_;"},
    {0xDE, kKey, 0, 0x34, "keyboard_key_'"},
    {0xC0, kKey, 0, 0x35, "keyboard_key_`"},
    {0xBC, kKey, 0, 0x36, "keyboard_key_<"},  // comma
    {0xBE, kKey, 0, 0x37, "keyboard_key_."},
    {0xBF, kKey, 0, 0x38, "keyboard_key_/"},
    {0x14, kKey, 0, 0x39, "keyboard_key_Caplk"},
    {0x70, kKey, 0, 0x3A, "keyboard_key_F1"},
    {0x71, kKey, 0, 0x3B, "keyboard_key_F2"},
    {0x72, kKey, 0, 0x3C, "keyboard_key_F3"},
    {0x73, kKey, 0, 0x3D, "keyboard_key_F4"},
    {0x74, kKey, 0, 0x3E, "keyboard_key_F5"},
    {0x75, kKey, 0, 0x3F, "keyboard_key_F6"},
    {0x76, kKey, 0, 0x40, "keyboard_key_F7"},
    {0x77, kKey, 0, 0x41, "keyboard_key_F8"},
    {0x78, kKey, 0, 0x42, "keyboard_key_F9"},
    {0x79, kKey, 0, 0x43, "keyboard_key_F10"},
    {0x7A, kKey, 0, 0x44, "keyboard_key_F11"},
    {0x7B, kKey, 0, 0x45, "keyboard_key_F12"},
    {0x2C, kKey, 0, 0x46, "keyboard_key_Print Scr"},
    {0x91, kKey, 0, 0x47, "keyboard_key_Scroll Lock"},
    {0x13, kKey, 0, 0x48, "keyboard_key_Pause"},
    {0x2D, kKey, 0, 0x49, "keyboard_key_Insert"},
    {0x24, kKey, 0, 0x4A, "keyboard_key_Home"},
    {0x21, kKey, 0, 0x4B, "keyboard_key_Page Up"},
    {0x2E, kKey, 0, 0x4C, "keyboard_key_Delete"},
    {0x23, kKey, 0, 0x4D, "keyboard_key_End"},
    {0x22, kKey, 0, 0x4E, "keyboard_key_Page Down"},
    {0x27, kKey, 0, 0x4F, "keyboard_key_Right"},
    {0x25, kKey, 0, 0x50, "keyboard_key_Left"},
    {0x28, kKey, 0, 0x51, "keyboard_key_Down"},
    {0x26, kKey, 0, 0x52, "keyboard_key_Up"},
    {0x90, kKey, 0, 0x53, "keyboard_key_Num Lock"},
    {0x6F, kKey, 0, 0x54, "keyboard_key_Num /"},
    {0x6A, kKey, 0, 0x55, "keyboard_key_Num *"},
    {0x6D, kKey, 0, 0x56, "keyboard_key_Num -"},
    {0x6B, kKey, 0, 0x57, "keyboard_key_Num +"},
    {0x101, kKey, 0, 0x58, "keyboard_key_Num Enter"},
    {0x61, kKey, 0, 0x59, "keyboard_key_Num 1"},
    {0x62, kKey, 0, 0x5A, "keyboard_key_Num 2"},
    {0x63, kKey, 0, 0x5B, "keyboard_key_Num 3"},
    {0x64, kKey, 0, 0x5C, "keyboard_key_Num 4"},
    {0x65, kKey, 0, 0x5D, "keyboard_key_Num 5"},
    {0x66, kKey, 0, 0x5E, "keyboard_key_Num 6"},
    {0x67, kKey, 0, 0x5F, "keyboard_key_Num 7"},
    {0x68, kKey, 0, 0x60, "keyboard_key_Num 8"},
    {0x69, kKey, 0, 0x61, "keyboard_key_Num 9"},
    {0x60, kKey, 0, 0x62, "keyboard_key_Num 0"},
    {0x6E, kKey, 0, 0x63, "keyboard_key_Decimal"},
    {0x5D, kKey, 0, 0x65, "keyboard_key_App"},
    // Display rows: multimedia keys carry the consumer usage's low and high byte.
    {0xB7, kMedia, 0x92, 0x01, "keyboard_key_Launch App2"},
    {0xAC, kMedia, 0x23, 0x02, "keyboard_key_Browaer Home"},
    {0xB3, kMedia, 0xCD, 0x00, "keyboard_key_Media Play Pause"},
    {0xAA, kMedia, 0x21, 0x02, "keyboard_key_Browser Search"},
    {0xB4, kMedia, 0x8A, 0x01, "keyboard_key_Launch Mail"},
    {0xAF, kMedia, 0xE9, 0x00, "keyboard_key_Volume Up"},
    {0xAD, kMedia, 0xE2, 0x00, "keyboard_key_Volume Mute"},
    {0xB2, kMedia, 0xB7, 0x00, "keyboard_key_Media Stop"},
    {0xAE, kMedia, 0xEA, 0x00, "keyboard_key_Volume Down"},
    {0xAB, kMedia, 0x2A, 0x02, "keyboard_key_Browser Favorites"},
    {0xA7, kMedia, 0x25, 0x02, "keyboard_key_Browser ForWard"},
    {0xA6, kMedia, 0x24, 0x02, "keyboard_key_Browser Back"},
    {0xB1, kMedia, 0xB6, 0x00, "keyboard_key_Media Prev Track"},
    {0xB0, kMedia, 0xB5, 0x00, "keyboard_key_Media Next Track"},
    {0xB6, kMedia, 0x94, 0x01, "keyboard_key_Computer"},
    {0xA8, kMedia, 0x27, 0x02, "keyboard_key_Browser Refresh"},
    {0xB5, kMedia, 0x83, 0x01, "keyboard_key_Launch Media Select"},
    {0xB5, kMedia, 0x83, 0x01, "keyboard_key_Launch Media Select"},  // listed twice
    {0x103, kSystem, 1, 0, "keyboard_key_Power"},
    {0x104, kSystem, 2, 0, "keyboard_key_Sleep"},
    {0x105, kSystem, 4, 0, "keyboard_key_Wakeup"},
}};

constexpr std::uint16_t kReturn = 0x0D;
constexpr std::uint16_t kKeypadEnter = 0x101;

}  // namespace

std::span<const KeyRow> KeyTable() { return std::span(kRows).first(kKeyTableSize); }

std::span<const KeyRow> KeyDisplayRows() { return kRows; }

const KeyRow* FindKey(std::uint16_t virtual_key) {
  const auto keys = KeyTable();
  const auto it = std::ranges::find(keys, virtual_key, &KeyRow::virtual_key);
  return it == keys.end() ? nullptr : &*it;
}

const KeyRow* FindDisplayRow(std::uint8_t param1, std::uint8_t param2) {
  const auto it = std::ranges::find_if(
      kRows, [&](const KeyRow& row) { return row.param1 == param1 && row.param2 == param2; });
  return it == kRows.end() ? nullptr : &*it;
}

std::uint16_t HookedVirtualKey(std::uint16_t virtual_key, std::uint32_t flags) {
  const bool extended = flags == 1 || flags == 129;
  return virtual_key == kReturn && extended ? kKeypadEnter : virtual_key;
}

MacroAction KeyStep(const KeyRow& key, bool press) {
  const bool modifier = key.param2 == 0;
  const MacroKind kind = modifier ? MacroKind::kModifier : MacroKind::kKey;
  MacroAction step;
  step.code = static_cast<std::uint8_t>((press ? kMacroFlag : 0) | static_cast<std::uint8_t>(kind));
  step.value = modifier ? key.param1 : key.param2;
  step.pressed = press ? 1 : 0;
  step.name = key.id;
  return step;
}

}  // namespace vandrel
