// X11ForegroundProgram: the foreground program of an X11 session, from the window manager's
// active window and the process that owns it. A thread of its own sleeps on the X connection and
// looks again only when the root window's _NET_ACTIVE_WINDOW is set, so nothing runs while nothing
// changes; the watchers are told when the answer changes.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/unique_fd.h"
#include "platform/platform_foreground_program.h"
#include "platform/x11_active_window.h"

namespace vandrel {

class X11ForegroundProgram final : public PlatformForegroundProgram {
 public:
  // Connects to `display_name` ("" for $DISPLAY), reading processes under `proc_root`, and starts
  // following the active window; nullptr with `why` set when the server cannot be reached.
  [[nodiscard]] static std::unique_ptr<X11ForegroundProgram> Start(const std::string& display_name,
                                                                   std::filesystem::path proc_root,
                                                                   std::string& why);
  // Stops the thread and closes the connection.
  ~X11ForegroundProgram() override;

  [[nodiscard]] bool ReportsChanges() const override { return true; }
  [[nodiscard]] std::string Kind() const override { return "x11"; }
  [[nodiscard]] ForegroundLook Look() const override;
  // From a connection of its own, so that it never waits for the thread's.
  [[nodiscard]] std::vector<std::string> ProgramsWithWindows() const override;

 private:
  X11ForegroundProgram(std::unique_ptr<X11ActiveWindow> display, std::string display_name,
                       std::filesystem::path proc_root, UniqueFd stop);
  void Follow();
  void Update(ForegroundLook look);

  const std::unique_ptr<X11ActiveWindow> display_;  // used by the thread only, once it runs
  const std::string display_name_;
  const std::filesystem::path proc_root_;
  const UniqueFd stop_;       // an eventfd: written to end the thread
  mutable std::mutex mutex_;  // guards look_
  ForegroundLook look_;
  std::thread thread_;  // last: it starts once the members it uses exist
};

// The programs of the windows `display` lists, each once, in its order; processes under
// `proc_root`.
[[nodiscard]] std::vector<std::string> ProgramsOfClientWindows(
    X11ActiveWindow& display, const std::filesystem::path& proc_root);

// What `display`'s active window shows now, its process read under `proc_root`.
[[nodiscard]] ForegroundLook LookAtActiveWindow(X11ActiveWindow& display,
                                                const std::filesystem::path& proc_root);

}  // namespace vandrel
