// vandrelctl: the command-line face of the configuration suite.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"

namespace {

using vandrel::cli::Options;

constexpr std::string_view kUsage =
    "usage: vandrelctl [--simulate[=kb,ms,mp]] [--sim-trace FILE] [--sim-state DIR] COMMAND\n"
    "\n"
    "commands:\n"
    "  devices    list the connected devices and what they report\n"
    "  folders    print the data folders (creating them) and the program folder\n"
    "  settings   print main.ini's skin and language settings and the stored language\n"
    "  help       print this text\n"
    "\n"
    "options:\n"
    "  --simulate[=kb,ms,mp]  use simulated devices (all three by default)\n"
    "  --sim-trace FILE       write every simulated report to FILE\n"
    "  --sim-state DIR        keep the simulated devices' memory in DIR between runs\n";

struct CommandEntry {
  std::string_view name;
  int (*run)(const Options&);
};

constexpr CommandEntry kCommands[] = {
    {"devices", vandrel::cli::RunDevices},
    {"folders", vandrel::cli::RunFolders},
    {"settings", vandrel::cli::RunSettings},
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  const std::optional<Options> options = vandrel::cli::ParseOptions(arguments, error);
  if (!options) {
    std::fprintf(stderr, "vandrelctl: %s\n\n%s", error.c_str(), kUsage.data());
    return 2;
  }
  for (const CommandEntry& command : kCommands) {
    if (options->command == command.name) return command.run(*options);
  }
  const bool asked = options->command == "help";
  if (!asked)
    std::fprintf(stderr, "vandrelctl: unknown command \"%s\"\n\n", options->command.c_str());
  std::fputs(kUsage.data(), asked ? stdout : stderr);
  return asked ? 0 : 2;
}
