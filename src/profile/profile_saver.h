// ProfileSaver: how a page has the device's selected profile files rewritten after an edit, and
// how the main window has the rewrites that are still to come carried out. SelectedProfileWriter
// (profile/selected_profile_writer.h) keeps the files; NoProfileSaver, for faces without a data
// folder, keeps nothing.
#pragma once

#include "device/device_kind.h"

namespace vandrel {

// Which of a device's selected profiles to rewrite, as bits.
enum ProfileKinds : unsigned {
  kKeyProfile = 1U << 0,     // ".pro"
  kLightProfile = 1U << 1,   // ".led"
  kDeviceProfile = 1U << 2,  // ".config"
};

class ProfileSaver {
 public:
  virtual ~ProfileSaver() = default;
  // Rewrites the selected profiles of `kinds` from the device's state. User-interface thread.
  virtual void SaveSelected(DeviceKind device, unsigned kinds) = 0;
  // Timer 2: the rewrites that have waited long enough. User-interface thread.
  virtual void WriteDue() {}
  // Every rewrite still to come for `device` (it went away, or another profile is chosen), now.
  // User-interface thread.
  virtual void Flush(DeviceKind /*device*/) {}
  // Every rewrite still to come, now (the program ends). User-interface thread.
  virtual void FlushAll() {}
};

class NoProfileSaver final : public ProfileSaver {
 public:
  void SaveSelected(DeviceKind, unsigned) override {}
};

}  // namespace vandrel
