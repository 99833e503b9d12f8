// The command line of the desktop program vandrel. Arguments that do not start with "--" are
// left to Qt ("-platform offscreen" …).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vandrel {

struct ProgramOptions {
  // Simulated devices instead of real ones: a subset of "kb", "ms", "mp"; nullopt: real devices.
  std::optional<std::vector<std::string>> simulate;
  std::filesystem::path sim_trace;  // trace every simulated report here
  bool sim_usb_timing = false;      // simulated reports take about 1 ms each, as on USB
  bool sim_stats = false;           // at the end and on SIGUSR1, print the simulator's figures
  // Every simulated device's lighting mode and speed, in every slot ("MODE:SPEED").
  std::optional<std::pair<std::uint8_t, std::uint8_t>> sim_lighting;
  std::string sim_lighting_text;     // what --sim-lighting was given when it was not MODE:SPEED
  std::filesystem::path screenshot;  // write a picture of the filled window here, then end
  // What the screenshot shows (kScreenshotViews); empty: the main window as it opens.
  std::string screenshot_view;
  // For benchmarks: once the window is filled, show this view (kScreenshotViews) or hide the
  // window ("hidden"), and stay; empty: the window behaves as for a user.
  std::string show_view;
  bool help = false;
  bool version = false;
};

inline constexpr std::string_view kScreenshotViews[] = {
    "kb",          "ms",          "mp",
    "kb-keys",     "kb-lighting", "kb-paint",
    "kb-macro",    "ms-macro",    "ms-keys",
    "ms-recoil",   "tray-menu",   "about",
    "palette",     "message",     "skin",
    "kb-profiles", "ms-profiles", "mp-profiles",
    "kb-record",   "ms-record",   "ms-performance",
    "link"};

// The view of --show-view that hides the window, as the close button does.
inline constexpr std::string_view kHiddenView = "hidden";

inline constexpr std::string_view kProgramUsage =
    "usage: vandrel [--simulate[=kb,ms,mp]] [--sim-trace FILE] [--sim-usb-timing]\n"
    "               [--sim-lighting MODE:SPEED] [--sim-stats]\n"
    "               [--screenshot FILE [--screenshot-view VIEW]] [--show-view VIEW]\n"
    "               [--help] [--version]\n"
    "\n"
    "  --simulate[=kb,ms,mp]   use simulated devices (all three by default); their on-device\n"
    "                          actions are in the tray menu's Simulator entry and on Ctrl+Shift+S\n"
    "  --sim-trace FILE        write every simulated report to FILE\n"
    "  --sim-usb-timing        simulated reports take about 1 ms each, as on a USB device\n"
    "  --sim-lighting MODE:SPEED  start every simulated device with this lighting mode and\n"
    "                          speed (0 fastest) in all its slots\n"
    "  --sim-stats             at the end and on SIGUSR1, print the frames and requests\n"
    "                          each simulated device received and the time it cost each\n"
    "                          thread\n"
    "  --screenshot FILE       once the window is filled, write a PNG of it to FILE and end\n"
    "  --screenshot-view VIEW  what to picture: kb, ms, mp (a device tab), kb-keys (a key\n"
    "                          reassigned), kb-lighting (the keyboard's Lighting tab),\n"
    "                          kb-paint (the Lighting tab with keys painted in a colour set),\n"
    "                          kb-macro, ms-macro (a device's Macros tab), kb-record,\n"
    "                          ms-record (that tab recording a few keys), ms-keys (the\n"
    "                          mouse's Buttons tab, a button made a fire key), ms-recoil\n"
    "                          (its Recoil tab), ms-performance (its Performance tab),\n"
    "                          kb-profiles, ms-profiles, mp-profiles (a\n"
    "                          device's profile panel), tray-menu, about, palette, message\n"
    "                          or skin\n"
    "  --show-view VIEW        once the window is filled, show VIEW (as for --screenshot-view)\n"
    "                          or hide the window (hidden), and go on running: for benchmarks\n"
    "  --help, --version       print this text or the version\n";

// The options in `arguments` (without the program name); nullopt with `error` set when they
// cannot be understood.
[[nodiscard]] std::optional<ProgramOptions> ParseProgramOptions(
    const std::vector<std::string>& arguments, std::string& error);

}  // namespace vandrel
