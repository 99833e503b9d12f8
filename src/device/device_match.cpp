#include "device/device_match.h"

#include <algorithm>
#include <array>

#include "device/product_ids.h"

namespace vandrel {
namespace {

constexpr std::array<std::uint16_t, 4> kKeyboardProductIds = {
    kKeyboardProductId, kPerKeyKeyboardProductId, kZoneKeyboardProductId,
    kPerKeyKeyboardAltProductId};
constexpr std::array<std::uint16_t, 1> kMouseProductIds = {kMouseProductId};
constexpr std::array<std::uint16_t, 1> kPadProductIds = {kPadProductId};

constexpr DeviceKind kKinds[] = {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad};

}  // namespace

std::span<const std::uint16_t> AcceptedProductIds(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kKeyboard:
      return kKeyboardProductIds;
    case DeviceKind::kMouse:
      return kMouseProductIds;
    case DeviceKind::kPad:
      return kPadProductIds;
  }
  return {};
}

std::optional<DeviceKind> DeviceKindUsing(const HidInterfaceInfo& info) {
  if (info.attributes.vendor_id != kVendorId || info.usage_page != kVendorUsagePage ||
      info.usage != kVendorUsage) {
    return std::nullopt;
  }
  for (const DeviceKind kind : kKinds) {
    const std::span<const std::uint16_t> products = AcceptedProductIds(kind);
    if (std::find(products.begin(), products.end(), info.attributes.product_id) != products.end()) {
      return kind;
    }
  }
  return std::nullopt;
}

}  // namespace vandrel
