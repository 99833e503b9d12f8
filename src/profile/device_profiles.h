// DeviceProfiles: the profile catalogues of the mouse, the keyboard and the pad tied to the
// program's device objects — where each device's selected profiles are written from (the
// writer's payload sources), the first profiles at start, and the stored profile applied when a
// device has been read. User-interface thread.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "app/data_folders.h"
#include "device/field_problem.h"
#include "keyboard/keyboard_device.h"
#include "mouse/mouse_device.h"
#include "pad/pad_device.h"
#include "profile/profile_catalogue.h"
#include "profile/selected_profile_writer.h"

namespace vandrel {

struct ProfileDevices {
  MouseDevice& mouse;
  KeyboardDevice& keyboard;
  PadDevice& pad;
  std::function<int()> keyboard_model;  // the attached keyboard's model, 0-3
  std::function<void(std::string_view message_id)> show_message;
};

class DeviceProfiles {
 public:
  // Connects the catalogues and the devices' states to `writer`. Everything given must outlive
  // this; the writer's rewrites are flushed and it is disconnected when this goes.
  DeviceProfiles(const DataFolders& folders, SelectedProfileWriter& writer,
                 const ProfileDevices& devices);
  ~DeviceProfiles();
  DeviceProfiles(const DeviceProfiles&) = delete;
  DeviceProfiles& operator=(const DeviceProfiles&) = delete;

  [[nodiscard]] const ProfileCatalogue& catalogue(DeviceKind device) const;

  // Start: the first profiles of the mouse and the pad, from their default files, when their
  // catalogues have none (a message when a default file cannot be used). The keyboard's wait
  // for the keyboard, whose model chooses its default files.
  void LoadCatalogues();
  // After the device has been read: the keyboard's first profiles when it has none, then the
  // profile in use (the device profile; the pad's light profile: the stored selection, or the
  // linked profile whose program is in the foreground) is loaded and
  // applied, replacing what was read, and the rewrites that the read asked for are dropped.
  // False, with the state as read, when there is no such profile or it cannot be loaded or the
  // device cannot take it.
  bool RestoreSelection(DeviceKind device);

  // The profile of the kind in use now, and the linked profile to use instead of the stored
  // selection (nullopt: the stored selection again); see SelectedProfileWriter::UseInstead.
  [[nodiscard]] std::optional<std::size_t> InUse(DeviceKind device, ProfileKind kind) const {
    return writer_.InUse(device, kind);
  }
  void UseInstead(DeviceKind device, ProfileKind kind, std::optional<std::size_t> number) {
    writer_.UseInstead(device, kind, number);
  }

  // Applies a loaded payload of `kind` (the row's size) to the device; the problem when the
  // device cannot take it. (Choosing a mouse key profile loads no payload, so only its reset
  // reaches the mouse.)
  [[nodiscard]] std::optional<FieldProblem> Apply(DeviceKind device, ProfileKind kind,
                                                  std::span<const std::uint8_t> payload);

 private:
  [[nodiscard]] std::vector<std::uint8_t> Payload(DeviceKind device, ProfileKind kind);
  [[nodiscard]] std::optional<FieldProblem> ApplyToMouse(ProfileKind kind,
                                                         std::span<const std::uint8_t> payload);
  [[nodiscard]] std::optional<FieldProblem> ApplyToKeyboard(ProfileKind kind,
                                                            std::span<const std::uint8_t> payload);

  SelectedProfileWriter& writer_;
  ProfileDevices devices_;
  std::array<ProfileCatalogue, 3> catalogues_;  // by DeviceKind
};

}  // namespace vandrel
