#include "platform/desktop_pointer_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/ini_file.h"
#include "core/trace.h"
#include "platform/home_folder.h"

namespace vandrel {
namespace {

constexpr int kSlowest = 1;
constexpr int kDefaultSpeed = 10;
constexpr int kFastest = 20;
constexpr int kMaxWheelLines = 100;
constexpr std::chrono::milliseconds kToolTimeout{3000};

std::string DesktopName(Desktop desktop) {
  switch (desktop) {
    case Desktop::kGnome:
      return "GNOME";
    case Desktop::kKde:
      return "KDE";
    case Desktop::kX11:
      return "X11";
    case Desktop::kNone:
      break;
  }
  return "this";
}

}  // namespace

double DesktopSpeedOf(int speed) {
  const int clamped = std::clamp(speed, kSlowest, kFastest);
  const int below = kDefaultSpeed - kSlowest;  // the steps below the default reach −1
  const int above = kFastest - kDefaultSpeed;  // the steps above it reach 1
  const int step = clamped - kDefaultSpeed;
  return step < 0 ? static_cast<double>(step) / below : static_cast<double>(step) / above;
}

int SpeedOfDesktopValue(double value) {
  const double clamped = std::clamp(value, -1.0, 1.0);
  const int steps = clamped < 0 ? kDefaultSpeed - kSlowest : kFastest - kDefaultSpeed;
  return kDefaultSpeed + static_cast<int>(std::lround(clamped * steps));
}

std::string DesktopSpeedText(int speed) {
  char text[32];
  const auto [end, error] = std::to_chars(std::begin(text), std::end(text), DesktopSpeedOf(speed),
                                          std::chars_format::general, 3);
  return error == std::errc{} ? std::string(text, end) : "0";
}

DesktopPointerSettings::DesktopPointerSettings(Options options) : options_(std::move(options)) {}

DesktopPointerSettings::DesktopPointerSettings()
    : DesktopPointerSettings(Options{DetectDesktop(ProcessDesktopEnvironment()),
                                     XdgBaseFolder("XDG_CONFIG_HOME", ".config"),
                                     [](const std::vector<std::string>& arguments) {
                                       return RunTool(arguments, kToolTimeout);
                                     }}) {}

bool DesktopPointerSettings::SetPointerSpeed(int speed) {
  const int clamped = std::clamp(speed, kSlowest, kFastest);
  pointer_speed_.store(clamped);
  switch (options_.desktop) {
    case Desktop::kGnome:
      return Run({"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "speed",
                  DesktopSpeedText(clamped)},
                 "pointer speed");
    case Desktop::kKde:
      return WriteKdeConfig("kcminputrc", "Mouse", "PointerAcceleration",
                            DesktopSpeedText(clamped));
    case Desktop::kX11:
      // The X server multiplies pointer motion past its threshold by the fraction.
      return Run({"xset", "m", std::to_string(clamped) + "/" + std::to_string(kDefaultSpeed)},
                 "pointer speed");
    case Desktop::kNone:
      break;
  }
  Trace("pointer speed not applied: the desktop offers no pointer speed setting");
  return false;
}

bool DesktopPointerSettings::SetWheelLines(int lines) {
  const int clamped = std::clamp(lines, 1, kMaxWheelLines);
  wheel_lines_.store(clamped);
  if (options_.desktop == Desktop::kKde) {
    return WriteKdeConfig("kdeglobals", "KDE", "WheelScrollLines", std::to_string(clamped));
  }
  Trace("wheel scroll lines not applied: the " + DesktopName(options_.desktop) +
        " desktop has no wheel scroll lines setting");
  return false;
}

std::optional<int> DesktopPointerSettings::PointerSpeed() {
  if (options_.desktop == Desktop::kKde) {
    const auto text = ReadKdeConfig("kcminputrc", "Mouse", "PointerAcceleration");
    double value = 0;
    if (text &&
        std::from_chars(text->data(), text->data() + text->size(), value).ec == std::errc{}) {
      return SpeedOfDesktopValue(value);
    }
  }
  const int kept = pointer_speed_.load();
  return kept != 0 ? std::optional(kept) : std::nullopt;
}

std::optional<int> DesktopPointerSettings::WheelLines() {
  if (options_.desktop == Desktop::kKde) {
    const auto text = ReadKdeConfig("kdeglobals", "KDE", "WheelScrollLines");
    int value = 0;
    if (text &&
        std::from_chars(text->data(), text->data() + text->size(), value).ec == std::errc{} &&
        value > 0) {
      return std::min(value, kMaxWheelLines);
    }
  }
  const int kept = wheel_lines_.load();
  return kept != 0 ? std::optional(kept) : std::nullopt;
}

bool DesktopPointerSettings::WriteKdeConfig(const std::string& file, const std::string& group,
                                            const std::string& key, const std::string& value) {
  const std::vector<std::string> arguments = {"--file", file, "--group", group,
                                              "--key",  key,  value};
  for (const char* tool : {"kwriteconfig6", "kwriteconfig5"}) {
    std::vector<std::string> command = {tool};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const ToolOutcome outcome = options_.run(command);
    if (outcome == ToolOutcome::kSucceeded) return true;
    if (outcome != ToolOutcome::kMissing) {
      Trace(key + " not applied: " + tool + " failed");
      return false;
    }
  }
  Trace(key + " not applied: neither kwriteconfig6 nor kwriteconfig5 could be run");
  return false;
}

std::optional<std::string> DesktopPointerSettings::ReadKdeConfig(const std::string& file,
                                                                 const std::string& group,
                                                                 const std::string& key) const {
  const std::string value = IniFile(options_.config_home / file).ReadString(group, key, "");
  if (value.empty()) return std::nullopt;
  return value;
}

bool DesktopPointerSettings::Run(const std::vector<std::string>& arguments, const char* what) {
  switch (options_.run(arguments)) {
    case ToolOutcome::kSucceeded:
      return true;
    case ToolOutcome::kMissing:
      Trace(std::string(what) + " not applied: " + arguments[0] + " could not be run");
      return false;
    case ToolOutcome::kTimedOut:
      Trace(std::string(what) + " not applied: " + arguments[0] + " did not finish in time");
      return false;
    case ToolOutcome::kFailed:
      break;
  }
  Trace(std::string(what) + " not applied: " + arguments[0] + " failed");
  return false;
}

}  // namespace vandrel
