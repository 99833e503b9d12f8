#include "app/same_mode.h"

namespace vandrel {

void SameMode::SetAdopter(DeviceKind kind, Adopter adopter) {
  adopters_[static_cast<std::size_t>(kind)] = std::move(adopter);
}

void SameMode::SpreadFrom(DeviceKind source, const LightingBlock& block) {
  common_.Store(block);
  for (const DeviceKind kind : {DeviceKind::kPad, DeviceKind::kKeyboard, DeviceKind::kMouse}) {
    const Adopter& adopt = adopters_[static_cast<std::size_t>(kind)];
    if (kind != source && adopt) adopt(block);
  }
  for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    channels_.Of(kind).set_sync_lighting(true);
  }
}

}  // namespace vandrel
