// Byte records: structs of single bytes in wire order, so that a record's encoding is its object
// representation. Every record type names its size as `kSize` and asserts it; Encode and
// DecodeInto are the only way in and out.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vandrel {

template <typename Record>
[[nodiscard]] std::array<std::uint8_t, Record::kSize> Encode(const Record& record) {
  static_assert(sizeof(Record) == Record::kSize);
  return std::bit_cast<std::array<std::uint8_t, Record::kSize>>(record);
}

// Decodes the first Record::kSize bytes of `bytes` over `record`; shorter input changes only the
// bytes it has (the rest keep their values).
template <typename Record>
void DecodeInto(std::span<const std::uint8_t> bytes, Record& record) {
  std::array<std::uint8_t, Record::kSize> image = Encode(record);
  const std::size_t count = std::min(bytes.size(), image.size());
  std::copy_n(bytes.begin(), count, image.begin());
  record = std::bit_cast<Record>(image);
}

}  // namespace vandrel
