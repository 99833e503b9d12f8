// Where the keyboard's key slots sit for the lighting effects: the LED matrix of columns and rows,
// the paths, rings and sweeps the effects walk, and the start phases of the pulses. Each table
// holds key slots (0-125).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vandrel {

// The slot value of a matrix cell, path position or group place without a key.
inline constexpr std::uint8_t kNoKeySlot = 126;
// The slot value of an unused place in a sweep line.
inline constexpr std::uint8_t kNoSweepSlot = 255;

inline constexpr std::size_t kMatrixColumns = 23;
inline constexpr std::size_t kMatrixRows = 6;
using MatrixColumn = std::array<std::uint8_t, kMatrixRows>;

// The keys by column (0 left … 22 right) and row (0 top … 5 bottom).
extern const std::array<MatrixColumn, kMatrixColumns> kLedMatrix;
// A start phase for each matrix cell, column by column.
extern const std::array<MatrixColumn, kMatrixColumns> kPulseStartPhases;

// 109 keys in a serpentine through the keyboard.
extern const std::array<std::uint8_t, 109> kKeyPath;
// Whether a slot lies on kKeyPath.
extern const std::array<bool, 126> kOnKeyPath;
// 107 positions of the snake; the last one is slot 0 again.
extern const std::array<std::uint8_t, 107> kSnakePath;
// Positions into kKeyPath in the order the twinkle lights them.
extern const std::array<std::uint8_t, 104> kTwinkleOrder;

// Twelve rings around the key of slot 51, the innermost first.
inline constexpr std::size_t kKeyGroupSize = 12;
extern const std::array<std::array<std::uint8_t, kKeyGroupSize>, 12> kKeyGroups;

// The 20 lines of the sweep, up to six keys each, and the 16 key pairs it flickers afterwards.
extern const std::array<std::array<std::uint8_t, 6>, 20> kSweepColumns;
extern const std::array<std::array<std::uint8_t, 2>, 16> kSweepPairs;

}  // namespace vandrel
