// A profile's payload handed to its device, as selecting the profile in the program does.
#pragma once

#include <optional>

#include "cli/device_access.h"
#include "cli/profile_input.h"
#include "device/field_problem.h"

namespace vandrel::cli {

// Applies `input` to the device of its row, read beforehand; the problem when the device cannot
// take it, in which case nothing was changed or sent. The changes wait in the device's pending
// settings (DeviceAccess::ApplyPending sends them).
[[nodiscard]] std::optional<FieldProblem> ApplyProfileToDevice(const ProfileInput& input,
                                                               DeviceAccess& devices);

}  // namespace vandrel::cli
