// Little-endian byte helpers for every device encoding. Offsets are the caller's contract: they
// must leave room for the value inside the span.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vandrel {

[[nodiscard]] constexpr std::uint16_t ReadLe16(std::span<const std::uint8_t> bytes,
                                               std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

[[nodiscard]] constexpr std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes,
                                               std::size_t offset) {
  return static_cast<std::uint32_t>(ReadLe16(bytes, offset)) |
         (static_cast<std::uint32_t>(ReadLe16(bytes, offset + 2)) << 16);
}

constexpr void WriteLe16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

constexpr void WriteLe32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
  WriteLe16(bytes, offset, static_cast<std::uint16_t>(value & 0xFFFF));
  WriteLe16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace vandrel
