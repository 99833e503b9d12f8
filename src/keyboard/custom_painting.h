// Painting the custom colour sets of the keyboard's custom modes: a whole set off or on, and one
// clicked key — its LED on the per-key keyboards, its backlight position on the single-colour one,
// its whole zone on the six-zone one. How a set is indexed follows the model (CustomSetLayout).
// Whoever calls these holds the state's lighting lock.
#pragma once

#include <cstddef>

#include "keyboard/keyboard_model.h"
#include "keyboard/keyboard_records.h"

namespace vandrel {

// Every entry of the current set off: black, or level 0 on a set of levels.
void AllCustomKeysOff(KeyboardCustomColours& custom, KeyboardModel model);
// Every entry of the current set that is off takes the paint colour, or level 255 on a set of
// levels; the others stay as they are.
void AllCustomKeysOn(KeyboardCustomColours& custom, KeyboardModel model);
// The key of `slot` (0-125) painted in the current set: with the paint colour, or switched on in
// a set of levels; on the six-zone keyboard every key of the slot's zone. False, with nothing
// changed, for a slot without an LED or outside every zone.
bool PaintCustomKey(KeyboardCustomColours& custom, KeyboardModel model, std::size_t slot);

}  // namespace vandrel
