#include "device/hid_data_item.h"

#include <algorithm>

namespace vandrel {
namespace {

std::size_t ValueUsageCount(std::span<const HidValueCaps> caps) {
  std::size_t count = 0;
  for (const HidValueCaps& value : caps) {
    count += value.is_range ? value.usage_maximum - value.usage_minimum + 1U : 1U;
  }
  return count;
}

HidDataItem ButtonItem(const HidButtonCaps& caps, std::uint32_t list_length) {
  HidDataItem item;
  item.is_button = true;
  item.usage_page = caps.usage_page;
  item.report_id = caps.report_id;
  item.usage_minimum = caps.usage_minimum;
  item.usage_maximum = caps.usage_maximum;
  item.usage_list.assign(list_length, 0);
  return item;
}

HidDataItem ValueItem(const HidValueCaps& caps, std::uint16_t usage) {
  HidDataItem item;
  item.usage_page = caps.usage_page;
  item.report_id = caps.report_id;
  item.usage = usage;
  return item;
}

// The usages of one page that are on in the report being unpacked, read once for every button
// item of that page.
struct PageUsages {
  std::uint16_t page = 0;
  HidStatus status = HidStatus::kSuccess;
  std::vector<std::uint16_t> usages;
};

const PageUsages& UsagesOn(std::vector<PageUsages>& read, std::uint16_t page,
                           std::span<const std::uint8_t> report,
                           const HidPreparsedData& preparsed) {
  for (const PageUsages& known : read) {
    if (known.page == page) return known;
  }
  PageUsages& fresh = read.emplace_back();
  fresh.page = page;
  fresh.usages.resize(preparsed.MaxUsageListLength(HidReportType::kInput, page));
  std::size_t count = 0;
  fresh.status = preparsed.GetUsages(HidReportType::kInput, page, report, fresh.usages, count);
  fresh.usages.resize(count);
  return fresh;
}

// Keeps, in order, only the usages within the item's range; zeroes the rest of the list.
void KeepUsagesInRange(HidDataItem& item, std::span<const std::uint16_t> usages) {
  std::size_t kept = 0;
  for (const std::uint16_t usage : usages) {
    if (kept == item.usage_list.size()) break;
    if (usage < item.usage_minimum || usage > item.usage_maximum) continue;
    item.usage_list[kept++] = usage;
  }
  std::fill(item.usage_list.begin() + static_cast<std::ptrdiff_t>(kept), item.usage_list.end(),
            std::uint16_t{0});
}

}  // namespace

std::optional<std::vector<HidDataItem>> BuildDataItems(const HidPreparsedData& preparsed,
                                                       HidReportType type) {
  const std::span<const HidButtonCaps> buttons = preparsed.button_caps(type);
  const std::span<const HidValueCaps> values = preparsed.value_caps(type);
  if (buttons.size() + ValueUsageCount(values) > kMaxDataItems) return std::nullopt;
  std::size_t list_entries = 0;
  for (const HidButtonCaps& caps : buttons) {
    list_entries += preparsed.MaxUsageListLength(type, caps.usage_page);
  }
  if (list_entries > kMaxUsageListEntries) return std::nullopt;

  std::vector<HidDataItem> items;
  items.reserve(buttons.size() + ValueUsageCount(values));
  for (const HidButtonCaps& caps : buttons) {
    items.push_back(ButtonItem(caps, preparsed.MaxUsageListLength(type, caps.usage_page)));
  }
  for (const HidValueCaps& caps : values) {
    for (std::uint32_t usage = caps.usage_minimum; usage <= caps.usage_maximum; ++usage) {
      items.push_back(ValueItem(caps, static_cast<std::uint16_t>(usage)));
    }
  }
  return items;
}

int UnpackInputReport(std::span<HidDataItem> items, std::span<const std::uint8_t> report,
                      const HidPreparsedData& preparsed) {
  if (report.empty()) return 0;
  std::vector<PageUsages> pages_read;
  for (HidDataItem& item : items) {
    if (item.report_id != report[0]) continue;
    if (item.is_button) {
      const PageUsages& on = UsagesOn(pages_read, item.usage_page, report, preparsed);
      item.status = on.status;
      KeepUsagesInRange(item, on.usages);
    } else {
      item.status = preparsed.GetUsageValue(HidReportType::kInput, item.usage_page, item.usage,
                                            report, item.raw_value);
      if (item.status != HidStatus::kSuccess) return 0;
      item.status = preparsed.GetScaledUsageValue(HidReportType::kInput, item.usage_page,
                                                  item.usage, report, item.scaled_value);
    }
    item.is_set = true;
  }
  return 1;
}

}  // namespace vandrel
