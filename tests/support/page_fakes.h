// Fakes the device pages' tests share: the lighting sync of the three devices, recording each
// spread, and a profile saver recording each rewrite it was asked for.
#pragma once

#include <utility>
#include <vector>

#include "device/lighting_sync.h"
#include "profile/profile_saver.h"

namespace vandrel::testing {

class FakeLightingSync final : public LightingSync {
 public:
  SharedLightingBlock& Common() override { return common; }
  void SpreadFrom(DeviceKind source, const LightingBlock& block) override {
    spreads.emplace_back(source, block);
  }

  SharedLightingBlock common;
  std::vector<std::pair<DeviceKind, LightingBlock>> spreads;
};

class RecordingProfileSaver final : public ProfileSaver {
 public:
  void SaveSelected(DeviceKind device, unsigned kinds) override {
    saves.emplace_back(device, kinds);
  }

  std::vector<std::pair<DeviceKind, unsigned>> saves;
};

}  // namespace vandrel::testing
