// HidDataItem: the parsed view of one control of a report, and the two operations on lists of
// them: laying them out for a report type of a collection, and filling the input items from one
// input report. Plain values and functions; a list of items belongs to one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/hid_preparsed_data.h"

namespace vandrel {

struct HidDataItem {
  bool is_button = false;  // from a button capability; otherwise one usage of a value capability
  std::uint16_t usage_page = 0;
  HidStatus status = HidStatus::kSuccess;  // of the last read of this item
  std::uint32_t report_id = 0;
  bool is_set = false;  // filled from the last report by UnpackInputReport

  // Button items: the capability's usage range, and the usages of that range that are on, in
  // report order, ended by a 0 when fewer than the list holds. The list's size is the maximum
  // usage-list length of the item's page.
  std::uint32_t usage_minimum = 0;
  std::uint32_t usage_maximum = 0;
  std::vector<std::uint16_t> usage_list;

  // Value items.
  std::uint16_t usage = 0;
  std::uint32_t raw_value = 0;    // as sent
  std::int32_t scaled_value = 0;  // mapped onto the physical range
};

// A hostile descriptor must not make the items of one report type huge.
inline constexpr std::size_t kMaxDataItems = 16384;
inline constexpr std::size_t kMaxUsageListEntries = std::size_t{1} << 20;  // all lists together

// One item per button capability, then one per usage of every value capability, for reports of
// `type`. nullopt when the items would exceed the limits above.
[[nodiscard]] std::optional<std::vector<HidDataItem>> BuildDataItems(
    const HidPreparsedData& preparsed, HidReportType type);

// Fills the input items whose report ID is the report's first byte: button items get the usages
// of their page that are on, kept only within their own usage range; value items get their raw
// and scaled value. Other items are left untouched. Returns 1, or 0 when the report is empty or
// a value cannot be read from it (status in the item).
[[nodiscard]] int UnpackInputReport(std::span<HidDataItem> items,
                                    std::span<const std::uint8_t> report,
                                    const HidPreparsedData& preparsed);

}  // namespace vandrel
