// The host's fixed numbering of a full-size keyboard: 126 key slots (the key buttons "kb_key_0" …
// "kb_key_125"), each with the factory assignment that identifies it. A keyboard's own keys are
// found among the slots by comparing its factory table with these identities.
#pragma once

#include <array>
#include <cstddef>

#include "mouse/key_assignment.h"

namespace vandrel {

inline constexpr std::size_t kKeySlotCount = 126;

// The identity of a slot no keyboard has a key for. It matches no key: a key whose factory code is
// empty has no place on the picture, and fifteen blank places must not all edit it.
inline constexpr KeyAssignment kNoKeyIdentity{assignment_type::kKey, 0, 0};
// The column left of the main block, slots 16–20, holds the extra keys G1–G5, which the keyboard
// reports by their own factory codes.
inline constexpr std::size_t kFirstExtraKeySlot = 16;

namespace key_slot_detail {

struct SlotUsage {
  std::size_t slot;
  std::uint8_t modifier;
  std::uint8_t usage;
};

// Every slot that has a key, with its HID modifier bit or keyboard usage ID.
inline constexpr SlotUsage kSlotUsages[] = {
    {0, 0, 0x29},   {13, 0, 0x46},  {14, 0, 0x47},  {15, 0, 0x48},  {21, 0, 0x35},  {31, 0, 0x27},
    {32, 0, 0x2D},  {33, 0, 0x2E},  {34, 0, 0x2A},  {35, 0, 0x49},  {36, 0, 0x4A},  {37, 0, 0x4B},
    {38, 0, 0x53},  {39, 0, 0x54},  {40, 0, 0x55},  {41, 0, 0x56},  {42, 0, 0x2B},  {43, 0, 0x14},
    {44, 0, 0x1A},  {45, 0, 0x08},  {46, 0, 0x15},  {47, 0, 0x17},  {48, 0, 0x1C},  {49, 0, 0x18},
    {50, 0, 0x0C},  {51, 0, 0x12},  {52, 0, 0x13},  {53, 0, 0x2F},  {54, 0, 0x30},  {55, 0, 0x31},
    {56, 0, 0x4C},  {57, 0, 0x4D},  {58, 0, 0x4E},  {59, 0, 0x5F},  {60, 0, 0x60},  {61, 0, 0x61},
    {63, 0, 0x39},  {64, 0, 0x04},  {65, 0, 0x16},  {66, 0, 0x07},  {67, 0, 0x09},  {68, 0, 0x0A},
    {69, 0, 0x0B},  {70, 0, 0x0D},  {71, 0, 0x0E},  {72, 0, 0x0F},  {73, 0, 0x33},  {74, 0, 0x34},
    {75, 0, 0x28},  {76, 0, 0x5C},  {77, 0, 0x5D},  {78, 0, 0x5E},  {84, 0x02, 0},  {85, 0, 0x1D},
    {86, 0, 0x1B},  {87, 0, 0x06},  {88, 0, 0x19},  {89, 0, 0x05},  {90, 0, 0x11},  {91, 0, 0x10},
    {92, 0, 0x36},  {93, 0, 0x37},  {94, 0, 0x38},  {95, 0x20, 0},  {96, 0, 0x52},  {97, 0, 0x59},
    {98, 0, 0x5A},  {99, 0, 0x5B},  {102, 0, 0x64}, {105, 0x01, 0}, {106, 0x08, 0}, {107, 0x04, 0},
    {108, 0, 0x2C}, {109, 0x40, 0}, {111, 0, 0x65}, {112, 0x10, 0}, {113, 0, 0x50}, {114, 0, 0x51},
    {115, 0, 0x4F}, {116, 0, 0x62}, {117, 0, 0x63}, {118, 0, 0x58}, {119, 0, 0x57}, {125, 0x80, 0},
};

constexpr std::array<KeyAssignment, kKeySlotCount> BuildIdentities() {
  std::array<KeyAssignment, kKeySlotCount> identities{};
  identities.fill(kNoKeyIdentity);
  for (const SlotUsage& entry : kSlotUsages) {
    identities[entry.slot] = {assignment_type::kKey, entry.modifier, entry.usage};
  }
  // F1–F12 and the number row 1–9 are runs of consecutive usages.
  for (std::size_t f = 0; f < 12; ++f) {
    identities[1 + f] = {assignment_type::kKey, 0, static_cast<std::uint8_t>(0x3A + f)};
  }
  for (std::size_t digit = 0; digit < 9; ++digit) {
    identities[22 + digit] = {assignment_type::kKey, 0, static_cast<std::uint8_t>(0x1E + digit)};
  }
  for (std::size_t g = 0; g < 5; ++g) {
    identities[kFirstExtraKeySlot + g] = {assignment_type::kExtraKey, kExtraKeyMark,
                                          static_cast<std::uint8_t>(1 + g)};
  }
  identities[110] = {assignment_type::kFunctionKey, 0x02, 0x02};
  return identities;
}

}  // namespace key_slot_detail

inline constexpr std::array<KeyAssignment, kKeySlotCount> kKeySlotIdentity =
    key_slot_detail::BuildIdentities();

}  // namespace vandrel
