// MacroAction: one step of a macro, and its one-line text form, the action line
// "delay_low,delay_high,code,value,pressed,name" that catalogues, macro files and the editor's
// rows carry. Plain values; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// The kind of a step: bits 0-6 of its code. Kinds below kModifier are the mouse family.
enum class MacroKind : std::uint8_t {
  kMouseButton = 1,  // value: 1 left, 2 right, 4 middle, 8 back, 16 forward
  kMoveX = 4,        // flag: leftward; value: distance
  kMoveY = 5,        // flag: upward; value: distance
  kModifier = 9,     // value: the HID modifier bit
  kKey = 10,         // value: the HID keyboard usage
};

inline constexpr std::uint8_t kMacroFlag = 0x80;  // bit 7 of the code: press, or the direction
inline constexpr int kMaxMacroDelay = 65535;      // milliseconds
inline constexpr int kMaxMacroValue = 255;

struct MacroAction {
  std::uint16_t delay = 0;  // the pause after this step, in milliseconds
  std::uint8_t code = 0;    // flag (bit 7) and kind (bits 0-6)
  std::uint8_t value = 0;
  std::uint16_t pressed = 0;  // 1 press, 0 release; for pointer moves a copy of the flag
  std::string name;           // a language identifier of the key or mouse table

  [[nodiscard]] std::uint8_t kind() const { return code & 0x7F; }
  [[nodiscard]] bool flag() const { return (code & kMacroFlag) != 0; }
  [[nodiscard]] bool IsMouseFamily() const {
    return kind() < static_cast<int>(MacroKind::kModifier);
  }
  [[nodiscard]] bool IsMove() const;

  bool operator==(const MacroAction&) const = default;
};

// Splits from the right: the text after the last comma is the name, the four commas before it
// delimit pressed, value, code and delay_high, and everything left of the fifth comma from the
// right is delay_low. Each number is read with the decimal-prefix rule and cut to its field's
// width (8 bits; 16 for pressed). nullopt when the line has fewer than five commas.
[[nodiscard]] std::optional<MacroAction> ParseAction(std::string_view line);
// The five numbers as unsigned decimals and the name verbatim.
[[nodiscard]] std::string FormatAction(const MacroAction& action);

}  // namespace vandrel
