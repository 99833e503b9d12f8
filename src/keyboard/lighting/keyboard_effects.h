// The keyboard lighting engine: renders the next frame of the current effect for a keyboard model
// and tells the lighting thread how to pace and send it. The engine does no I/O and never sleeps:
// the thread takes the effect's pre-delay before calling RenderKeyboardFrame, then encodes the
// frame (frame_encoding.h) and sends what the encoder returns.
//
// Models are the KeyboardModel numbers: 0 per-key RGB, 1 single colour, 2 per-key RGB that no
// keyboard selects (the engine renders and sends nothing for it), 3 six zones.
#pragma once

#include <chrono>
#include <cstdint>

#include "keyboard/lighting/effect_inputs.h"
#include "keyboard/lighting/effect_state.h"

namespace vandrel {

struct KeyboardEffectTraits {
  // The extra pause the lighting thread takes before rendering a frame of this mode.
  std::chrono::milliseconds pre_delay{0};
  // Whether the frame goes to the keyboard with command 18; false where the keyboard animates the
  // mode itself (and always on model 1, whose frames only drive the preview).
  bool streamed = false;
};

[[nodiscard]] KeyboardEffectTraits EffectTraits(std::uint8_t model, std::uint8_t mode);

// Renders the next frame of mode `inputs.lighting.mode` on `model` into `frame`, advancing
// `state`. Modes without an effect on the model leave the frame and the state as they are.
// Rendering thread only; allocates nothing.
void RenderKeyboardFrame(std::uint8_t model, const EffectInputs& inputs, EffectState& state,
                         KeyboardLedFrame& frame);

}  // namespace vandrel
