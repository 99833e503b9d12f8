// vandrelctl: the command-line face of the configuration suite.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "platform/home_folder.h"

namespace {

using vandrel::cli::Options;

constexpr std::string_view kUsage =
    "usage: vandrelctl [GLOBAL OPTIONS] COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  list       the connected devices: kind, product ID, keyboard model\n"
    "  info mouse|keyboard|pad\n"
    "             everything read from the device: information, slot, DPI, report rate,\n"
    "             lighting, key assignments with their names\n"
    "  set mouse|keyboard|pad OPTIONS\n"
    "             change settings; everything is checked before anything is sent:\n"
    "             --mode N --brightness 0-14 --speed 0-14 (0 fastest) --direction left|right\n"
    "             --seven-colour on|off --colour RRGGBB   (all devices)\n"
    "             --slot N (mouse 0-5, pad 0-4)   --factory-reset (mouse, pad; alone)\n"
    "             --dpi1 … --dpi5 DPI  --dpi1-colour … --dpi5-colour RRGGBB\n"
    "             --report-rate 125|250|500|1000   (mouse)\n"
    "  profile show FILE     decode a .pro, .led or .config file of any device\n"
    "  profile apply FILE    apply it to its device, as selecting that profile does\n"
    "  profile save DEVICE FILE\n"
    "             write the device's current settings as a profile (kind by the extension)\n"
    "  profile list DEVICE   the device's profile lists in the data folder\n"
    "  profile select|copy|delete|reset DEVICE KIND [NAME]   (KIND: key, light, device;\n"
    "             NAME: the selected profile when left out)\n"
    "  profile add DEVICE KIND | rename DEVICE KIND NAME NEW | import DEVICE KIND FILE |\n"
    "          export DEVICE KIND FILE [NAME]\n"
    "             change the lists as the profile rows do; a profile an operation ends on is\n"
    "             selected and applied to the device if connected; refused while vandrel runs\n"
    "  profile link DEVICE KIND NAME PATH | unlink DEVICE KIND NAME\n"
    "             link the profile to a program, so that vandrel switches the device to it\n"
    "             while that program is in the foreground; PATH as foreground prints it (a\n"
    "             Windows path for a Wine or Proton game); refused (status 2) when another\n"
    "             profile of the same list is linked to it; refused while vandrel runs\n"
    "  macro list|show|add|rename|delete|export|import mouse|keyboard ...\n"
    "             the macro library in the data folder, no device needed:\n"
    "    list DEVICE              the macros by number, with their step counts\n"
    "    show DEVICE NAME         the steps: kind, press or release (or direction and\n"
    "                             distance), key or button, pause after it; --json adds the line\n"
    "    add DEVICE [NAME]        a new macro with no steps (default name name_N)\n"
    "    rename DEVICE OLD NEW    never replaces another file\n"
    "    delete DEVICE NAME       later macros move up one number\n"
    "    export DEVICE NAME FILE  copy the macro's .mac file to FILE\n"
    "    import DEVICE FILE [NAME]\n"
    "                             a .mac file (UTF-8 text, at most 1 MiB) as a new macro\n"
    "             at most 50 macros; names are file names and unique without regard to case;\n"
    "             changes are refused (status 1) while the desktop program vandrel runs\n"
    "  assign mouse BUTTON FUNCTION, assign keyboard KEY FUNCTION\n"
    "             give one button or key a function and write the device's key page (not its\n"
    "             macros: see download); refused (status 2, nothing sent) for what the key\n"
    "             pages refuse, such as taking the mouse's last left click:\n"
    "    BUTTON   left, wheel, right, forward, back, DPI, second DPI, button 7, button 8, or 0-8\n"
    "    KEY      a key's name or number as info keyboard shows them; names first (1 is the\n"
    "             key 1, not key number 1)\n"
    "    FUNCTION a name info shows (\"Left click\", \"Copy (Ctrl+C)\", \"Volume up\", \"F5\"),\n"
    "             default, disabled,\n"
    "             macro:NAME[:REPEAT]  REPEAT a repeat mode 0-3 (default 0) or xN, N plays 1-255\n"
    "             key:COMBO            such as ctrl+shift+a; ctrl, shift, alt, win are the left\n"
    "                                  ones, rctrl or right ctrl … the right ones\n"
    "             tilt:left|right:VALUE[:HIGH:LOW]  wheel:up|down:VALUE[:HIGH:LOW]\n"
    "                                  VALUE 0-127, HIGH and LOW 0-15\n"
    "             fire:FIRST:SECOND    FIRST 1-255, SECOND 0-255\n"
    "  download mouse|keyboard\n"
    "             write the device's macro library and then its key page to it; refused\n"
    "             (status 2, nothing sent) when the macros do not fit its macro memory\n"
    "  recoil list|show|import|export|restore|download ...\n"
    "             the mouse's recoil tables in the data folder (set up from the defaults beside\n"
    "             the program the first time) and their download:\n"
    "    list                   the tables by number, with their files and action lines\n"
    "    show TABLE             shots 1-30: the pause after each in ms, and the pull in pixels,\n"
    "                           x to the right and y down (negative: left, up; null: none)\n"
    "    import TABLE FILE      a .cur file (UTF-8 text, at most 1 MiB, 180 action lines) as\n"
    "                           the table's file\n"
    "    export TABLE FILE      copy the table's .cur file to FILE\n"
    "    restore TABLE          copy the table's default file over it\n"
    "    download               write every table to the mouse; refused (status 2, nothing\n"
    "                           sent) when they need more than the mouse's 3072 bytes\n"
    "             TABLE is a table's name (as list shows it) or number; import and restore are\n"
    "             refused (status 1) while the desktop program vandrel runs\n"
    "  foreground the program in the foreground as linked profiles see it (the path of its\n"
    "             executable; a Windows path for a Wine or Proton program), or \"unknown\" and\n"
    "             why, with the window and process it was found from; under Wayland, what the\n"
    "             desktop program vandrel was last told by the compositor helper\n"
    "  foreground --windows\n"
    "             the programs running now with a window, to link a profile to (under\n"
    "             Wayland: those the helper has reported in front since vandrel started)\n"
    "  folders    print the data folders (creating them) and the program folder\n"
    "  settings   print main.ini's skin and language settings and the stored language\n"
    "  hid list   every HID interface present: path, vendor and product ID, interface and\n"
    "             collection number, usage page and usage; marks those the program would use\n"
    "  hid describe PATH|--file DESCRIPTOR_FILE\n"
    "             the capabilities of a report descriptor (of an interface that hid list shows,\n"
    "             or raw bytes from a file): per collection its usage, report IDs, report byte\n"
    "             lengths (report ID byte included), button and value capabilities\n"
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
    "    --direction left|right  (default right)\n"
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
    "exit status: 0 success; 1 device missing or device error, a folder not created, output or\n"
    "             simulator memory that could not be written, a file that could not be\n"
    "             written or changed, the desktop program running (macro and recoil\n"
    "             changes); 2 bad usage, bad input (nothing sent or changed) or no usable\n"
    "             home folder (HOME)\n";

struct CommandEntry {
  std::string_view name;
  int (*run)(const Options&);
};

constexpr CommandEntry kCommands[] = {
    {"list", vandrel::cli::RunList},
    {"info", vandrel::cli::RunInfo},
    {"set", vandrel::cli::RunSet},
    {"profile", vandrel::cli::RunProfile},
    {"frames", vandrel::cli::RunFrames},
    {"hid", vandrel::cli::RunHid},
    {"folders", vandrel::cli::RunFolders},
    {"settings", vandrel::cli::RunSettings},
    {"macro", vandrel::cli::RunMacro},
    {"download", vandrel::cli::RunDownload},
    {"assign", vandrel::cli::RunAssign},
    {"recoil", vandrel::cli::RunRecoil},
    {"foreground", vandrel::cli::RunForeground},
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
    if (options->command != command.name) continue;
    std::string problem;
    if (!vandrel::FindHomeFolder(&problem)) {
      std::fprintf(stderr, "vandrelctl: no usable home folder: %s\n", problem.c_str());
      return vandrel::cli::kExitBadUsage;
    }
    return vandrel::cli::FinalExitStatus(command.run(*options));
  }
  if (options->command == "version") {
    std::printf("vandrelctl %s\n", VANDREL_VERSION);
    return vandrel::cli::FinalExitStatus(vandrel::cli::kExitSuccess);
  }
  const bool asked = options->command == "help";
  if (!asked)
    std::fprintf(stderr, "vandrelctl: unknown command \"%s\"\n\n", options->command.c_str());
  std::fputs(kUsage.data(), asked ? stdout : stderr);
  return vandrel::cli::FinalExitStatus(asked ? vandrel::cli::kExitSuccess
                                             : vandrel::cli::kExitBadUsage);
}
