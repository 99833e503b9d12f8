#include "platform/x11_foreground_program.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "core/thread_name.h"
#include "platform/process_program.h"

namespace vandrel {

ForegroundLook LookAtActiveWindow(X11ActiveWindow& display,
                                  const std::filesystem::path& proc_root) {
  const ActiveWindowOwner owner = display.ReadOwner();
  ForegroundLook look{.why_unknown = owner.why_unknown, .window = owner.window, .pid = owner.pid};
  if (!owner.pid) return look;
  ProcessProgram program = ReadProcessProgram(proc_root, *owner.pid);
  look.path = std::move(program.path);
  look.why_unknown = std::move(program.why_unknown);
  look.wine = program.wine;
  return look;
}

std::vector<std::string> ProgramsOfClientWindows(X11ActiveWindow& display,
                                                 const std::filesystem::path& proc_root) {
  std::vector<std::string> programs;
  for (const long pid : display.ClientProcesses()) {
    std::optional<std::string> path = ReadProcessProgram(proc_root, pid).path;
    if (path && std::find(programs.begin(), programs.end(), *path) == programs.end())
      programs.push_back(std::move(*path));
  }
  return programs;
}

std::unique_ptr<X11ForegroundProgram> X11ForegroundProgram::Start(const std::string& display_name,
                                                                  std::filesystem::path proc_root,
                                                                  std::string& why) {
  std::unique_ptr<X11ActiveWindow> display = X11ActiveWindow::Connect(display_name, why);
  if (!display) return nullptr;
  UniqueFd stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!stop.valid()) {
    why = "no event descriptor for the X11 thread";
    return nullptr;
  }
  return std::unique_ptr<X11ForegroundProgram>(new X11ForegroundProgram(
      std::move(display), display_name, std::move(proc_root), std::move(stop)));
}

X11ForegroundProgram::X11ForegroundProgram(std::unique_ptr<X11ActiveWindow> display,
                                           std::string display_name,
                                           std::filesystem::path proc_root, UniqueFd stop)
    : display_(std::move(display)),
      display_name_(std::move(display_name)),
      proc_root_(std::move(proc_root)),
      stop_(std::move(stop)),
      look_(LookAtActiveWindow(*display_, proc_root_)),
      thread_([this] { Follow(); }) {}

X11ForegroundProgram::~X11ForegroundProgram() {
  const std::uint64_t one = 1;
  while (write(stop_.get(), &one, sizeof one) < 0 && errno == EINTR) {
  }
  thread_.join();
}

std::vector<std::string> X11ForegroundProgram::ProgramsWithWindows() const {
  std::string why;
  const std::unique_ptr<X11ActiveWindow> display = X11ActiveWindow::Connect(display_name_, why);
  return display ? ProgramsOfClientWindows(*display, proc_root_) : std::vector<std::string>();
}

ForegroundLook X11ForegroundProgram::Look() const {
  std::lock_guard lock(mutex_);
  return look_;
}

// Sleeps until the X connection has something or the stop descriptor is written; looks again
// after each change of the active window.
void X11ForegroundProgram::Follow() {
  NameThisThread("x11-foreground");
  for (;;) {
    const X11ActiveWindow::Events events = display_->TakeEvents();
    if (events == X11ActiveWindow::Events::kConnectionLost) {
      Update({.why_unknown = "the X server has closed the connection"});
      return;
    }
    if (events == X11ActiveWindow::Events::kActiveWindowChanged) {
      Update(LookAtActiveWindow(*display_, proc_root_));
      continue;  // the look's replies may have brought more events
    }
    std::array<pollfd, 2> waits{
        {{display_->FileDescriptor(), POLLIN, 0}, {stop_.get(), POLLIN, 0}}};
    if (poll(waits.data(), waits.size(), -1) < 0 && errno != EINTR) {
      Update({.why_unknown = "waiting on the X connection failed"});
      return;
    }
    if (waits[1].revents != 0) return;
  }
}

void X11ForegroundProgram::Update(ForegroundLook look) {
  bool changed = false;
  {
    std::lock_guard lock(mutex_);
    changed = look.path != look_.path;
    look_ = std::move(look);
  }
  if (changed) NotifyChanged();
}

}  // namespace vandrel
