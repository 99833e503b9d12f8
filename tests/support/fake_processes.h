// A /proc-like folder for the foreground sources' tests: process 100 runs a plain program
// (/usr/bin/kate), process 200 a Wine game (C:\Games\Foo\foo.exe); 300 is not running.
#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace vandrel::testing {

inline void MakeProcesses(const std::filesystem::path& proc) {
  using namespace std::string_literals;
  std::filesystem::create_directories(proc / "100");
  std::filesystem::create_symlink("/usr/bin/kate", proc / "100" / "exe");
  std::filesystem::create_directories(proc / "200");
  std::filesystem::create_symlink("/usr/lib/wine/wine64-preloader", proc / "200" / "exe");
  WriteFile(proc / "200" / "cmdline", "C:\\Games\\Foo\\foo.exe\0"s);
}

}  // namespace vandrel::testing
