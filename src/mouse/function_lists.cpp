#include "mouse/function_lists.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr std::uint8_t kButton = assignment_type::kMouseButton;
constexpr std::uint8_t kDpi = assignment_type::kDpi;
constexpr std::uint8_t kMedia = assignment_type::kMultimediaAlt;
constexpr std::uint8_t kSystem = assignment_type::kSystem;
constexpr std::uint8_t kKey = assignment_type::kKey;
constexpr std::uint8_t kRecoil = assignment_type::kRecoil;
constexpr std::uint8_t kLeftCtrl = 0x01;

// A multimedia item from its 16-bit consumer usage.
constexpr FunctionItem Media(std::uint16_t usage, std::string_view id) {
  return {{kMedia, static_cast<std::uint8_t>(usage & 0xFF), static_cast<std::uint8_t>(usage >> 8)},
          id};
}

constexpr FunctionItem kMouseButtons[] = {
    {{kButton, 0x01, 0}, "mouse_key_left"},  {{kButton, 0x04, 0}, "mouse_key_middle"},
    {{kButton, 0x02, 0}, "mouse_key_right"}, {{kButton, 0x10, 0}, "mouse_key_forward"},
    {{kButton, 0x08, 0}, "mouse_key_back"},
};

constexpr FunctionItem kDpiFunctions[] = {
    {{kDpi, 1, 0}, "mouse_key_DPI_add"},
    {{kDpi, 2, 0}, "mouse_key_DPI_sub"},
    {{kDpi, 3, 0}, "mouse_key_DPI_loop"},
};

constexpr FunctionItem kMultimedia[] = {
    Media(0x0183, "media_text"),    Media(0x00CD, "media_play"),   Media(0x00B7, "media_stop"),
    Media(0x00B6, "media_prev"),    Media(0x00B5, "media_next"),   Media(0x00EA, "media_vol_sub"),
    Media(0x00E9, "media_vol_add"), Media(0x00E2, "media_mute"),   Media(0x0223, "web_text"),
    Media(0x0227, "web_refresh"),   Media(0x0226, "wed_stop"),     Media(0x0224, "wed_back"),
    Media(0x0225, "wed_forward"),   Media(0x022A, "wed_favorite"), Media(0x0221, "web_search"),
    Media(0x0194, "media_mypc"),    Media(0x0192, "media_calc"),   Media(0x018A, "media_mail"),
};

constexpr FunctionItem kSystemFunctions[] = {
    {{kSystem, 1, 0}, "system_power"},
    {{kSystem, 2, 0}, "system_sleep"},
    {{kSystem, 4, 0}, "system_wake_up"},
};

constexpr FunctionItem kCombinations[] = {
    {{kKey, kLeftCtrl, 0x12}, "combo_open"},        // O
    {{kKey, kLeftCtrl, 0x11}, "combo_new"},         // N
    {{kKey, kLeftCtrl, 0x1D}, "combo_revocation"},  // Z
    {{kKey, kLeftCtrl, 0x16}, "combo_save"},        // S
    {{kKey, kLeftCtrl, 0x06}, "combo_copy"},        // C
    {{kKey, kLeftCtrl, 0x1B}, "combo_cut"},         // X
    {{kKey, kLeftCtrl, 0x19}, "combo_paste"},       // V
    {{kKey, kLeftCtrl, 0x09}, "combo_finde"},       // F
    {{kKey, kLeftCtrl, 0x04}, "combo_all"},         // A
    {{kKey, kLeftCtrl, 0x2D}, "combo_narrow"},      // -
    {{kKey, kLeftCtrl, 0x2E}, "combo_magnify"},     // =
};

constexpr FunctionItem kRecoilTables[] = {
    {{kRecoil, 0, 0}, "GUN_1"},
    {{kRecoil, 1, 0}, "GUN_2"},
    {{kRecoil, 2, 0}, "GUN_3"},
    {{kRecoil, 3, 0}, "GUN_4"},
};

}  // namespace

std::span<const FunctionItem> MouseButtonFunctions() { return kMouseButtons; }
std::span<const FunctionItem> DpiFunctions() { return kDpiFunctions; }
std::span<const FunctionItem> MultimediaFunctions() { return kMultimedia; }
std::span<const FunctionItem> SystemFunctions() { return kSystemFunctions; }
std::span<const FunctionItem> KeyCombinations() { return kCombinations; }
std::span<const FunctionItem> RecoilTableFunctions() { return kRecoilTables; }

const FunctionItem* FindByParam1(std::span<const FunctionItem> items, std::uint8_t param1) {
  const auto it = std::ranges::find_if(
      items, [&](const FunctionItem& item) { return item.assignment.param1 == param1; });
  return it == items.end() ? nullptr : &*it;
}

const FunctionItem* FindByParams(std::span<const FunctionItem> items,
                                 const KeyAssignment& assignment) {
  const auto it = std::ranges::find_if(items, [&](const FunctionItem& item) {
    return item.assignment.param1 == assignment.param1 &&
           item.assignment.param2 == assignment.param2;
  });
  return it == items.end() ? nullptr : &*it;
}

}  // namespace vandrel
