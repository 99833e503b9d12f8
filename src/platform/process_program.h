// The program a process runs, as the foreground program is named: the target of its "exe" link,
// or, for a Wine or Proton process, the Windows program on its command line. Read from a
// /proc-like folder, so that tests can hand-write one. Any thread.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vandrel {

struct ProcessProgram {
  std::optional<std::string> path;  // nullopt: not known (never a guess)
  bool wine = false;                // the process runs Wine's loader
  std::string why_unknown;          // a sentence for the user when path is nullopt
};

// The program of process `pid` under `proc_root` (normally "/proc"): the link "PID/exe" (with the
// kernel's " (deleted)" mark removed); for a Wine loader, the program named in "PID/cmdline",
// a relative name completed with the link "PID/cwd" when that names an existing file.
[[nodiscard]] ProcessProgram ReadProcessProgram(const std::filesystem::path& proc_root, long pid);

}  // namespace vandrel
