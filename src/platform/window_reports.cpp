#include "platform/window_reports.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/process_program.h"

namespace vandrel {

namespace {

// Longer application ids are cut: they are only shown, and a caller could send megabytes.
constexpr std::size_t kMaxAppId = 255;
// Linux process numbers stay below 2^22.
constexpr long kMaxPid = std::numeric_limits<std::int32_t>::max();

// The process number in `text`; 0 for "" or "0"; nullopt for anything but plain decimal digits.
std::optional<long> ParsePid(std::string_view text) {
  if (text.empty()) return 0;
  long pid = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
  if (error != std::errc() || end != text.data() + text.size() || pid < 0 || pid > kMaxPid ||
      text.front() == '+' || text.front() == '-') {
    return std::nullopt;
  }
  return pid;
}

}  // namespace

WindowReports::WindowReports(std::filesystem::path proc_root)
    : proc_root_(std::move(proc_root)),
      look_{.why_unknown =
                "no compositor helper has reported a window yet (is the KWin script or the GNOME "
                "Shell extension enabled?)"} {}

bool WindowReports::Activated(std::string_view pid_text, std::string_view app_id_text) {
  const std::optional<long> pid = ParsePid(pid_text);
  const std::string app_id(app_id_text.substr(0, kMaxAppId));
  ForegroundLook look{.app_id = app_id};
  if (!pid) {
    look.why_unknown = "the compositor helper sent \"" +
                       std::string(pid_text.substr(0, kMaxAppId)) + "\", which is no process";
  } else if (*pid == 0) {
    look.why_unknown = app_id.empty() ? "the compositor named neither a process nor an application"
                                      : "the compositor named the application \"" + app_id +
                                            "\" but not its process";
  } else {
    ProcessProgram program = ReadProcessProgram(proc_root_, *pid);
    look.pid = *pid;
    look.path = std::move(program.path);
    look.why_unknown = std::move(program.why_unknown);
    look.wine = program.wine;
  }
  std::lock_guard lock(mutex_);
  if (look.path) Remember(*look.pid, *look.path);
  look_ = std::move(look);
  return pid.has_value();
}

void WindowReports::NothingActive() {
  std::lock_guard lock(mutex_);
  look_ = {.why_unknown = "no window is active"};
}

void WindowReports::Lost(std::string why) {
  std::lock_guard lock(mutex_);
  look_ = {.why_unknown = std::move(why)};
}

ForegroundLook WindowReports::Look() const {
  std::lock_guard lock(mutex_);
  return look_;
}

std::vector<std::string> WindowReports::RunningPrograms() const {
  std::vector<Seen> seen;
  {
    std::lock_guard lock(mutex_);
    seen = seen_;
  }
  std::vector<std::string> running;
  for (Seen& program : seen) {
    if (ReadProcessProgram(proc_root_, program.pid).path == program.path)
      running.push_back(std::move(program.path));
  }
  return running;
}

// With mutex_ held. A program seen again moves to the front, under its latest process.
void WindowReports::Remember(long pid, const std::string& path) {
  std::erase_if(seen_, [&](const Seen& program) { return program.path == path; });
  seen_.insert(seen_.begin(), {pid, path});
  if (seen_.size() > kRemembered) seen_.resize(kRemembered);
}

}  // namespace vandrel
