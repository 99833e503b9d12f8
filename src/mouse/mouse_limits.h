// What the mouse takes in its settings record and key table, for records that come from outside
// (profile files) and for the command line's arguments alike. Any thread.
#pragma once

#include <optional>

#include "device/field_problem.h"
#include "mouse/mouse_records.h"

namespace vandrel {

inline constexpr int kReportRateCount = 4;         // 125, 250, 500, 1000 Hz
inline constexpr int kHighestListedDpiIndex = 11;  // the last DpiTable entry, 8000
inline constexpr int kLastActiveDpiLevel = 5;
inline constexpr int kHighestPointerSpeed = 20;
inline constexpr int kMostWheelLines = 100;

// The highest DPI index the mouse takes: the one its information reports, or the last DpiTable
// index while no information has been read.
[[nodiscard]] int HighestDpiIndex(const MouseDeviceInfo& info);

// The first field the mouse cannot take; nullopt when it takes them all. The bytes the mouse
// keeps without meaning (reserved, colours) take any value.
[[nodiscard]] std::optional<FieldProblem> MouseSettingsProblem(const MouseSettings& settings,
                                                               int highest_dpi_index);
// As above, with the pointer speed (0 read as 1) and the wheel lines (0 read as 1).
[[nodiscard]] std::optional<FieldProblem> MouseRecordProblem(const MouseSlotRecord& record,
                                                             int highest_dpi_index);
// The first of the nine buttons with an assignment no device takes.
[[nodiscard]] std::optional<FieldProblem> MouseKeysProblem(const MouseKeyTable& keys);

}  // namespace vandrel
