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
    "usage: vandrelctl [GLOBAL OPTIONS] COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  list       the connected devices: kind, product ID, keyboard model\n"
    "  folders    print the data folders (creating them) and the program folder\n"
    "  settings   print main.ini's skin and language settings and the stored language\n"
    "  frames keyboard|pad|sync [OPTIONS]\n"
    "             render an effect without a device, from the state choosing its mode leaves:\n"
    "             one line per frame, its number and the bytes of its lighting frame command\n"
    "             in hexadecimal (empty when the mode sends none); sync prints one such field\n"
    "             per device following it, the keyboard's first\n"
    "    --model 0|1|3         keyboard model (default 0)\n"
    "    --mode N              effect: keyboard 0-18 (model 0), 0-16 (model 1), 0-7 (model 3);\n"
    "                          pad 0-9; sync 0-3 (default 0)\n"
    "    --brightness N        0-14 (default 14)\n"
    "    --speed N             0-14, 0 fastest (default 0)\n"
    "    --direction 0|1       1 leftward, 0 rightward (default 0)\n"
    "    --colour RRGGBB       fixed colour (default ffffff)\n"
    "    --seven-colour        cycle through the colour wheel instead\n"
    "    --count N             frames, 1-10000 (default 1)\n"
    "    --seed N              random colours' seed (default the lighting thread's, 19266)\n"
    "    --follow LIST         sync: keyboard, pad or keyboard,pad (default both)\n"
    "    --preview             add each key's or LED's colour and level, RRGGBBLL\n"
    "  help       print this text\n"
    "\n"
    "global options:\n"
    "  --simulate[=kb,ms,mp]  use simulated devices (all three by default); their memory is kept\n"
    "                         in $XDG_STATE_HOME/vandrel/simulator between runs\n"
    "  --sim-state DIR        keep the simulated devices' memory in DIR instead\n"
    "  --sim-trace FILE       write every simulated report to FILE\n"
    "  --json                 machine-readable output\n"
    "  --help, --version\n"
    "\n"
    "exit status: 0 success, 1 device missing or device error, 2 bad usage or bad input\n";

struct CommandEntry {
  std::string_view name;
  int (*run)(const Options&);
};

constexpr CommandEntry kCommands[] = {
    {"list", vandrel::cli::RunList},
    {"folders", vandrel::cli::RunFolders},
    {"settings", vandrel::cli::RunSettings},
    {"frames", vandrel::cli::RunFrames},
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  const std::optional<Options> options = vandrel::cli::ParseOptions(arguments, error);
  if (!options) {
    std::fprintf(stderr, "vandrelctl: %s\n\n%s", error.c_str(), kUsage.data());
    return vandrel::cli::kExitBadUsage;
  }
  for (const CommandEntry& command : kCommands) {
    if (options->command == command.name) return command.run(*options);
  }
  if (options->command == "version") {
    std::printf("vandrelctl %s\n", VANDREL_VERSION);
    return vandrel::cli::kExitSuccess;
  }
  const bool asked = options->command == "help";
  if (!asked)
    std::fprintf(stderr, "vandrelctl: unknown command \"%s\"\n\n", options->command.c_str());
  std::fputs(kUsage.data(), asked ? stdout : stderr);
  return asked ? vandrel::cli::kExitSuccess : vandrel::cli::kExitBadUsage;
}
