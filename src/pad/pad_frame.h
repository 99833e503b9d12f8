// PadFrame: one frame of the mouse pad's 15 LEDs, each a colour and a level (0-255) by which the
// colour is dimmed when sent. The LEDs form a U along the pad's edges; the column effects place
// them on a grid of 7 columns × 5 rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "keyboard/lighting/effect_state.h"

namespace vandrel {

inline constexpr std::size_t kPadLedCount = 15;
using PadFrame = std::array<LedEntry, kPadLedCount>;

inline constexpr std::size_t kPadGridColumns = 7;
inline constexpr std::size_t kPadGridRows = 5;
inline constexpr int kNoPadLed = -1;

// The LED at each column and row: down the left edge, along the bottom, up the right edge.
inline constexpr std::array<std::array<int, kPadGridColumns>, kPadGridRows> kPadLedGrid = {{
    {0, -1, -1, -1, -1, -1, 14},
    {1, -1, -1, -1, -1, -1, 13},
    {2, -1, -1, -1, -1, -1, 12},
    {3, -1, -1, -1, -1, -1, 11},
    {4, 5, 6, 7, 8, 9, 10},
}};

}  // namespace vandrel
