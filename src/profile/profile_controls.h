// The controls of the profile rows on the device tabs. Every (device, kind) row has a combo
// listing the profiles, the buttons of the operations and a name edit with its save button; the
// light and key rows also have an edit button that shows and hides their rename panel. The device
// rows keep their name edit in sight instead: the keyboard's inside a rename panel, the mouse's
// without one. Each device has a spread button that shows and hides the panel holding its rows.
// Names are made from the device prefix ("kb", "ms", "mp") and the kind word ("key", "deng",
// "device"): "ms_deng_profile_combo", "kb_pro_device_add_btn", "mp_deng_profile_name_edit".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/device_kind.h"
#include "profile/profile_file.h"

namespace vandrel {

enum class ProfileControl {
  kCombo,
  kAdd,
  kSub,  // delete
  kCopy,
  kImport,
  kExport,
  kReset,
  kEdit,         // shows or hides the rename panel
  kRenamePanel,  // holds the name edit and the save button
  kNameEdit,
  kSave,  // renames the profile to the name edit's text
  // The link to a program: the check box links and unlinks the profile shown, the button
  // chooses the program, the edit shows its file name inside the link row, and the cancel
  // button (three rows have one) unlinks.
  kLinkCheck,
  kLinkButton,
  kLinkEdit,
  kLinkRow,
  kCancelLink,
};

// The control `control` of the (device, kind) row; nullopt when the row has no such control (a
// device row's edit button, the mouse device row's rename panel, the cancel-link button of the
// rows other than the mouse device, keyboard light and keyboard device rows).
[[nodiscard]] std::optional<std::string> ProfileControlName(DeviceKind device, ProfileKind kind,
                                                            ProfileControl control);
// The spread button of `device`, and the panel it shows and hides.
[[nodiscard]] std::string ProfileSpreadButton(DeviceKind device);
[[nodiscard]] std::string ProfilePanel(DeviceKind device);

// What a control name names: one control of a row, or (no kind, no control) a spread button.
struct ProfileControlId {
  DeviceKind device;
  std::optional<ProfileKind> kind;
  std::optional<ProfileControl> control;
};
// The row control or spread button `name` is (letter case ignored); nullopt for other names.
[[nodiscard]] std::optional<ProfileControlId> FindProfileControl(std::string_view name);

}  // namespace vandrel
