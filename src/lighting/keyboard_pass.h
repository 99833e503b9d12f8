// The part of the keyboard lighting thread's pass that neither sleeps nor sends: rendering one
// frame of the keyboard's own effect and what the thread changes after every pass. The thread
// uses it, and so does anything that must produce the same frames without the thread.
#pragma once

#include <cstdint>

#include "keyboard/lighting/effect_inputs.h"
#include "keyboard/lighting/effect_state.h"
#include "keyboard/lighting/frame_encoding.h"

namespace vandrel {

// Where the keyboard thread's random numbers start.
inline constexpr std::uint32_t kKeyboardEffectSeed = 0x4B42u;

// Renders the next frame of `inputs.lighting.mode` on `model` onto `image`, the frame last shown:
// the keys and the zone colours an effect leaves alone keep what they had.
void RenderKeyboardImage(std::uint8_t model, const EffectInputs& inputs, EffectState& effect,
                         KeyboardFrameImage& image);

// After every pass while the keyboard is connected, rendered or not, the running colour counter
// moves on.
void FinishKeyboardPass(EffectState& effect);

}  // namespace vandrel
