#include "keyboard/keyboard_lighting_modes.h"

#include <algorithm>
#include <utility>

namespace vandrel {
namespace {

constexpr GroupChange K = GroupChange::kKeep;
constexpr GroupChange E = GroupChange::kEnable;
constexpr GroupChange D = GroupChange::kDisable;
constexpr GroupChange S = GroupChange::kShow;
constexpr GroupChange H = GroupChange::kHide;
constexpr GroupChange ES = GroupChange::kEnableShow;
constexpr GroupChange EH = GroupChange::kEnableHide;
constexpr GroupChange DH = GroupChange::kDisableHide;

constexpr DirectionCaptions kKeep = DirectionCaptions::kKeep;
constexpr DirectionCaptions kLR = DirectionCaptions::kLeftRight;
constexpr DirectionCaptions kUD = DirectionCaptions::kUpDown;
constexpr DirectionCaptions kCW = DirectionCaptions::kClockwise;
constexpr DirectionCaptions kSG = DirectionCaptions::kSpreadGather;

// Every row starts here, so that a mode never inherits what another model's list hid or
// disabled. Cells in the order of kKeyboardLightingGroups.
constexpr KeyboardGroupRow kCommonStart = {S, S, S, S, K, S, H, EH, H, E, E, S, S};

// Cells: direction, colour, seven colours, speed, same mode.
constexpr KeyboardModeRow kPerKeyRows[] = {
    {{E, E, E, E, E}, kLR},      // 0 column wave
    {{D, D, D, E, E}, kLR},      // 1 colour cycle
    {{D, E, E, E, E}, kLR},      // 2 breathing
    {{D, E, E, D, E}, kLR},      // 3 key groups
    {{E, E, E, E, D}, kLR},      // 4 column flow
    {{E, E, E, E, D}, kLR},      // 5 serpentine flow
    {{D, E, E, E, D}, kLR},      // 6 the keyboard's own
    {{D, E, E, E, D}, kLR},      // 7 the keyboard's own
    {{D, E, E, E, D}, kLR},      // 8 the keyboard's own
    {{D, E, E, E, D}, kLR},      // 9 twinkle
    {{D, D, D, E, D}, kUD},      // 10 rainbow keys
    {{E, D, D, E, D}, kUD},      // 11 row rainbow
    {{D, E, E, E, D}, kLR},      // 12 ripples
    {{D, E, E, E, D}, kCW},      // 13 sweep and ripple
    {{D, E, E, E, D}, kLR},      // 14 pulsing keys
    {{D, E, E, E, D}, kLR},      // 15 corner ripples
    {{D, D, D, K, D}, kLR},      // 16 the keyboard's own
    {{E, D, D, K, D}, kCW},      // 17 rotating rings
    {{DH, E, EH, D, D}, kKeep},  // 18 custom
};

// The single-colour keyboard has no colour: the colour and seven-colour groups stay disabled.
constexpr KeyboardModeRow kSingleColourRows[] = {
    {{E, D, D, E, D}, kLR},      // 0 wave
    {{D, D, D, E, D}, kLR},      // 1 breathing
    {{D, D, D, E, D}, kLR},      // 2 steady
    {{D, D, D, D, D}, kLR},      // 3 ripples
    {{D, D, D, E, D}, kLR},      // 4 sweep and ripple
    {{E, D, D, E, D}, kLR},      // 5 serpentine wave
    {{DH, D, DH, D, D}, kKeep},  // 6 custom
    {{E, D, D, E, D}, kLR},      // 7 twinkle
    {{D, D, D, E, D}, kLR},      // 8 pulse
    {{D, D, D, E, D}, kLR},      // 9 rolling pulse
    {{E, D, D, E, D}, kUD},      // 10 snake
    {{D, D, D, E, D}, kKeep},    // 11 the keyboard's own
    {{D, D, D, E, D}, kKeep},    // 12
    {{E, D, D, E, D}, kSG},      // 13
    {{E, D, D, E, D}, kLR},      // 14
    {{D, D, D, E, D}, kLR},      // 15
    {{D, D, D, E, D}, kLR},      // 16
};

constexpr KeyboardModeRow kZoneRows[] = {
    {{ES, ES, ES, ES, E}, kLR},    // 0 zone wave
    {{DH, ES, EH, ES, E}, kKeep},  // 1 colour cycle
    {{EH, ES, ES, ES, E}, kLR},    // 2 breathing
    {{EH, ES, EH, EH, E}, kLR},    // 3 steady
    {{ES, ES, EH, ES, D}, kLR},    // 4 zone rainbow
    {{EH, ES, ES, ES, D}, kLR},    // 5 the keyboard's own
    {{ES, ES, EH, ES, D}, kLR},    // 6 zone stack
    {{EH, ES, EH, DH, D}, kKeep},  // 7 custom
};

// Cells in the order of kKeyboardLightingGroups; the first five come from the row.
constexpr KeyboardModeList kLists[] = {
    {"kb_deng_combo_modeSelect", kPerKeyRows, 18, {K, K, K, K, K, H, S, S, S, K, K, K, K}},
    {"kb_deng_onecolor_combo_modeSelect",
     kSingleColourRows,
     6,
     {K, K, K, K, K, H, S, ES, S, D, D, K, K}},
    {"kb_deng_area_combo_modeSelect", kZoneRows, 7, {K, K, K, K, K, H, S, H, S, K, K, K, K}},
};
constexpr std::size_t kPerKeyList = 0, kSingleColourList = 1, kZoneList = 2;

constexpr std::pair<std::string_view, std::string_view> CaptionTexts(DirectionCaptions captions) {
  switch (captions) {
    case DirectionCaptions::kUpDown:
      return {"Deng_FXU_text", "Deng_FXD_text"};
    case DirectionCaptions::kClockwise:
      return {"Deng_FXJ_text", "Deng_FXK_text"};
    case DirectionCaptions::kSpreadGather:
      return {"Deng_FXSPEAD_text", "Deng_FXGATHER_text"};
    case DirectionCaptions::kKeep:
    case DirectionCaptions::kLeftRight:
      break;
  }
  return {"Deng_FXL_text", "Deng_FXR_text"};
}

void ShowCaptions(WindowModel& window, DirectionCaptions captions) {
  if (captions == DirectionCaptions::kKeep) return;
  const auto [left, right] = CaptionTexts(captions);
  if (Control* label = window.Find("kb_Deng_label_FXL")) label->SetText(left);
  if (Control* label = window.Find("kb_Deng_label_FXR")) label->SetText(right);
}

std::size_t ListIndexOf(KeyboardModel model) {
  switch (model) {
    case KeyboardModel::kSingleColour:
      return kSingleColourList;
    case KeyboardModel::kSixZones:
      return kZoneList;
    case KeyboardModel::kPerKey:
    case KeyboardModel::kPerKeyOwn:
      break;
  }
  return kPerKeyList;
}

}  // namespace

const KeyboardModeList& KeyboardModeListOf(KeyboardModel model) {
  return kLists[ListIndexOf(model)];
}

std::optional<KeyboardModel> ModelOfModeCombo(std::string_view name) {
  if (name == kLists[kPerKeyList].combo) return KeyboardModel::kPerKey;
  if (name == kLists[kSingleColourList].combo) return KeyboardModel::kSingleColour;
  if (name == kLists[kZoneList].combo) return KeyboardModel::kSixZones;
  return std::nullopt;
}

void ShowModeListOf(WindowModel& window, KeyboardModel model) {
  const std::size_t shown = ListIndexOf(model);
  for (std::size_t list = 0; list < std::size(kLists); ++list) {
    if (Control* combo = window.Find(kLists[list].combo)) combo->SetVisible(list == shown);
  }
}

bool ApplyKeyboardModeRow(WindowModel& window, const KeyboardModeList& list, int mode) {
  if (mode < 0 || static_cast<std::size_t>(mode) >= list.rows.size()) return false;
  const KeyboardModeRow& row = list.rows[static_cast<std::size_t>(mode)];
  ApplyGroupChanges(window, kKeyboardLightingGroups, kCommonStart);
  ApplyGroupChanges(window, kKeyboardLightingGroups, row.cells);
  if (mode == list.custom_mode) ApplyGroupChanges(window, kKeyboardLightingGroups, list.custom);
  ShowCaptions(window, row.captions);
  return true;
}

}  // namespace vandrel
