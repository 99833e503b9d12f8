// WindowReports: what compositor helpers have told us of the window in front, made into the
// foreground program: a reported process is named as the X11 source names one (its executable, or
// a Wine game by its Windows program); an application id alone, or no report yet, is an honest
// unknown, never a guess. It also remembers the programs reported in front, for the link dialog.
// Any thread.
#pragma once

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_foreground_program.h"

namespace vandrel {

class WindowReports {
 public:
  // Processes are read under `proc_root` (normally "/proc").
  explicit WindowReports(std::filesystem::path proc_root);

  // A window came to the front: its process as decimal text ("" or "0": not given) and its
  // application id ("" when none). False when `pid_text` is no process number; the foreground is
  // then unknown, as the helper's report cannot be trusted.
  bool Activated(std::string_view pid_text, std::string_view app_id);
  // No window is in front.
  void NothingActive();
  // No more reports can come: the foreground is unknown for `why`.
  void Lost(std::string why);

  // What the last report comes to.
  [[nodiscard]] ForegroundLook Look() const;
  // The programs reported in front that are still running (the process reported still runs that
  // program), most recent first, each once.
  [[nodiscard]] std::vector<std::string> RunningPrograms() const;

  // How many programs are remembered; older ones are forgotten first.
  static constexpr std::size_t kRemembered = 64;

 private:
  struct Seen {
    long pid;
    std::string path;
  };
  void Remember(long pid, const std::string& path);

  const std::filesystem::path proc_root_;
  mutable std::mutex mutex_;  // guards look_ and seen_
  ForegroundLook look_;
  std::vector<Seen> seen_;  // most recent first
};

}  // namespace vandrel
