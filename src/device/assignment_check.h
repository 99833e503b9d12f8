// Which KeyAssignments a button or key may be given from a file: the types the devices and pages
// know, with the parameters those types allow where they are a short list (mouse buttons, DPI
// functions, system controls, recoil tables, repeat counts). Any thread.
#pragma once

#include <optional>
#include <string>

#include "device/field_problem.h"
#include "mouse/key_assignment.h"

namespace vandrel {

// The problem of `assignment`, its fields named after `holder` ("button 4", "key 17"); nullopt
// when a device may take it.
[[nodiscard]] std::optional<FieldProblem> AssignmentProblem(const KeyAssignment& assignment,
                                                            const std::string& holder);

}  // namespace vandrel
