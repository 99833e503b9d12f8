// The status vandrelctl exits with: the command's own, unless output was lost on the way. A
// command may have done its part and still fail the user: standard output that could not be
// written (a full disk, a closed pipe) or a simulator that could not save its memory or its trace.
// Those end the run with kExitDeviceError and a message, never silently with 0.
#pragma once

#include <string_view>

namespace vandrel::cli {

// Tells the user at once ("vandrelctl: MESSAGE" on standard error) and makes the run fail.
void NoteLateFailure(std::string_view message);

// Flushes standard output; `command_status` when it is not success, else kExitDeviceError when
// the output or anything noted was lost, else success. Called once, as the program ends.
[[nodiscard]] int FinalExitStatus(int command_status);

}  // namespace vandrel::cli
