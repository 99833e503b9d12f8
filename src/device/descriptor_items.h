// Reading a HID report descriptor item by item: short items (a prefix byte with tag, type and a
// 0, 1, 2 or 4-byte little-endian value) and long items (prefix 0xFE, a data length, a tag, then
// the data). Nothing here knows what an item means; see report_descriptor.h for that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vandrel {

enum class ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

struct DescriptorItem {
  ItemType type = ItemType::kMain;
  std::uint8_t tag = 0;
  std::uint8_t size = 0;   // bytes of data: 0, 1, 2 or 4 (long items: their own length)
  std::uint32_t data = 0;  // the data as an unsigned little-endian number (0 for long items)
  bool is_long = false;    // long items carry no defined meaning and are skipped by the parser

  // The data read as a two's-complement number of `size` bytes.
  [[nodiscard]] std::int32_t SignedData() const;
};

// Walks a descriptor; never reads outside the bytes it was given. A plain value, one thread.
class DescriptorItemReader {
 public:
  enum class Step { kItem, kEnd, kTruncated };

  explicit DescriptorItemReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Reads the next item into `item`. kEnd when every byte has been read, kTruncated when the last
  // item runs past the end of the descriptor.
  [[nodiscard]] Step Next(DescriptorItem& item);

 private:
  [[nodiscard]] Step NextLong(DescriptorItem& item);

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace vandrel
