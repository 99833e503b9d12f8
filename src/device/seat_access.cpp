#include "device/seat_access.h"

#include <algorithm>
#include <cstdint>

#include "device/product_ids.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kGenericDesktopPage = 0x01;
constexpr std::uint16_t kKeyboardUsage = 0x06;
constexpr std::uint16_t kKeypadUsage = 0x07;
constexpr std::uint16_t kKeyboardKeypadPage = 0x07;  // key codes, whatever collection holds them

bool Is(const TopLevelCollection& collection, std::uint16_t page, std::uint16_t usage) {
  return collection.usage_page == page && collection.usage == usage;
}

bool ReportsKeys(const ReportField& field) {
  return field.type == HidReportType::kInput &&
         std::any_of(field.usages.begin(), field.usages.end(),
                     [](const UsageRun& run) { return run.page == kKeyboardKeypadPage; });
}

bool CarriesKeys(const TopLevelCollection& collection) {
  return Is(collection, kGenericDesktopPage, kKeyboardUsage) ||
         Is(collection, kGenericDesktopPage, kKeypadUsage) ||
         std::any_of(collection.fields.begin(), collection.fields.end(), ReportsKeys);
}

bool Has(const ReportDescriptor& descriptor, std::uint16_t page, std::uint16_t usage) {
  return std::any_of(
      descriptor.collections.begin(), descriptor.collections.end(),
      [&](const TopLevelCollection& collection) { return Is(collection, page, usage); });
}

}  // namespace

SeatAccess SeatAccessFor(const ReportDescriptor& descriptor) {
  const bool keys =
      std::any_of(descriptor.collections.begin(), descriptor.collections.end(), CarriesKeys);
  return {.vendor = Has(descriptor, kVendorUsagePage, kVendorUsage),
          .notifications = !keys && Has(descriptor, kConsumerUsagePage, kConsumerControlUsage)};
}

}  // namespace vandrel
