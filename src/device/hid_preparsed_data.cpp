#include "device/hid_preparsed_data.h"

#include <algorithm>
#include <utility>

#include "device/field_usages.h"

namespace vandrel {
namespace {

std::size_t Index(HidReportType type) { return static_cast<std::size_t>(type); }

// Collections are numbered from 1 when an interface has several; 0 names the only one.
std::size_t CollectionIndex(std::uint32_t collection_number) {
  return collection_number == 0 ? 0 : collection_number - 1;
}

}  // namespace

std::optional<HidPreparsedData> HidPreparsedData::Prepare(std::span<const std::uint8_t> descriptor,
                                                          std::uint32_t collection_number) {
  std::optional<ReportDescriptor> parsed = ParseReportDescriptor(descriptor);
  if (!parsed) return std::nullopt;
  const std::size_t index = CollectionIndex(collection_number);
  if (index >= parsed->collections.size()) return std::nullopt;
  return HidPreparsedData(std::move(parsed->collections[index]), parsed->uses_report_ids);
}

HidPreparsedData::HidPreparsedData(TopLevelCollection collection, bool uses_report_ids)
    : collection_(std::move(collection)), uses_report_ids_(uses_report_ids) {
  for (const ReportField& field : collection_.fields) {
    std::uint16_t& length = report_lengths_[Index(field.type)][field.report_id];
    const auto bytes = static_cast<std::uint16_t>((field.EndBit() + 7) / 8 + 1);
    length = std::max(length, bytes);
    if (IsButtonField(field)) {
      AddButtonCaps(field);
    } else if (IsValueField(field)) {
      AddValueCaps(field);
    }
  }
  FillCaps();
}

void HidPreparsedData::AddButtonCaps(const ReportField& field) {
  std::vector<HidButtonCaps>& caps = button_caps_[Index(field.type)];
  const auto add = [&](const UsageRun& run) {
    caps.push_back({run.page, field.report_id, run.is_range, run.minimum, run.maximum});
  };
  if (field.IsArray()) {
    // An array element can select any usage of the item.
    for (const UsageRun& run : field.usages) add(run);
    return;
  }
  for (const UsageCoverage& part : CoverFields(field)) add(part.run);
}

void HidPreparsedData::AddValueCaps(const ReportField& field) {
  std::uint32_t fields_before = 0;
  for (const UsageCoverage& part : CoverFields(field)) {
    HidValueCaps caps;
    caps.usage_page = part.run.page;
    caps.report_id = field.report_id;
    caps.is_range = part.run.is_range;
    caps.usage_minimum = part.run.minimum;
    caps.usage_maximum = part.run.maximum;
    caps.bit_size = field.bit_size;
    caps.report_count = part.fields;
    caps.bit_offset = field.bit_offset + fields_before * field.bit_size;
    caps.has_null = (field.flags & kFieldNullState) != 0;
    caps.logical_minimum = field.logical_minimum;
    caps.logical_maximum = field.logical_maximum;
    caps.physical_minimum = field.physical_minimum;
    caps.physical_maximum = field.physical_maximum;
    value_caps_[Index(field.type)].push_back(caps);
    fields_before += part.fields;
  }
}

void HidPreparsedData::FillCaps() {
  caps_.usage = collection_.usage;
  caps_.usage_page = collection_.usage_page;
  const auto longest = [&](HidReportType type) {
    const auto& lengths = report_lengths_[Index(type)];
    return *std::max_element(lengths.begin(), lengths.end());
  };
  const auto count = [](const auto& caps) { return static_cast<std::uint16_t>(caps.size()); };
  caps_.input_report_byte_length = longest(HidReportType::kInput);
  caps_.output_report_byte_length = longest(HidReportType::kOutput);
  caps_.feature_report_byte_length = longest(HidReportType::kFeature);
  caps_.number_input_button_caps = count(button_caps_[Index(HidReportType::kInput)]);
  caps_.number_input_value_caps = count(value_caps_[Index(HidReportType::kInput)]);
  caps_.number_output_button_caps = count(button_caps_[Index(HidReportType::kOutput)]);
  caps_.number_output_value_caps = count(value_caps_[Index(HidReportType::kOutput)]);
  caps_.number_feature_button_caps = count(button_caps_[Index(HidReportType::kFeature)]);
  caps_.number_feature_value_caps = count(value_caps_[Index(HidReportType::kFeature)]);
}

std::span<const HidButtonCaps> HidPreparsedData::button_caps(HidReportType type) const {
  return button_caps_[Index(type)];
}

std::span<const HidValueCaps> HidPreparsedData::value_caps(HidReportType type) const {
  return value_caps_[Index(type)];
}

std::vector<std::uint8_t> HidPreparsedData::ReportIds(HidReportType type) const {
  std::vector<std::uint8_t> ids;
  const auto& lengths = report_lengths_[Index(type)];
  for (std::size_t id = 0; id < lengths.size(); ++id) {
    if (lengths[id] != 0) ids.push_back(static_cast<std::uint8_t>(id));
  }
  return ids;
}

std::size_t HidPreparsedData::ReportByteLength(HidReportType type, std::uint8_t report_id) const {
  return report_lengths_[Index(type)][report_id];
}

std::uint32_t HidPreparsedData::MaxUsageListLength(HidReportType type,
                                                   std::uint16_t usage_page) const {
  const auto page_matches = [&](const UsageRun& run) {
    return usage_page == 0 || run.page == usage_page;
  };
  std::uint32_t total = 0;
  for (const ReportField& field : Fields()) {
    if (field.type != type || !IsButtonField(field)) continue;
    if (field.IsArray()) {
      if (std::any_of(field.usages.begin(), field.usages.end(), page_matches)) {
        total += field.count;
      }
      continue;
    }
    for (const UsageCoverage& part : CoverFields(field)) {
      if (page_matches(part.run)) total += part.fields;
    }
  }
  return total;
}

}  // namespace vandrel
