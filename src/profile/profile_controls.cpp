#include "profile/profile_controls.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "profile/profile_catalogue.h"

namespace vandrel {
namespace {

struct Pattern {
  ProfileControl control;
  std::string_view before;  // between the prefix and the kind word
  std::string_view after;   // after the kind word
};

constexpr std::array<Pattern, 16> kPatterns = {{
    {ProfileControl::kCombo, "_", "_profile_combo"},
    {ProfileControl::kAdd, "_pro_", "_add_btn"},
    {ProfileControl::kSub, "_pro_", "_sub_btn"},
    {ProfileControl::kCopy, "_pro_", "_copy_btn"},
    {ProfileControl::kImport, "_pro_", "_import_btn"},
    {ProfileControl::kExport, "_pro_", "_export_btn"},
    {ProfileControl::kReset, "_pro_", "_reset_btn"},
    {ProfileControl::kEdit, "_pro_", "_edit_btn"},
    {ProfileControl::kRenamePanel, "_", "_profile_edit"},
    {ProfileControl::kNameEdit, "_", "_profile_name_edit"},
    {ProfileControl::kSave, "_", "_profile_edit_save_btn"},
    {ProfileControl::kLinkCheck, "_", "_profile_link_check"},
    {ProfileControl::kLinkButton, "_", "_profile_link_btn"},
    {ProfileControl::kLinkEdit, "_", "_profile_link_edit"},
    {ProfileControl::kLinkRow, "_", "_profile_link_name_hor"},
    {ProfileControl::kCancelLink, "_", "_cancle_link_btn"},
}};

constexpr std::array<DeviceKind, 3> kDevices = {DeviceKind::kKeyboard, DeviceKind::kMouse,
                                                DeviceKind::kPad};

std::string_view PrefixOf(DeviceKind device) {
  switch (device) {
    case DeviceKind::kKeyboard:
      return "kb";
    case DeviceKind::kMouse:
      return "ms";
    case DeviceKind::kPad:
      return "mp";
  }
  return "";
}

std::string_view WordOf(ProfileKind kind) {
  switch (kind) {
    case ProfileKind::kKey:
      return "key";
    case ProfileKind::kLight:
      return "deng";
    case ProfileKind::kDevice:
      return "device";
  }
  return "";
}

// The device rows name their profile at all times, so they need no button to show the name edit;
// the mouse's shows it without a panel around it.
bool RowHas(DeviceKind device, ProfileKind kind, ProfileControl control) {
  if (control == ProfileControl::kCancelLink) {
    return (device == DeviceKind::kMouse && kind == ProfileKind::kDevice) ||
           (device == DeviceKind::kKeyboard && kind != ProfileKind::kKey);
  }
  if (kind != ProfileKind::kDevice) return true;
  if (control == ProfileControl::kEdit) return false;
  return control != ProfileControl::kRenamePanel || device != DeviceKind::kMouse;
}

bool SameFolded(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::optional<std::string> ProfileControlName(DeviceKind device, ProfileKind kind,
                                              ProfileControl control) {
  if (FindProfileRow(device, kind) == nullptr || !RowHas(device, kind, control)) {
    return std::nullopt;
  }
  const auto pattern = std::find_if(kPatterns.begin(), kPatterns.end(),
                                    [control](const Pattern& p) { return p.control == control; });
  std::string name(PrefixOf(device));
  name += pattern->before;
  name += WordOf(kind);
  name += pattern->after;
  return name;
}

std::string ProfileSpreadButton(DeviceKind device) {
  return std::string(PrefixOf(device)) + "_profile_fun_spread_btn";
}

std::string ProfilePanel(DeviceKind device) {
  return std::string(PrefixOf(device)) + "_profile_fun_spead_tab";
}

std::optional<ProfileControlId> FindProfileControl(std::string_view name) {
  for (const DeviceKind device : kDevices) {
    if (SameFolded(name, ProfileSpreadButton(device))) {
      return ProfileControlId{device, std::nullopt, std::nullopt};
    }
    for (const ProfileKind kind : KindsOf(device)) {
      for (const Pattern& pattern : kPatterns) {
        const std::optional<std::string> candidate =
            ProfileControlName(device, kind, pattern.control);
        if (candidate && SameFolded(name, *candidate)) {
          return ProfileControlId{device, kind, pattern.control};
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace vandrel
