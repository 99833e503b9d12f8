// Which program a Wine or Proton process runs. Such a process's executable is Wine's loader
// (wine, wine64, wine-preloader …), the same for every Windows program; the program itself is
// named on its command line, where Wine puts the Windows path ("C:\Games\Foo\foo.exe") in place of
// its own arguments once it runs, and where a launch names it after the loader, after start.exe's
// options (/unix with a Unix path) or after Proton's steam.exe. Pure functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// Whether `executable` (a path, or a name) is one of Wine's loaders.
[[nodiscard]] bool IsWineLoader(std::string_view executable);

// The arguments of a /proc cmdline file: NUL-terminated strings (a missing last NUL tolerated).
[[nodiscard]] std::vector<std::string> SplitCommandLine(std::string_view contents);

// The program a Wine process's `arguments` name, as written there: a Windows path, an absolute
// Unix path, or a relative name (which only the process's working folder can complete); nullopt
// when they name none (no arguments, only loaders, a launcher with no program after it).
[[nodiscard]] std::optional<std::string> WineProgramArgument(
    const std::vector<std::string>& arguments);

// Whether `path` is a Windows path that names its drive or server ("C:\…", "\\server\…").
[[nodiscard]] bool IsAbsoluteWindowsPath(std::string_view path);

}  // namespace vandrel
