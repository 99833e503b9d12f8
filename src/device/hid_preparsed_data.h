// HidPreparsedData: one top-level collection of a report descriptor, prepared for reading
// reports. It answers what the HID parser of the original platform answered: the collection's
// capabilities (usage, report byte lengths, button and value capabilities per report type), the
// longest usage list a report can carry, the usages "on" in a report, and a usage's raw and
// scaled value.
//
// Reports are laid out as the original platform hands them to callers: byte 0 is the report ID
// (0 when the device uses none), the report's fields follow from byte 1, and every report byte
// length counts that ID byte.
//
// Button capabilities come from array items and from 1-bit variable items; value capabilities
// from wider variable items. Constant items (padding) and items without usages have none.
//
// An immutable value once built; any thread may read it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/report_descriptor.h"

namespace vandrel {

// Results of the report queries; the numbers are those of the original platform's HID parser.
enum class HidStatus : std::uint32_t {
  kSuccess = 0x00110000,
  kNull = 0x80110001,  // the value is outside its logical range and the item has a null state
  kInvalidReportLength = 0xC0110003,
  kUsageNotFound = 0xC0110004,
  kValueOutOfRange = 0xC0110005,
  kBadLogPhyValues = 0xC0110006,
  kBufferTooSmall = 0xC0110007,
  kIncompatibleReportId = 0xC0110010,
};

struct HidCaps {
  std::uint16_t usage = 0;
  std::uint16_t usage_page = 0;
  std::uint16_t input_report_byte_length = 0;  // longest input report + 1; 0 when there is none
  std::uint16_t output_report_byte_length = 0;
  std::uint16_t feature_report_byte_length = 0;
  std::uint16_t number_input_button_caps = 0;
  std::uint16_t number_input_value_caps = 0;
  std::uint16_t number_output_button_caps = 0;
  std::uint16_t number_output_value_caps = 0;
  std::uint16_t number_feature_button_caps = 0;
  std::uint16_t number_feature_value_caps = 0;
};

// One usage or usage range of an array item or of 1-bit variable items.
struct HidButtonCaps {
  std::uint16_t usage_page = 0;
  std::uint8_t report_id = 0;
  bool is_range = false;
  std::uint16_t usage_minimum = 0;  // the single usage when not a range
  std::uint16_t usage_maximum = 0;
};

// One usage or usage range of wider variable items.
struct HidValueCaps {
  std::uint16_t usage_page = 0;
  std::uint8_t report_id = 0;
  bool is_range = false;
  std::uint16_t usage_minimum = 0;  // the single usage when not a range
  std::uint16_t usage_maximum = 0;
  std::uint32_t bit_size = 0;
  std::uint32_t report_count = 0;  // values; above 1 for a single usage, it is a value array
  std::uint32_t bit_offset = 0;    // of the first value, counted from the byte after the ID
  bool has_null = false;
  std::int64_t logical_minimum = 0;
  std::int64_t logical_maximum = 0;
  std::int64_t physical_minimum = 0;
  std::int64_t physical_maximum = 0;
};

class HidPreparsedData {
 public:
  // The `collection_number`th top-level collection of `descriptor` (1 for the first; 0 also
  // means the first, for interfaces with a single collection). nullopt when the descriptor is
  // malformed or has no such collection.
  [[nodiscard]] static std::optional<HidPreparsedData> Prepare(
      std::span<const std::uint8_t> descriptor, std::uint32_t collection_number);

  [[nodiscard]] const HidCaps& caps() const { return caps_; }
  [[nodiscard]] bool uses_report_ids() const { return uses_report_ids_; }
  [[nodiscard]] std::span<const HidButtonCaps> button_caps(HidReportType type) const;
  [[nodiscard]] std::span<const HidValueCaps> value_caps(HidReportType type) const;
  // IDs of the reports of `type` in this collection, ascending.
  [[nodiscard]] std::vector<std::uint8_t> ReportIds(HidReportType type) const;
  // Bytes of report `report_id` of `type`, ID byte included; 0 when the collection has none.
  [[nodiscard]] std::size_t ReportByteLength(HidReportType type, std::uint8_t report_id) const;

  // How many usages of `usage_page` (0: of any page) GetUsages can return for a report of
  // `type`: the sum over every array element and 1-bit variable field that can carry one.
  [[nodiscard]] std::uint32_t MaxUsageListLength(HidReportType type,
                                                 std::uint16_t usage_page) const;

  // Writes the usages of `usage_page` that are "on" in `report` into `usages` and their number
  // into `count`: set bits of 1-bit variable fields and the usages that array elements select.
  // kBufferTooSmall when more are on than `usages` holds (the first ones are kept).
  [[nodiscard]] HidStatus GetUsages(HidReportType type, std::uint16_t usage_page,
                                    std::span<const std::uint8_t> report,
                                    std::span<std::uint16_t> usages, std::size_t& count) const;
  // The raw value of `usage` in `report`, as sent (not sign-extended); for a value array, its
  // first value.
  [[nodiscard]] HidStatus GetUsageValue(HidReportType type, std::uint16_t usage_page,
                                        std::uint16_t usage, std::span<const std::uint8_t> report,
                                        std::uint32_t& value) const;
  // The value mapped from its logical onto its physical range (the logical range when no
  // physical range is declared); 0 with a failure status when it cannot be mapped.
  [[nodiscard]] HidStatus GetScaledUsageValue(HidReportType type, std::uint16_t usage_page,
                                              std::uint16_t usage,
                                              std::span<const std::uint8_t> report,
                                              std::int32_t& value) const;

 private:
  HidPreparsedData(TopLevelCollection collection, bool uses_report_ids);
  void AddButtonCaps(const ReportField& field);
  void AddValueCaps(const ReportField& field);
  void FillCaps();
  [[nodiscard]] std::span<const ReportField> Fields() const { return collection_.fields; }
  [[nodiscard]] HidStatus CheckReport(HidReportType type,
                                      std::span<const std::uint8_t> report) const;
  // Finds the value capability of `usage` and reads its raw value from `report`.
  [[nodiscard]] HidStatus ReadValue(HidReportType type, std::uint16_t usage_page,
                                    std::uint16_t usage, std::span<const std::uint8_t> report,
                                    const HidValueCaps*& caps, std::uint32_t& raw) const;

  TopLevelCollection collection_;
  bool uses_report_ids_ = false;
  HidCaps caps_;
  std::array<std::vector<HidButtonCaps>, kHidReportTypeCount> button_caps_;
  std::array<std::vector<HidValueCaps>, kHidReportTypeCount> value_caps_;
  std::array<std::array<std::uint16_t, 256>, kHidReportTypeCount> report_lengths_{};
};

}  // namespace vandrel
