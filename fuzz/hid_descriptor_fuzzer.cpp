// Feeds arbitrary report descriptors and input reports to the descriptor parser, the prepared
// collections, the item lay-out and UnpackInputReport. Input: a 16-bit little-endian descriptor
// length, the descriptor, then the report. No input may crash, hang or read out of bounds, and
// what is read must keep the promises the callers rely on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/bytes.h"
#include "device/hid_data_item.h"
#include "device/report_descriptor.h"

namespace {

using vandrel::HidDataItem;
using vandrel::HidPreparsedData;
using vandrel::HidReportType;

void Require(bool promise) {
  if (!promise) std::abort();
}

// A usage list never holds more usages than its maximum length, so reading one never overflows.
void CheckUsageListLengths(const HidPreparsedData& prepared, std::span<const std::uint8_t> report) {
  for (const vandrel::HidButtonCaps& caps : prepared.button_caps(HidReportType::kInput)) {
    std::vector<std::uint16_t> usages(
        prepared.MaxUsageListLength(HidReportType::kInput, caps.usage_page));
    std::size_t count = 0;
    const vandrel::HidStatus status =
        prepared.GetUsages(HidReportType::kInput, caps.usage_page, report, usages, count);
    Require(status != vandrel::HidStatus::kBufferTooSmall);
    Require(count <= usages.size());
  }
}

// Unpacking fills only the items of the report's ID, and keeps each button item's usages within
// its range, ended by 0.
void CheckUnpacked(std::span<const HidDataItem> items, std::span<const std::uint8_t> report) {
  for (const HidDataItem& item : items) {
    Require(!item.is_set || (!report.empty() && item.report_id == report[0]));
    if (!item.is_button) continue;
    for (const std::uint16_t usage : item.usage_list) {
      if (usage == 0) break;
      Require(usage >= item.usage_minimum && usage <= item.usage_maximum);
    }
  }
}

void Exercise(std::span<const std::uint8_t> descriptor, std::uint32_t collection,
              std::span<const std::uint8_t> report) {
  const std::optional<HidPreparsedData> prepared =
      HidPreparsedData::Prepare(descriptor, collection);
  if (!prepared) return;
  Require(prepared->caps().input_report_byte_length <= vandrel::kMaxReportBytes);
  for (const HidReportType type :
       {HidReportType::kInput, HidReportType::kOutput, HidReportType::kFeature}) {
    (void)vandrel::BuildDataItems(*prepared, type);
  }
  std::optional<std::vector<HidDataItem>> items =
      vandrel::BuildDataItems(*prepared, HidReportType::kInput);
  if (!items) return;
  CheckUsageListLengths(*prepared, report);
  (void)vandrel::UnpackInputReport(*items, report, *prepared);
  CheckUnpacked(*items, report);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  if (input.size() < 2) return 0;
  const std::size_t split = std::min<std::size_t>(vandrel::ReadLe16(input, 0), input.size() - 2);
  const std::span<const std::uint8_t> descriptor = input.subspan(2, split);
  const std::span<const std::uint8_t> report = input.subspan(2 + split);

  const std::optional<vandrel::ReportDescriptor> parsed =
      vandrel::ParseReportDescriptor(descriptor);
  if (!parsed) return 0;
  const std::size_t collections = std::min<std::size_t>(parsed->collections.size(), 4);
  for (std::uint32_t number = 0; number <= collections; ++number) {
    Exercise(descriptor, number, report);
  }
  return 0;
}
