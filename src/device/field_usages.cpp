#include "device/field_usages.h"

#include <algorithm>

namespace vandrel {

bool IsButtonField(const ReportField& field) {
  return !field.IsConstant() && !field.usages.empty() && (field.IsArray() || field.bit_size == 1);
}

bool IsValueField(const ReportField& field) {
  return !field.IsConstant() && !field.usages.empty() && !field.IsArray() && field.bit_size > 1;
}

std::vector<UsageCoverage> CoverFields(const ReportField& field) {
  std::vector<UsageCoverage> covered;
  std::uint32_t remaining = field.count;
  for (const UsageRun& run : field.usages) {
    if (remaining == 0) break;
    const std::uint32_t taken = std::min(run.Length(), remaining);
    UsageRun part = run;
    part.maximum = static_cast<std::uint16_t>(run.minimum + taken - 1);
    covered.push_back({part, taken});
    remaining -= taken;
  }
  if (!covered.empty()) covered.back().fields += remaining;
  return covered;
}

ArrayUsages::ArrayUsages(const ReportField& field) : field_(field) {
  run_starts_.reserve(field.usages.size());
  std::uint64_t start = 0;
  for (const UsageRun& run : field.usages) {
    run_starts_.push_back(start);
    start += run.Length();
  }
  run_starts_.push_back(start);  // one past the last usage
}

std::optional<Usage> ArrayUsages::Selected(std::int64_t value) const {
  if (value < field_.logical_minimum || value > field_.logical_maximum) return std::nullopt;
  const auto index = static_cast<std::uint64_t>(value - field_.logical_minimum);
  if (index >= run_starts_.back()) return std::nullopt;
  const auto next = std::upper_bound(run_starts_.begin(), run_starts_.end(), index);
  const auto run = static_cast<std::size_t>(next - run_starts_.begin() - 1);
  const UsageRun& usages = field_.usages[run];
  return Usage{usages.page,
               static_cast<std::uint16_t>(usages.minimum + (index - run_starts_[run]))};
}

}  // namespace vandrel
