#include "platform/process_program.h"

#include <string_view>
#include <system_error>

#include "core/file_io.h"
#include "platform/wine_command_line.h"

namespace vandrel {

namespace {

// Command lines are limited by the kernel to far less than this.
constexpr std::size_t kMaxCommandLine = 4 * 1024 * 1024;
constexpr std::string_view kDeletedMark = " (deleted)";

std::optional<std::string> ReadLink(const std::filesystem::path& link) {
  std::error_code error;
  std::filesystem::path target = std::filesystem::read_symlink(link, error);
  if (error || target.empty()) return std::nullopt;
  return target.string();
}

ProcessProgram Unknown(std::string why, bool wine = false) {
  return {std::nullopt, wine, std::move(why)};
}

// A relative name from a Wine command line, completed with the process's working folder; only a
// file that is there counts (Wine might have found the name on its own search path instead).
ProcessProgram CompleteRelative(const std::filesystem::path& process, const std::string& name) {
  const std::optional<std::string> folder = ReadLink(process / "cwd");
  if (name.find('\\') == std::string::npos && folder && folder->starts_with('/')) {
    const std::filesystem::path full = (std::filesystem::path(*folder) / name).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_regular_file(full, error)) return {full.string(), true, {}};
  }
  return Unknown("the Wine program \"" + name + "\" is named without its folder", true);
}

ProcessProgram WineProgram(const std::filesystem::path& process) {
  const FileContents command_line = ReadWholeFile(process / "cmdline", kMaxCommandLine);
  if (command_line.status != ReadStatus::kOk)
    return Unknown("the command line of the Wine process cannot be read", true);
  const std::optional<std::string> program =
      WineProgramArgument(SplitCommandLine(command_line.bytes));
  if (!program) return Unknown("the Wine process's command line names no program", true);
  if (IsAbsoluteWindowsPath(*program) || program->starts_with('/')) return {*program, true, {}};
  return CompleteRelative(process, *program);
}

}  // namespace

ProcessProgram ReadProcessProgram(const std::filesystem::path& proc_root, long pid) {
  const std::filesystem::path process = proc_root / std::to_string(pid);
  std::optional<std::string> executable = ReadLink(process / "exe");
  if (!executable) {
    std::error_code error;
    if (!std::filesystem::exists(process, error))
      return Unknown("process " + std::to_string(pid) + " is not running");
    return Unknown("the executable of process " + std::to_string(pid) + " cannot be read");
  }
  if (executable->ends_with(kDeletedMark))
    executable->resize(executable->size() - kDeletedMark.size());
  if (IsWineLoader(*executable)) return WineProgram(process);
  return {*executable, false, {}};
}

}  // namespace vandrel
