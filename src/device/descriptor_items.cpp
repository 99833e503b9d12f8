#include "device/descriptor_items.h"

namespace vandrel {
namespace {

constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kLongItemHeader = 3;  // prefix, data length, long tag

// The two low bits of a short item's prefix give its data length; 3 means four bytes.
constexpr std::uint8_t kShortItemSizes[4] = {0, 1, 2, 4};

}  // namespace

std::int32_t DescriptorItem::SignedData() const {
  switch (size) {
    case 1:
      return static_cast<std::int8_t>(data & 0xFF);
    case 2:
      return static_cast<std::int16_t>(data & 0xFFFF);
    case 4:
      return static_cast<std::int32_t>(data);
    default:
      return 0;
  }
}

DescriptorItemReader::Step DescriptorItemReader::Next(DescriptorItem& item) {
  if (position_ >= bytes_.size()) return Step::kEnd;
  const std::uint8_t prefix = bytes_[position_];
  if (prefix == kLongItemPrefix) return NextLong(item);

  const std::uint8_t size = kShortItemSizes[prefix & 0x03];
  if (bytes_.size() - position_ - 1 < size) return Step::kTruncated;
  item = DescriptorItem{};
  item.type = static_cast<ItemType>((prefix >> 2) & 0x03);
  item.tag = static_cast<std::uint8_t>(prefix >> 4);
  item.size = size;
  for (std::size_t i = 0; i < size; ++i) {
    item.data |= static_cast<std::uint32_t>(bytes_[position_ + 1 + i]) << (8 * i);
  }
  position_ += 1 + size;
  return Step::kItem;
}

DescriptorItemReader::Step DescriptorItemReader::NextLong(DescriptorItem& item) {
  if (bytes_.size() - position_ < kLongItemHeader) return Step::kTruncated;
  const std::uint8_t size = bytes_[position_ + 1];
  if (bytes_.size() - position_ - kLongItemHeader < size) return Step::kTruncated;
  item = DescriptorItem{};
  item.type = ItemType::kReserved;
  item.tag = bytes_[position_ + 2];
  item.size = size;
  item.is_long = true;
  position_ += kLongItemHeader + size;
  return Step::kItem;
}

}  // namespace vandrel
