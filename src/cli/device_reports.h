// What vandrelctl tells about a device or a profile, as JSON documents: `info` prints them (or
// their text form), `profile show` prints the parts a profile file holds.
#pragma once

#include <nlohmann/json.hpp>

#include "cli/english_texts.h"
#include "device/lighting_block.h"
#include "keyboard/keyboard_state.h"
#include "mouse/assignment_texts.h"
#include "mouse/mouse_state.h"
#include "pad/pad_state.h"

namespace vandrel::cli {

using Json = nlohmann::ordered_json;

// The English name of a button's or key's function; null when it has none. Macros are named
// through `macro_name`, or by their number when it has no name for them; keys with modifiers that
// no list names, by their keys ("Left Ctrl+Left Shift+A").
[[nodiscard]] Json FunctionName(const KeyAssignment& assignment, const EnglishTexts& texts,
                                AssignmentHolder holder, const MacroNameLookup& macro_name = {});
[[nodiscard]] Json LightingReport(const LightingBlock& lighting);
// A mouse settings record: report rate, the active DPI level and the levels with their values and
// colours (all counted from 1), lighting.
[[nodiscard]] Json MouseSettingsReport(const MouseSettings& settings);
[[nodiscard]] Json MouseButtonsReport(const MouseKeyTable& keys, const EnglishTexts& texts);
// Keys 0 … key_count − 1 of `keys`, each with the name of its factory function in `defaults`
// when given.
[[nodiscard]] Json KeyboardKeysReport(const KeyboardKeyTable& keys,
                                      const KeyboardKeyTable* defaults, std::size_t key_count,
                                      const EnglishTexts& texts);
[[nodiscard]] Json KeyboardLightingReport(const KeyboardLiveLighting& live,
                                          const KeyboardCustomColours& custom);

// Everything read from a device.
[[nodiscard]] Json MouseReport(const MouseState& state, const EnglishTexts& texts);
[[nodiscard]] Json KeyboardReport(const KeyboardState& state, int model, const EnglishTexts& texts);
[[nodiscard]] Json PadReport(const PadState& state);

}  // namespace vandrel::cli
