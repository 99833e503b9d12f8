// How the fields of one Input, Output or Feature item take their usages; shared by the
// capabilities and the report readers of HidPreparsedData.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "device/report_descriptor.h"

namespace vandrel {

// A field that reports usages being "on": array elements and 1-bit variable fields.
[[nodiscard]] bool IsButtonField(const ReportField& field);
// A field that reports values: variable fields wider than one bit.
[[nodiscard]] bool IsValueField(const ReportField& field);

// Usages `run` given to `fields` consecutive variable fields. `fields` exceeds the run's length
// only for the last run, whose last usage also names every field left over.
struct UsageCoverage {
  UsageRun run;
  std::uint32_t fields = 0;
};

// Variable fields take the declared usages one by one; runs beyond the fields are cut off.
[[nodiscard]] std::vector<UsageCoverage> CoverFields(const ReportField& field);

struct Usage {
  std::uint16_t page = 0;
  std::uint16_t id = 0;
};

// The usages an array item's elements select by index: index 0 is the first declared usage.
class ArrayUsages {
 public:
  explicit ArrayUsages(const ReportField& field);

  // The usage an element holding `value` selects; nullopt for a value outside the logical range
  // or past the last usage (the element selects nothing).
  [[nodiscard]] std::optional<Usage> Selected(std::int64_t value) const;

 private:
  const ReportField& field_;
  std::vector<std::uint64_t> run_starts_;  // index of the first usage of each run
};

}  // namespace vandrel
