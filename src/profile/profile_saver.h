// ProfileSaver: how a page has the device's selected profile files rewritten after an edit. The
// profile catalogues fill it; until then NoProfileSaver keeps nothing.
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
};

class NoProfileSaver final : public ProfileSaver {
 public:
  void SaveSelected(DeviceKind, unsigned) override {}
};

}  // namespace vandrel
