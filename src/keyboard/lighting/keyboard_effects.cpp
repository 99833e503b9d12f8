#include "keyboard/lighting/keyboard_effects.h"

#include <span>

#include "keyboard/lighting/model_effects.h"

namespace vandrel {
namespace {

// The effect of a mode on a model; nullptr for a mode the model does not have.
const EffectEntry* FindEffect(std::uint8_t model, std::uint8_t mode) {
  std::span<const EffectEntry> effects;
  switch (model) {
    case 0:
      effects = kModel0Effects;
      break;
    case 1:
      effects = kModel1Effects;
      break;
    case 3:
      effects = kModel3Effects;
      break;
    default:
      return nullptr;
  }
  return mode < effects.size() ? &effects[mode] : nullptr;
}

}  // namespace

KeyboardEffectTraits EffectTraits(std::uint8_t model, std::uint8_t mode) {
  if (const EffectEntry* effect = FindEffect(model, mode)) {
    return {std::chrono::milliseconds(effect->pre_delay_ms), effect->streamed};
  }
  // Modes past a list's end render nothing; the per-key and zone keyboards still get the frame
  // they already had.
  return {std::chrono::milliseconds(0), model == 0 || model == 3};
}

void RenderKeyboardFrame(std::uint8_t model, const EffectInputs& inputs, EffectState& state,
                         KeyboardLedFrame& frame) {
  const EffectEntry* effect = FindEffect(model, inputs.lighting.mode);
  if (effect != nullptr && effect->render != nullptr) effect->render(inputs, state, frame);
}

}  // namespace vandrel
