#include "platform/native_key_map.h"

#include <algorithm>

namespace vandrel {
namespace {

struct PlacedKey {
  std::uint16_t evdev_code;
  std::uint16_t virtual_key;
  bool extended;  // right-hand modifiers, the navigation block, keypad Enter and /, and so on
};

constexpr bool kExt = true;

// By Linux input code. Letters and digits have their character as code.
constexpr PlacedKey kPlacedKeys[] = {
    {1, 0x1B, false},  {2, '1', false},   {3, '2', false},   {4, '3', false},   {5, '4', false},
    {6, '5', false},   {7, '6', false},   {8, '7', false},   {9, '8', false},   {10, '9', false},
    {11, '0', false},  {12, 0xBD, false}, {13, 0xBB, false}, {14, 0x08, false}, {15, 0x09, false},
    {16, 'Q', false},  {17, 'W', false},  {18, 'E', false},  {19, 'R', false},  {20, 'T', false},
    {21, 'Y', false},  {22, 'U', false},  {23, 'I', false},  {24, 'O', false},  {25, 'P', false},
    {26, 0xDB, false}, {27, 0xDD, false}, {28, 0x0D, false}, {29, 0xA2, false}, {30, 'A', false},
    {31, 'S', false},  {32, 'D', false},  {33, 'F', false},  {34, 'G', false},  {35, 'H', false},
    {36, 'J', false},  {37, 'K', false},  {38, 'L', false},  {39, 0xBA, false}, {40, 0xDE, false},
    {41, 0xC0, false}, {42, 0xA0, false}, {43, 0xDC, false}, {44, 'Z', false},  {45, 'X', false},
    {46, 'C', false},  {47, 'V', false},  {48, 'B', false},  {49, 'N', false},  {50, 'M', false},
    {51, 0xBC, false}, {52, 0xBE, false}, {53, 0xBF, false}, {54, 0xA1, false}, {55, 0x6A, false},
    {56, 0xA4, false}, {57, 0x20, false}, {58, 0x14, false}, {59, 0x70, false}, {60, 0x71, false},
    {61, 0x72, false}, {62, 0x73, false}, {63, 0x74, false}, {64, 0x75, false}, {65, 0x76, false},
    {66, 0x77, false}, {67, 0x78, false}, {68, 0x79, false}, {69, 0x90, kExt},  {70, 0x91, false},
    {71, 0x67, false}, {72, 0x68, false}, {73, 0x69, false}, {74, 0x6D, false}, {75, 0x64, false},
    {76, 0x65, false}, {77, 0x66, false}, {78, 0x6B, false}, {79, 0x61, false}, {80, 0x62, false},
    {81, 0x63, false}, {82, 0x60, false}, {83, 0x6E, false}, {86, 0xE2, false}, {87, 0x7A, false},
    {88, 0x7B, false}, {96, 0x0D, kExt},  {97, 0xA3, kExt},  {98, 0x6F, kExt},  {99, 0x2C, kExt},
    {100, 0xA5, kExt}, {102, 0x24, kExt}, {103, 0x26, kExt}, {104, 0x21, kExt}, {105, 0x25, kExt},
    {106, 0x27, kExt}, {107, 0x23, kExt}, {108, 0x28, kExt}, {109, 0x22, kExt}, {110, 0x2D, kExt},
    {111, 0x2E, kExt}, {113, 0xAD, kExt}, {114, 0xAE, kExt}, {115, 0xAF, kExt}, {119, 0x13, false},
    {125, 0x5B, kExt}, {126, 0x5C, kExt}, {127, 0x5D, kExt}, {163, 0xB0, kExt}, {164, 0xB3, kExt},
    {165, 0xB1, kExt}, {166, 0xB2, kExt},
};

constexpr std::uint16_t kLeftAlt = 0xA4;
constexpr std::uint16_t kRightAlt = 0xA5;
constexpr std::uint16_t kLeftCtrl = 0xA2;
constexpr std::uint16_t kRightCtrl = 0xA3;
constexpr std::uint32_t kKeycodeOffset = 8;

const PlacedKey* FindPlaced(std::uint32_t evdev_code) {
  const auto it = std::ranges::find(kPlacedKeys, evdev_code, &PlacedKey::evdev_code);
  return it == std::ranges::end(kPlacedKeys) ? nullptr : &*it;
}

}  // namespace

std::optional<MappedKeyEvent> MapNativeKey(const NativeKeyEvent& event) {
  const PlacedKey* placed = FindPlaced(event.evdev_code);
  if (placed == nullptr) return std::nullopt;
  const std::uint16_t vk = placed->virtual_key;
  const bool is_alt = vk == kLeftAlt || vk == kRightAlt;
  const bool is_ctrl = vk == kLeftCtrl || vk == kRightCtrl;
  const bool alt_down = is_alt ? event.pressed : event.alt_held;
  // With Ctrl held, Alt combinations are ordinary keys.
  const bool system = alt_down && (is_ctrl || !event.ctrl_held);
  std::uint32_t flags = placed->extended ? CapturedKey::kExtended : 0;
  if (alt_down) flags |= CapturedKey::kAltDown;
  if (!event.pressed) flags |= CapturedKey::kReleased;
  const int message =
      event.pressed ? (system ? kSystemKeyDown : kKeyDown) : (system ? kSystemKeyUp : kKeyUp);
  return MappedKeyEvent{message, {vk, flags}};
}

std::uint32_t EvdevCodeOfKeycode(std::uint32_t keycode) {
  return keycode > kKeycodeOffset ? keycode - kKeycodeOffset : 0;
}

}  // namespace vandrel
