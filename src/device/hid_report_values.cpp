// The report readers of HidPreparsedData: usages that are on, raw and scaled values.
#include <algorithm>
#include <limits>

#include "device/field_usages.h"
#include "device/hid_preparsed_data.h"

namespace vandrel {
namespace {

// Values are read into 32 bits; a wider field gives its low 32 bits.
constexpr std::uint32_t kMaxValueBits = 32;

// Wide enough for (value - minimum) * (physical range) of two 33-bit spans.
__extension__ using WideInt = __int128;

// Reads `width` bits starting at bit `first_bit`, least significant bit first. The caller has
// checked that the report holds them.
std::uint32_t ReadBits(std::span<const std::uint8_t> data, std::uint64_t first_bit,
                       std::uint32_t width) {
  width = std::min(width, kMaxValueBits);
  std::uint32_t value = 0;
  for (std::uint32_t i = 0; i < width; ++i) {
    const std::uint64_t bit = first_bit + i;
    const std::uint32_t byte = data[bit / 8];
    if (((byte >> (bit % 8)) & 1U) != 0) value |= 1U << i;
  }
  return value;
}

// A field's values are signed exactly when its logical range reaches below zero.
std::int64_t LogicalValue(std::uint32_t raw, std::uint32_t width, std::int64_t logical_minimum) {
  if (logical_minimum >= 0) return raw;
  if (width >= kMaxValueBits) return static_cast<std::int32_t>(raw);
  const std::uint32_t sign = 1U << (width - 1);
  return static_cast<std::int64_t>(raw ^ sign) - static_cast<std::int64_t>(sign);
}

template <typename Take>
void ReadArrayUsages(const ReportField& field, std::span<const std::uint8_t> data, Take&& take) {
  const ArrayUsages usages(field);
  for (std::uint32_t element = 0; element < field.count; ++element) {
    const std::uint64_t bit = field.bit_offset + std::uint64_t{element} * field.bit_size;
    const std::uint32_t raw = ReadBits(data, bit, field.bit_size);
    const std::optional<Usage> usage =
        usages.Selected(LogicalValue(raw, field.bit_size, field.logical_minimum));
    if (usage) take(*usage);
  }
}

template <typename Take>
void ReadVariableUsages(const ReportField& field, std::span<const std::uint8_t> data, Take&& take) {
  std::uint64_t bit = field.bit_offset;
  for (const UsageCoverage& part : CoverFields(field)) {
    for (std::uint32_t i = 0; i < part.fields; ++i, ++bit) {
      if (ReadBits(data, bit, 1) == 0) continue;
      const std::uint32_t id = i < part.run.Length() ? part.run.minimum + i : part.run.maximum;
      take(Usage{part.run.page, static_cast<std::uint16_t>(id)});
    }
  }
}

std::int32_t ClampToInt32(WideInt value) {
  constexpr WideInt kLow = std::numeric_limits<std::int32_t>::min();
  constexpr WideInt kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, kLow, kHigh));
}

}  // namespace

HidStatus HidPreparsedData::CheckReport(HidReportType type,
                                        std::span<const std::uint8_t> report) const {
  if (report.empty()) return HidStatus::kInvalidReportLength;
  const std::size_t needed = ReportByteLength(type, report[0]);
  if (needed == 0) return HidStatus::kIncompatibleReportId;
  if (report.size() < needed) return HidStatus::kInvalidReportLength;
  return HidStatus::kSuccess;
}

HidStatus HidPreparsedData::GetUsages(HidReportType type, std::uint16_t usage_page,
                                      std::span<const std::uint8_t> report,
                                      std::span<std::uint16_t> usages, std::size_t& count) const {
  count = 0;
  const HidStatus checked = CheckReport(type, report);
  if (checked != HidStatus::kSuccess) return checked;
  HidStatus status = HidStatus::kSuccess;
  // Usage 0 means "no usage" and ends a usage list, so it is never reported.
  const auto take = [&](Usage usage) {
    if (usage.page != usage_page || usage.id == 0) return;
    if (count == usages.size()) {
      status = HidStatus::kBufferTooSmall;
      return;
    }
    usages[count++] = usage.id;
  };
  const std::span<const std::uint8_t> data = report.subspan(1);
  for (const ReportField& field : Fields()) {
    if (field.type != type || field.report_id != report[0] || !IsButtonField(field)) continue;
    if (field.IsArray()) {
      ReadArrayUsages(field, data, take);
    } else {
      ReadVariableUsages(field, data, take);
    }
  }
  return status;
}

HidStatus HidPreparsedData::ReadValue(HidReportType type, std::uint16_t usage_page,
                                      std::uint16_t usage, std::span<const std::uint8_t> report,
                                      const HidValueCaps*& caps, std::uint32_t& raw) const {
  const HidStatus checked = CheckReport(type, report);
  if (checked != HidStatus::kSuccess) return checked;
  caps = nullptr;
  bool in_other_report = false;
  for (const HidValueCaps& candidate : value_caps(type)) {
    if (candidate.usage_page != usage_page || usage < candidate.usage_minimum ||
        usage > candidate.usage_maximum) {
      continue;
    }
    if (candidate.report_id == report[0]) {
      caps = &candidate;
      break;
    }
    in_other_report = true;
  }
  if (caps == nullptr) {
    return in_other_report ? HidStatus::kIncompatibleReportId : HidStatus::kUsageNotFound;
  }
  const std::uint64_t bit =
      caps->bit_offset + std::uint64_t{caps->bit_size} * (usage - caps->usage_minimum);
  raw = ReadBits(report.subspan(1), bit, caps->bit_size);
  return HidStatus::kSuccess;
}

HidStatus HidPreparsedData::GetUsageValue(HidReportType type, std::uint16_t usage_page,
                                          std::uint16_t usage, std::span<const std::uint8_t> report,
                                          std::uint32_t& value) const {
  const HidValueCaps* caps = nullptr;
  return ReadValue(type, usage_page, usage, report, caps, value);
}

HidStatus HidPreparsedData::GetScaledUsageValue(HidReportType type, std::uint16_t usage_page,
                                                std::uint16_t usage,
                                                std::span<const std::uint8_t> report,
                                                std::int32_t& value) const {
  value = 0;
  const HidValueCaps* caps = nullptr;
  std::uint32_t raw = 0;
  const HidStatus status = ReadValue(type, usage_page, usage, report, caps, raw);
  if (status != HidStatus::kSuccess) return status;

  const std::int64_t logical_low = caps->logical_minimum;
  const std::int64_t logical_high = caps->logical_maximum;
  const bool has_physical = caps->physical_minimum != 0 || caps->physical_maximum != 0;
  const std::int64_t physical_low = has_physical ? caps->physical_minimum : logical_low;
  const std::int64_t physical_high = has_physical ? caps->physical_maximum : logical_high;
  if (logical_low >= logical_high || physical_low >= physical_high) {
    return HidStatus::kBadLogPhyValues;
  }
  const std::int64_t logical = LogicalValue(raw, caps->bit_size, logical_low);
  if (logical < logical_low || logical > logical_high) {
    return caps->has_null ? HidStatus::kNull : HidStatus::kValueOutOfRange;
  }
  const WideInt scaled = WideInt{logical - logical_low} * (physical_high - physical_low) /
                             (logical_high - logical_low) +
                         physical_low;
  value = ClampToInt32(scaled);
  return HidStatus::kSuccess;
}

}  // namespace vandrel
