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
#include <string_view>

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

 private:
  struct Row {
    DeviceKind device;
    ProfileKind kind;
  };

  void Click(const Row& row, ProfileControl control);
  // Selects `number` in the row's combo and, through ActivateProfile, loads and applies it.
  void Activate(const Row& row, std::size_t number);
  void Apply(const Row& row, std::span<const std::uint8_t> payload);
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
};

}  // namespace vandrel
