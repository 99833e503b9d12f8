#include "pad/pad_lighting_page.h"

#include <array>
#include <iterator>
#include <string_view>
#include <utility>

namespace vandrel {
namespace {

constexpr std::string_view kModeCombo = "mp_deng_combo_modeSelect";
constexpr std::string_view kSlotCombo = "mp_deng_combo_profile";
constexpr std::string_view kResetButton = "mp_one_profile_default";

constexpr LightingPanelSetup kPanel = {
    .prefix = "mp_",
    .direction_buttons = false,
    .device = DeviceKind::kPad,
    // The pad keeps its own brightness, speed and colour; the synchronised animation takes only
    // its direction.
    .mirrored = kDirectionField,
};

// The option groups of the page, in the order of a row's cells.
constexpr std::array<std::string_view, 5> kGroups = {"mp_deng_fx_layout", "mp_deng_color_layout",
                                                     "mp_deng_7colorselect_layout",
                                                     "mp_deng_speed_layout", "mp_deng_same_mode"};
constexpr std::size_t kDirectionGroup = 0;

using ModeRow = std::array<GroupChange, kGroups.size()>;

constexpr GroupChange E = GroupChange::kEnable;
constexpr GroupChange D = GroupChange::kDisable;
constexpr GroupChange K = GroupChange::kKeep;

// What choosing each mode (the item index) does to the groups. Cells: direction, colour,
// seven-colour, speed, same mode.
constexpr ModeRow kModeRows[] = {
    {E, E, E, E, E},  // 0 wave
    {D, D, D, E, E},  // 1 colour cycle
    {D, E, E, E, E},  // 2 breathing
    {D, E, D, D, E},  // 3 static
    {E, E, E, E, D},  // 4 bar
    {E, E, E, E, D},  // 5 ripple
    {E, D, D, E, D},  // 6 column rainbow
    {D, E, E, E, D},  // 7 sweep
    {D, E, E, D, D},  // 8 flash on a mouse event
    {D, E, E, K, D},  // 9 hold: the frame stays as it is
};
constexpr int kModeCount = static_cast<int>(std::size(kModeRows));
constexpr std::uint8_t kColumnRainbow = 6;
constexpr std::uint8_t kLastMode = 9;

// A refresh shows the stored mode with the same rows, except that the column rainbow has no
// direction and the last mode leaves every group as it was.
ModeRow RefreshRow(std::uint8_t mode) {
  if (mode == kLastMode) return {K, K, K, K, K};
  ModeRow row = kModeRows[mode];
  if (mode == kColumnRainbow) row[kDirectionGroup] = D;
  return row;
}

}  // namespace

// Every edit goes through PadDevice, which hands it to the lighting threads.
PadLightingPage::PadLightingPage(WindowModel& window, PadDevice& pad, LightingSync& sync,
                                 std::function<void()> reread_after_reset)
    : window_(window),
      pad_(pad),
      reread_after_reset_(std::move(reread_after_reset)),
      panel_(window, kPanel, sync,
             {.live = [this] { return Live(); },
              .change =
                  [this](const LightingEdit& edit) {
                    pad_.EditLighting([&edit](LightingBlock& lighting) { edit.ApplyTo(lighting); });
                  }}) {}

void PadLightingPage::Refresh() {
  const LightingBlock block = Live();
  ShowMode(block.mode);
  ShowSlot(pad_.state().live.slot);
  panel_.Show(block);
}

bool PadLightingPage::Handle(const Notification& notification) {
  if (panel_.Handle(notification)) return true;
  const Control& sender = *notification.sender;
  if (notification.type == notify::kItemSelect) return HandleItemSelect(sender, notification.index);
  if (notification.type != notify::kClick || sender.Name() != kResetButton) return false;
  pad_.Reset();
  if (reread_after_reset_) reread_after_reset_();
  return true;
}

void PadLightingPage::AdoptLighting(const LightingBlock& block) {
  pad_.EditLighting([&block](LightingBlock& lighting) { lighting = block; });
  Refresh();
}

bool PadLightingPage::HandleItemSelect(const Control& sender, int index) {
  if (sender.Name() == kSlotCombo) {
    if (pad_.SwitchSlot(index)) Refresh();
    return true;
  }
  if (sender.Name() != kModeCombo || index < 0 || index >= kModeCount) return false;
  ApplyGroupChanges(window_, kGroups, kModeRows[index]);
  pad_.ChooseMode(static_cast<std::uint8_t>(index));
  return true;
}

// A mode the list does not have (copied from another device, say) selects no entry rather than
// whichever the list happened to show.
void PadLightingPage::ShowMode(std::uint8_t mode) {
  const bool known = mode < kModeCount;
  if (Control* combo = window_.Find(kModeCombo)) {
    combo->SelectItem(known ? mode : -1, Notify::kNo);
  }
  if (known) ApplyGroupChanges(window_, kGroups, RefreshRow(mode));
}

void PadLightingPage::ShowSlot(std::uint8_t slot) {
  if (Control* combo = window_.Find(kSlotCombo)) {
    combo->SelectItem(slot < kPadSlotCount ? slot : -1, Notify::kNo);
  }
}

}  // namespace vandrel
