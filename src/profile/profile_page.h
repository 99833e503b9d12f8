// ProfilePage: the profile rows of the device tabs on the main window's controls. For each kind
// of profile a device keeps, a combo lists the catalogue's profiles, and the row's buttons select,
// add, delete, copy, rename, import, export and reset them. Each change is made on the catalogue
// and the files by ProfileOperations; the profile a change ends on is then selected, which
// applies it to the device (DeviceProfiles::Apply) and refreshes the device's pages. Refusals
// and failures are shown as messages. The combos show the catalogue: they are filled at start
// and again once a device has been read (the keyboard's first profiles are made then, and the
// stored selection applied), each showing the stored selection. User-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profile/device_profiles.h"
#include "profile/profile_controls.h"
#include "profile/profile_operations.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

// Shown when a loaded profile holds settings the device cannot take.
inline constexpr std::string_view kProfileNotAppliedMessage = "message_text_profile_not_applied";

class ProfilePage {
 public:
  // `refresh_pages` refills the device's pages from its state. Everything given must outlive
  // the page.
  ProfilePage(WindowModel& window, Dialogs& dialogs, DeviceProfiles& profiles, ProfileSaver& saver,
              std::function<int()> keyboard_model, std::function<void(DeviceKind)> refresh_pages);

  // Start: the first profiles of the mouse and the pad, then every combo filled from its
  // catalogue.
  void Start();
  // After the device has been read: its stored profile restored (DeviceProfiles), then its combos
  // filled. True when the stored profile was applied.
  bool RestoreSelection(DeviceKind device);
  // The combos of `device` filled from its catalogue, each on its stored selection.
  void ShowCatalogue(DeviceKind device);

  // The row controls' and spread buttons' notifications; false when the notification is not one
  // the page acts on.
  bool Handle(const Notification& notification);

  // A switch asked for by a program watcher: `linked` (a profile linked to the program in the
  // foreground) or, with nullopt, the stored selection becomes the profile in use, shown in the
  // row and loaded and applied, without the stored selection changing; later edits are written
  // to it. The device's waiting rewrites are written first. With `load` false (the device is not
  // there) the row only shows it. A profile in use already is not loaded again; a number that is
  // not listed (the list changed meanwhile) changes nothing.
  void UseProfile(DeviceKind device, ProfileKind kind, std::optional<std::size_t> linked,
                  bool load);
  // Called after the user changed a link of the row (the watchers look again).
  void SetLinksChanged(std::function<void(DeviceKind, ProfileKind)> links_changed);
  // The programs running now with a window, offered when the user links a profile; without it
  // (or when it lists none) the link controls open the file dialog at once.
  void SetRunningPrograms(std::function<std::vector<std::string>()> running_programs);

 private:
  struct Row {
    DeviceKind device;
    ProfileKind kind;
  };

  void Click(const Row& row, ProfileControl control);
  // The link controls (profile_page_links.cpp).
  void LinkByCheck(const Row& row);
  void LinkByButton(const Row& row);
  void CancelLink(const Row& row);
  // Shows the stored link of profile `number` in the row's link controls.
  void ShowLink(const Row& row, std::size_t number);
  // Shows `name` in the link edit, with the check box and the link row as given.
  void SetLinkControls(const Row& row, std::string_view name, bool linked);
  // The program the user picks among those running now, or else in the file dialog; nullopt
  // when cancelled.
  [[nodiscard]] std::optional<std::string> ChooseProgram();
  // The program the user picks in the file dialog (any file); nullopt when cancelled.
  [[nodiscard]] std::optional<std::string> ChooseProgramFile();
  void LinksChanged(const Row& row);
  // Selects `number` in the row's combo and, through ActivateProfile, loads and applies it.
  void Activate(const Row& row, std::size_t number);
  void Apply(const Row& row, std::span<const std::uint8_t> payload);
  // Profile `number` shown in the row: the combo, the name edit and the link.
  void Show(const Row& row, std::size_t number, const std::string& name);
  void Add(const Row& row);
  void Delete(const Row& row);
  void Copy(const Row& row);
  void Rename(const Row& row);
  void Import(const Row& row);
  void Export(const Row& row);
  void Reset(const Row& row);
  // The outcome's message when it failed; true when it did not.
  bool Succeeded(const ProfileOutcome& outcome);
  // The profile the row's combo shows.
  [[nodiscard]] std::optional<std::size_t> Shown(const Row& row) const;
  // The combo refilled, `number` shown, its name in the name edit.
  void Fill(const Row& row, std::optional<std::size_t> number);
  void Toggle(const std::optional<std::string>& name);
  // While a file dialog is open, the import and export buttons of the device rows and of the
  // pad are disabled.
  void EnableFileButtons(const Row& row, bool enabled);
  [[nodiscard]] Control* Find(const Row& row, ProfileControl control) const;
  [[nodiscard]] ProfileOperations Operations(DeviceKind device);

  WindowModel& window_;
  Dialogs& dialogs_;
  DeviceProfiles& profiles_;
  ProfileSaver& saver_;
  std::function<int()> keyboard_model_;
  std::function<void(DeviceKind)> refresh_pages_;
  std::function<void(DeviceKind, ProfileKind)> links_changed_;
  std::function<std::vector<std::string>()> running_programs_;
};

}  // namespace vandrel
