// ReportDescriptor: what a HID report descriptor declares, as plain data. The parser reads short
// and long items, keeps a stack of global items (Push/Pop), resolves 16-bit usages against the
// usage page in force at the main item and 32-bit (extended) usages against their own page, and
// sorts every Input, Output and Feature item into the top-level collection it belongs to, with
// the bit position of its fields inside its report.
//
// Outside input: a descriptor that is truncated, unbalanced or otherwise broken is refused as a
// whole; nothing is guessed. Limits keep the work and memory for any input small.
//
// Plain values and a pure function; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vandrel {

// A descriptor longer than this is refused; the kernel hands out none longer.
inline constexpr std::size_t kMaxReportDescriptorSize = 4096;
// Longest report, report ID byte included; a longer one makes the descriptor malformed.
inline constexpr std::size_t kMaxReportBytes = 16384;

enum class HidReportType : std::uint8_t { kInput = 0, kOutput = 1, kFeature = 2 };
inline constexpr std::size_t kHidReportTypeCount = 3;

// Bits of an Input, Output or Feature item's data.
inline constexpr std::uint32_t kFieldConstant = 1U << 0;
inline constexpr std::uint32_t kFieldVariable = 1U << 1;  // clear: an array of usage indices
inline constexpr std::uint32_t kFieldRelative = 1U << 2;
inline constexpr std::uint32_t kFieldNullState = 1U << 6;  // out-of-range values mean "none"

// One usage, or a range of usages declared with Usage Minimum and Usage Maximum, on one page.
struct UsageRun {
  std::uint16_t page = 0;
  std::uint16_t minimum = 0;
  std::uint16_t maximum = 0;  // equal to minimum for a single usage
  bool is_range = false;

  [[nodiscard]] std::uint32_t Length() const { return maximum - minimum + 1U; }
  friend bool operator==(const UsageRun&, const UsageRun&) = default;
};

// One Input, Output or Feature item: `count` fields of `bit_size` bits, side by side.
struct ReportField {
  HidReportType type = HidReportType::kInput;
  std::uint8_t report_id = 0;    // 0 when the device uses no report IDs
  std::uint32_t bit_offset = 0;  // of the first field, counted from the byte after the report ID
  std::uint32_t bit_size = 0;    // never 0
  std::uint32_t count = 0;       // never 0
  std::uint32_t flags = 0;       // the item's data: kFieldConstant, kFieldVariable, ...
  std::int64_t logical_minimum = 0;
  std::int64_t logical_maximum = 0;
  std::int64_t physical_minimum = 0;
  std::int64_t physical_maximum = 0;
  std::vector<UsageRun> usages;  // in the order the local items declared them

  [[nodiscard]] bool IsConstant() const { return (flags & kFieldConstant) != 0; }
  [[nodiscard]] bool IsArray() const { return (flags & kFieldVariable) == 0; }
  [[nodiscard]] std::uint32_t EndBit() const { return bit_offset + bit_size * count; }
};

struct TopLevelCollection {
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;
  std::vector<ReportField> fields;  // every main item inside, nested collections included
};

struct ReportDescriptor {
  bool uses_report_ids = false;  // reports start with their ID byte on the wire
  std::vector<TopLevelCollection> collections;
};

// The descriptor's meaning, or nullopt when it is malformed: an item runs past the end, a
// collection is left open or closed twice, Pop has nothing to pop, a report ID is 0 or above 255,
// an Input/Output/Feature item stands outside every collection, a usage range runs backwards or
// spans two pages, a report grows beyond kMaxReportBytes, stacks nest too deep, or the descriptor
// is longer than kMaxReportDescriptorSize.
[[nodiscard]] std::optional<ReportDescriptor> ParseReportDescriptor(
    std::span<const std::uint8_t> bytes);

}  // namespace vandrel
