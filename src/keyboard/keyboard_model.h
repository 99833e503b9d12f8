// KeyboardModel: which of the four keyboard kinds is attached, and what follows from it — the
// frame the host streams, the layout of the custom colour sets and the default profile files.
// The presence monitor chooses the model from the opened product ID (KeyboardModelFor in
// device/product_ids.h: 0x7653 or 0x8611 → 0, the channel's own ID → 1, 0x6556 → 3, any other
// keeps the model); before the first keyboard is found the model is 3.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace vandrel {

enum class KeyboardModel : int {
  kPerKey = 0,        // per-key RGB, 126 LEDs
  kSingleColour = 1,  // one backlight colour; the keyboard animates itself
  kPerKeyOwn = 2,     // per-key RGB with its own effects; no product ID selects it
  kSixZones = 3,      // six zones of two LEDs
};

inline constexpr KeyboardModel kStartingKeyboardModel = KeyboardModel::kSixZones;

// How entry i of a custom colour set is indexed and stored.
enum class CustomSetLayout {
  kLedColours,   // 126 × (R, G, B); i is the key's LED index in the model 0 frame
  kSlotColours,  // 126 × (R, G, B); i is the key slot
  kLevels,       // 126 bytes, 0 off or 255 on; i is the key's position in the backlight map
};

struct KeyboardModelTraits {
  std::size_t frame_size;  // bytes of one lighting frame sent to the keyboard; 0: none
  CustomSetLayout custom_layout;
  std::string_view device_default;  // default ".config"
  std::string_view light_default;   // default ".led"
  std::string_view key_default;     // default ".pro"
};

// The model of a hub's keyboard_model() value; nullopt outside 0-3.
[[nodiscard]] std::optional<KeyboardModel> KeyboardModelOf(int value);
[[nodiscard]] const KeyboardModelTraits& TraitsOf(KeyboardModel model);

}  // namespace vandrel
