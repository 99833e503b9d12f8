// Asking the desktop program, over its foreground interface (platform/foreground_bus.h), what the
// compositor helpers last told it: how vandrelctl sees the foreground program under Wayland,
// where only the program that owns the interface hears the helpers. Any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform_foreground_program.h"

namespace vandrel {

// The program's look at the foreground, from the bus at `bus_address` ("" for the session bus);
// nullopt with `why` set when the program is not running or does not answer.
[[nodiscard]] std::optional<ForegroundLook> AskForegroundLook(const std::string& bus_address,
                                                              std::string& why);
// The programs the helpers reported in front that still run; nullopt as for AskForegroundLook.
[[nodiscard]] std::optional<std::vector<std::string>> AskProgramsWithWindows(
    const std::string& bus_address, std::string& why);

}  // namespace vandrel
