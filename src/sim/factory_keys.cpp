#include "sim/factory_keys.h"

#include "device/product_ids.h"

namespace vandrel::sim {
namespace {

constexpr std::uint8_t kKeyType = 0x20;  // param1: modifier bits, param2: keyboard usage ID
constexpr std::uint8_t kMouseButtonType = 0x10;
constexpr std::uint8_t kDpiType = 0x13;
constexpr std::uint8_t kMultimediaType = 0x30;  // param1, param2: consumer usage, low byte first

struct MatrixKey {
  FactoryAssignment assignment;
  bool zone_only = false;
};

// A key of the HID keyboard page, by its usage ID.
constexpr MatrixKey Key(std::uint8_t usage) { return {{kKeyType, 0, usage}}; }
// A modifier travels as its bit of the modifier byte, with no usage ID.
constexpr MatrixKey Modifier(std::uint8_t bit) { return {{kKeyType, bit, 0}}; }
constexpr MatrixKey ZoneOnly(MatrixKey key) { return {key.assignment, true}; }
// G1–G5, the zone keyboard's column left of the main block.
constexpr MatrixKey ExtraKey(std::uint8_t number) { return ZoneOnly({{0xD0, 0xA2, number}}); }
constexpr MatrixKey kFunctionKey{{0xA0, 0x02, 0x02}};

// The key matrix of a full-size keyboard, row by row from the top, each row left to right. A key
// two rows tall (keypad + and keypad Enter) sits in the row of its upper half.
constexpr MatrixKey kMatrix[] = {
    Key(0x29),  // Esc
    Key(0x3A),  // F1
    Key(0x3B),  // F2
    Key(0x3C),  // F3
    Key(0x3D),  // F4
    Key(0x3E),  // F5
    Key(0x3F),  // F6
    Key(0x40),  // F7
    Key(0x41),  // F8
    Key(0x42),  // F9
    Key(0x43),  // F10
    Key(0x44),  // F11
    Key(0x45),  // F12
    Key(0x46),  // Print Screen
    Key(0x47),  // Scroll Lock
    Key(0x48),  // Pause

    ExtraKey(1),
    Key(0x35),  // ` and ~
    Key(0x1E),  // 1
    Key(0x1F),  // 2
    Key(0x20),  // 3
    Key(0x21),  // 4
    Key(0x22),  // 5
    Key(0x23),  // 6
    Key(0x24),  // 7
    Key(0x25),  // 8
    Key(0x26),  // 9
    Key(0x27),  // 0
    Key(0x2D),  // - and _
    Key(0x2E),  // = and +
    Key(0x2A),  // Backspace
    Key(0x49),  // Insert
    Key(0x4A),  // Home
    Key(0x4B),  // Page Up
    Key(0x53),  // Num Lock
    Key(0x54),  // keypad /
    Key(0x55),  // keypad *
    Key(0x56),  // keypad -

    ExtraKey(2),
    Key(0x2B),  // Tab
    Key(0x14),  // Q
    Key(0x1A),  // W
    Key(0x08),  // E
    Key(0x15),  // R
    Key(0x17),  // T
    Key(0x1C),  // Y
    Key(0x18),  // U
    Key(0x0C),  // I
    Key(0x12),  // O
    Key(0x13),  // P
    Key(0x2F),  // [ and {
    Key(0x30),  // ] and }
    Key(0x31),  // \ and |
    Key(0x4C),  // Delete
    Key(0x4D),  // End
    Key(0x4E),  // Page Down
    Key(0x5F),  // keypad 7
    Key(0x60),  // keypad 8
    Key(0x61),  // keypad 9
    Key(0x57),  // keypad +

    ExtraKey(3),
    Key(0x39),  // Caps Lock
    Key(0x04),  // A
    Key(0x16),  // S
    Key(0x07),  // D
    Key(0x09),  // F
    Key(0x0A),  // G
    Key(0x0B),  // H
    Key(0x0D),  // J
    Key(0x0E),  // K
    Key(0x0F),  // L
    Key(0x33),  // ; and :
    Key(0x34),  // ' and "
    Key(0x28),  // Enter
    Key(0x5C),  // keypad 4
    Key(0x5D),  // keypad 5
    Key(0x5E),  // keypad 6

    ExtraKey(4),
    Modifier(0x02),       // left Shift
    ZoneOnly(Key(0x64)),  // the ISO key between left Shift and Z
    Key(0x1D),            // Z
    Key(0x1B),            // X
    Key(0x06),            // C
    Key(0x19),            // V
    Key(0x05),            // B
    Key(0x11),            // N
    Key(0x10),            // M
    Key(0x36),            // , and <
    Key(0x37),            // . and >
    Key(0x38),            // / and ?
    Modifier(0x20),       // right Shift
    Key(0x52),            // Up
    Key(0x59),            // keypad 1
    Key(0x5A),            // keypad 2
    Key(0x5B),            // keypad 3
    Key(0x58),            // keypad Enter

    ExtraKey(5),
    Modifier(0x01),            // left Ctrl
    Modifier(0x08),            // left GUI
    Modifier(0x04),            // left Alt
    Key(0x2C),                 // Space
    Modifier(0x40),            // right Alt
    ZoneOnly(Modifier(0x80)),  // right GUI
    kFunctionKey,
    Key(0x65),       // Application
    Modifier(0x10),  // right Ctrl
    Key(0x50),       // Left
    Key(0x51),       // Down
    Key(0x4F),       // Right
    Key(0x62),       // keypad 0
    Key(0x63),       // keypad .
};

}  // namespace

std::vector<FactoryAssignment> KeyboardFactoryKeys(std::uint16_t product_id) {
  const bool zone_keyboard = product_id == kZoneKeyboardProductId;
  std::vector<FactoryAssignment> keys;
  for (const MatrixKey& key : kMatrix) {
    if (key.zone_only && !zone_keyboard) continue;
    keys.push_back(key.assignment);
  }
  return keys;
}

std::vector<FactoryAssignment> MouseFactoryButtons() {
  return {
      {kMouseButtonType, 0x01, 0},    // left
      {kMouseButtonType, 0x04, 0},    // wheel
      {kMouseButtonType, 0x02, 0},    // right
      {kMouseButtonType, 0x10, 0},    // forward
      {kMouseButtonType, 0x08, 0},    // back
      {kDpiType, 3, 0},               // DPI cycle
      {kDpiType, 1, 0},               // DPI up
      {kDpiType, 2, 0},               // DPI down
      {kMultimediaType, 0xCD, 0x00},  // play/pause
  };
}

}  // namespace vandrel::sim
