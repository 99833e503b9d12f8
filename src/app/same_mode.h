// SameMode: the lighting sync of the three devices. Spreading a device's block hands it to the
// other two devices (each takes it into its own lighting, refreshes its page, applies and saves
// it), copies it into the common block of the synchronised animation and sets every channel's
// sync-lighting flag. User-interface thread.
#pragma once

#include <array>
#include <functional>

#include "device/lighting_sync.h"
#include "device/presence_monitor.h"

namespace vandrel {

class SameMode final : public LightingSync {
 public:
  using Adopter = std::function<void(const LightingBlock& block)>;

  // The channels must outlive this object.
  explicit SameMode(DeviceChannels channels) : channels_(channels) {}

  // How `kind` takes another device's block; a device without one is left out.
  void SetAdopter(DeviceKind kind, Adopter adopter);

  [[nodiscard]] SharedLightingBlock& Common() override { return common_; }
  void SpreadFrom(DeviceKind source, const LightingBlock& block) override;

 private:
  DeviceChannels channels_;
  SharedLightingBlock common_;
  std::array<Adopter, 3> adopters_;
};

}  // namespace vandrel
