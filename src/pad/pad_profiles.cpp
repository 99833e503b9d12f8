#include "pad/pad_profiles.h"

namespace vandrel {

PadLightProfileBytes MakeLightProfile(PadState& state) {
  state.slots[0].settings = state.live;
  return Encode(state.slots[0]);
}

}  // namespace vandrel
