#include "pad/pad_profiles.h"

#include "device/lighting_limits.h"

namespace vandrel {

PadLightProfileBytes MakeLightProfile(PadState& state) {
  state.slots[0].settings = state.live;
  return Encode(state.slots[0]);
}

std::optional<FieldProblem> PadLightProfileProblem(
    std::span<const std::uint8_t, kPadLightProfileSize> payload) {
  PadSlotRecord record;
  DecodeInto(payload, record);
  if (auto problem = AboveProblem("slot", record.settings.slot, kPadSlotCount - 1)) return problem;
  return LightingProblem(record.settings.lighting, DeviceKind::kPad, 0);
}

}  // namespace vandrel
