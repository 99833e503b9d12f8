// Runs a desktop tool (gsettings, kwriteconfig6, xset …) as a child process: found on PATH,
// arguments passed as they are (no shell), standard streams on /dev/null, and waited for at most
// a bounded time, after which it is killed. Any thread.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vandrel {

enum class ToolOutcome {
  kSucceeded,  // exited with status 0
  kFailed,     // exited otherwise, or was killed by a signal
  kMissing,    // could not be started (not installed, not executable)
  kTimedOut,   // still running at the time-out; killed
};

// `arguments[0]` is the tool's name.
[[nodiscard]] ToolOutcome RunTool(const std::vector<std::string>& arguments,
                                  std::chrono::milliseconds timeout);

// How the desktop pointer settings run their tools; tests give a recorder instead.
using ToolRunner = std::function<ToolOutcome(const std::vector<std::string>& arguments)>;

}  // namespace vandrel
