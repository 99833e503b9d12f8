// DesktopPointerSettings: the Linux PointerSettings. It sets the pointer speed through the running
// desktop where it can — GNOME's gsettings, KDE's input configuration (kwriteconfig6, else
// kwriteconfig5), or the X server's acceleration (xset) — and the wheel lines where the desktop
// has such a setting (KDE only). What cannot be applied is written as a trace line. Both values
// are kept and returned; KDE's current values are read from its configuration files, which is
// cheap. The setters start tools and wait for them (bounded): call them off the user-interface
// thread. Any thread.
#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "mouse/pointer_settings.h"
#include "platform/desktop_session.h"
#include "platform/tool_runner.h"

namespace vandrel {

// The desktops' own pointer speed, −1 (slowest) to 1 (fastest) with 0 the default, for a speed
// 1-20 with 10 the default; and back, rounded to the nearest speed.
[[nodiscard]] double DesktopSpeedOf(int speed);
[[nodiscard]] int SpeedOfDesktopValue(double value);
// The speed as a decimal text with a point whatever the locale ("-0.556", "0", "1").
[[nodiscard]] std::string DesktopSpeedText(int speed);

class DesktopPointerSettings final : public PointerSettings {
 public:
  struct Options {
    Desktop desktop = Desktop::kNone;
    std::filesystem::path config_home;  // where KDE keeps kcminputrc and kdeglobals
    ToolRunner run;                     // runs one tool to its end or its time-out
  };

  explicit DesktopPointerSettings(Options options);
  // The session this process runs in, with real tools and $XDG_CONFIG_HOME (else ~/.config).
  DesktopPointerSettings();

  bool SetPointerSpeed(int speed) override;
  bool SetWheelLines(int lines) override;
  [[nodiscard]] std::optional<int> PointerSpeed() override;
  [[nodiscard]] std::optional<int> WheelLines() override;

 private:
  // kwriteconfig6, else kwriteconfig5 when the first is not installed.
  bool WriteKdeConfig(const std::string& file, const std::string& group, const std::string& key,
                      const std::string& value);
  [[nodiscard]] std::optional<std::string> ReadKdeConfig(const std::string& file,
                                                         const std::string& group,
                                                         const std::string& key) const;
  bool Run(const std::vector<std::string>& arguments, const char* what);

  const Options options_;
  std::atomic<int> pointer_speed_{0};  // 0 until set
  std::atomic<int> wheel_lines_{0};    // 0 until set
};

}  // namespace vandrel
