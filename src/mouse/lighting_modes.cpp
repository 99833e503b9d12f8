#include "mouse/lighting_modes.h"

namespace vandrel {
namespace {

constexpr GroupChange E = GroupChange::kEnable;
constexpr GroupChange D = GroupChange::kDisable;
constexpr GroupChange K = GroupChange::kKeep;
constexpr GroupChange kEShown = GroupChange::kEnableShow;
constexpr GroupChange kDShown = GroupChange::kDisableShow;
constexpr GroupChange kDHidden = GroupChange::kDisableHide;

// Cells: fx, colour, seven-colour, speed, brightness, same mode.
constexpr ModeRow kList0[] = {
    {D, E, E, E, E, E},  // 0
    {D, E, D, D, E, E},  // 1
    {D, D, D, E, E, E},  // 2
    {D, D, D, D, D, D},  // 3: every group off, same mode too
    {E, E, E, E, K, D},  // 4
    {E, E, E, E, K, D},  // 5
};

constexpr ModeRow kList1[] = {
    {kEShown, E, E, kEShown, E, E},   // 0
    {kDHidden, E, E, kEShown, E, E},  // 1
    {D, E, D, D, E, E},               // 2
    {kDHidden, D, D, kDShown, D, E},  // 3
    {E, E, E, E, K, D},               // 4
    {E, E, D, E, K, D},               // 5
    {D, E, E, E, K, D},               // 6
    {D, D, D, E, K, D},               // 7
};

// This list leaves the brightness group alone.
constexpr ModeRow kList2[] = {
    {E, E, E, E, K, E},  // 0
    {D, D, D, E, K, E},  // 1
    {D, E, E, E, K, E},  // 2
    {D, E, D, D, K, E},  // 3
    {E, E, E, E, K, D},  // 4
    {E, E, E, E, K, D},  // 5
    {D, E, E, E, K, D},  // 6
};

constexpr ModeList kLists[] = {
    {"ms_deng_combo_modeSelect0", kList0, false},
    {"ms_deng_combo_modeSelect1", kList1, true},
    {"ms_deng_combo_modeSelect2", kList2, true},
};

}  // namespace

std::span<const ModeList> MouseModeLists() { return kLists; }

std::optional<std::size_t> ModeListOf(std::string_view name) {
  for (std::size_t list = 0; list < std::size(kLists); ++list) {
    if (kLists[list].combo == name) return list;
  }
  return std::nullopt;
}

bool ApplyModeRow(WindowModel& window, const ModeList& list, int mode) {
  if (mode < 0 || static_cast<std::size_t>(mode) >= list.rows.size()) return false;
  ApplyGroupChanges(window, kLightingGroups, list.rows[static_cast<std::size_t>(mode)]);
  return true;
}

}  // namespace vandrel
