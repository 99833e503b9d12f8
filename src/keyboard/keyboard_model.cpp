#include "keyboard/keyboard_model.h"

#include <array>

namespace vandrel {
namespace {

constexpr std::array<KeyboardModelTraits, 4> kTraits = {{
    {378, CustomSetLayout::kLedColours, "kbdevicedefault.config", "kbdengdefault.led",
     "kbkeydefault.pro"},
    {0, CustomSetLayout::kLevels, "kbdevice15default.config", "kb15dengdefault.led",
     "kbkey15default.pro"},
    {378, CustomSetLayout::kLedColours, "kbdevice16default.config", "kb16dengdefault.led",
     "kbkey16default.pro"},
    {36, CustomSetLayout::kSlotColours, "kbdeviceAreaRGBdefault.config", "kbAreadengdefault.led",
     "kbkeyAreaRgbdefault.pro"},
}};

}  // namespace

std::optional<KeyboardModel> KeyboardModelOf(int value) {
  if (value < 0 || value >= static_cast<int>(kTraits.size())) return std::nullopt;
  return static_cast<KeyboardModel>(value);
}

const KeyboardModelTraits& TraitsOf(KeyboardModel model) {
  return kTraits[static_cast<std::size_t>(model)];
}

}  // namespace vandrel
