// What to tell a user whose device is present but whose hidraw node cannot be opened: a refused
// permission points to the udev rule that grants the logged-in user access to the devices' nodes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

// The rule shipped in packaging/ and installed under lib/udev/rules.d.
inline constexpr std::string_view kUdevRuleName = "60-vandrel.rules";

// "cannot open PATH: permission denied — install the udev rule 60-vandrel.rules (see README)" when
// `error` (an errno value) is EACCES or EPERM; otherwise "cannot open PATH: " and the system's
// text for `error`.
[[nodiscard]] std::string CannotOpenMessage(const std::string& path, int error);

// Why the node at `path` cannot be opened for reading and writing now, as CannotOpenMessage says
// it; nullopt when it can. Any thread.
[[nodiscard]] std::optional<std::string> NodeAccessProblem(const std::string& path);

}  // namespace vandrel
