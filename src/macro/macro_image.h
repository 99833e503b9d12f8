// The macro image: every macro of a device's library in one block, as the device keeps it in its
// macro memory, and the check that it fits there. Little-endian throughout:
//   header (16 bytes): magic 0x55AA, total length, number of macros, 10 reserved bytes;
//   directory: per macro the byte offset of its block from the start of the image;
//   blocks, macro 0 first: step count, 2 reserved bytes, then 4 bytes per step
//   (delay low, delay high, code, value).
// Plain functions; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "macro/macro_action.h"
#include "macro/macro_store.h"

namespace vandrel {

inline constexpr std::uint16_t kMacroImageMagic = 0x55AA;
inline constexpr std::size_t kMacroImageHeaderSize = 16;
inline constexpr std::size_t kMacroBlockHeaderSize = 4;
inline constexpr std::size_t kMacroStepSize = 4;
// The device reports its macro memory in units of this many bytes.
inline constexpr std::size_t kMacroMemoryUnit = 128;
// Formatted with the number of steps to remove when the image does not fit.
inline constexpr std::string_view kMacroImageTooLongMessage = "message_text_16";

using MacroSteps = std::vector<MacroAction>;

// The steps of every macro of `store` in catalogue order, read from the macro files: a missing
// file gives no steps, and a line that is not an action line a step of zeros, so that the count
// the file gives is the count the device is told.
[[nodiscard]] std::vector<MacroSteps> ReadLibrarySteps(const MacroStore& store);

// 16 + 6 per macro + 4 per step.
[[nodiscard]] std::size_t MacroImageLength(std::span<const MacroSteps> macros);

// How many 4-byte steps must go for an image of `length` bytes to fit a memory of `units` × 128
// bytes, as the user is told it: the excess in whole steps, plus one. nullopt when it fits.
[[nodiscard]] std::optional<int> StepsOverCapacity(std::size_t length, std::uint8_t units);

// The image of `macros`. Its length must fit the 16-bit length field (a capacity check does).
[[nodiscard]] std::vector<std::uint8_t> EncodeMacroImage(std::span<const MacroSteps> macros);

struct MacroImageResult {
  std::vector<std::uint8_t> image;  // empty when refused
  std::optional<int> steps_over;    // set when refused for lack of room
};

// The image of `store`'s library for a device with `units` × 128 bytes of macro memory, or the
// refusal when it does not fit.
[[nodiscard]] MacroImageResult BuildMacroImage(const MacroStore& store, std::uint8_t units);

}  // namespace vandrel
