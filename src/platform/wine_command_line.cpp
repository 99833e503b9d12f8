#include "platform/wine_command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>

namespace vandrel {

namespace {

char AsciiLower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
  return lowered;
}

// The part after the last "/" or "\": Wine's own arguments use either separator.
std::string_view FileNamePart(std::string_view path) {
  const std::size_t last = path.find_last_of("/\\");
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool EndsWithExe(std::string_view path) {
  return path.size() >= 4 && Lowered(path.substr(path.size() - 4)) == ".exe";
}

// A program written with its quotes, or a whole Windows command line in one argument, cut to the
// program: up to the closing quote, else up to the first ".exe" that a space follows.
std::string ProgramPart(std::string_view argument) {
  if (!argument.empty() && argument.front() == '"') {
    argument.remove_prefix(1);
    return std::string(argument.substr(0, argument.find('"')));
  }
  if (!IsAbsoluteWindowsPath(argument)) return std::string(argument);
  const std::size_t exe = Lowered(argument).find(".exe ");
  return std::string(exe == std::string::npos ? argument : argument.substr(0, exe + 4));
}

bool IsStartLauncher(std::string_view program) {
  const std::string name = Lowered(FileNamePart(program));
  return name == "start" || name == "start.exe";
}

// Proton starts a game through its own steam.exe in system32, which names the game after it.
// A steam.exe anywhere else is the Windows Steam client itself.
bool IsProtonLauncher(std::string_view program) {
  const std::string lowered = Lowered(program);
  return FileNamePart(lowered) == "steam.exe" &&
         (lowered.find("system32") != std::string::npos || FileNamePart(lowered) == lowered);
}

// start.exe's options that take a value after them.
bool TakesValue(std::string_view option) {
  static constexpr std::array<std::string_view, 4> kOptions = {"/d", "/affinity", "/node",
                                                               "/machine"};
  const std::string lowered = Lowered(option);
  return std::find(kOptions.begin(), kOptions.end(), lowered) != kOptions.end();
}

// The program start.exe runs: the argument after /unix, else the first ".exe" that is neither an
// option nor an option's value (a window title may come before it).
std::optional<std::string> StartTarget(const std::vector<std::string>& arguments,
                                       std::size_t first) {
  for (std::size_t i = first; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (Lowered(argument) == "/unix") {
      if (i + 1 < arguments.size()) return ProgramPart(arguments[i + 1]);
      return std::nullopt;
    }
    if (!argument.empty() && argument.front() == '/') {
      if (TakesValue(argument)) ++i;
      continue;
    }
    if (EndsWithExe(ProgramPart(argument))) return ProgramPart(argument);
  }
  return std::nullopt;
}

std::optional<std::string> FirstExeFrom(const std::vector<std::string>& arguments,
                                        std::size_t first) {
  for (std::size_t i = first; i < arguments.size(); ++i) {
    std::string program = ProgramPart(arguments[i]);
    if (EndsWithExe(program)) return program;
  }
  return std::nullopt;
}

}  // namespace

bool IsWineLoader(std::string_view executable) {
  static constexpr std::array<std::string_view, 4> kLoaders = {"wine", "wine64", "wine-preloader",
                                                               "wine64-preloader"};
  const std::string name = Lowered(FileNamePart(executable));
  return std::find(kLoaders.begin(), kLoaders.end(), name) != kLoaders.end();
}

std::vector<std::string> SplitCommandLine(std::string_view contents) {
  std::vector<std::string> arguments;
  while (!contents.empty()) {
    const std::size_t end = contents.find('\0');
    arguments.emplace_back(contents.substr(0, end));
    if (end == std::string_view::npos) break;
    contents.remove_prefix(end + 1);
  }
  return arguments;
}

std::optional<std::string> WineProgramArgument(const std::vector<std::string>& arguments) {
  std::size_t first = 0;
  while (first < arguments.size() && IsWineLoader(arguments[first])) ++first;
  if (first == arguments.size() || arguments[first].empty()) return std::nullopt;
  const std::string program = ProgramPart(arguments[first]);
  if (IsStartLauncher(program)) return StartTarget(arguments, first + 1);
  if (IsProtonLauncher(program)) {
    if (auto game = FirstExeFrom(arguments, first + 1)) return game;
  }
  if (program.empty()) return std::nullopt;
  return program;
}

bool IsAbsoluteWindowsPath(std::string_view path) {
  if (path.starts_with("\\\\")) return true;
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         path[2] == '\\';
}

}  // namespace vandrel
