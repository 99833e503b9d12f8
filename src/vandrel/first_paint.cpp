#include "vandrel/first_paint.h"

#include <time.h>
#include <unistd.h>

#include <QEvent>
#include <fstream>
#include <sstream>
#include <string>

#include "core/trace.h"

namespace vandrel {
namespace {

// Field 22 of /proc/self/stat: when the process started, in clock ticks since the boot. The
// fields are counted after the command name, which may hold spaces and parentheses.
std::optional<long long> StartTicks() {
  std::ifstream stat_file("/proc/self/stat");
  std::string line;
  if (!std::getline(stat_file, line)) return std::nullopt;
  const std::size_t name_end = line.rfind(')');
  if (name_end == std::string::npos) return std::nullopt;
  std::istringstream fields(line.substr(name_end + 1));
  std::string field;
  constexpr int kFieldsBeforeStart = 19;  // state (field 3) to itrealvalue (field 21)
  for (int i = 0; i < kFieldsBeforeStart; ++i) fields >> field;
  long long ticks = 0;
  if (!(fields >> ticks)) return std::nullopt;
  return ticks;
}

}  // namespace

std::optional<std::chrono::milliseconds> SinceProcessStart() {
  const std::optional<long long> start = StartTicks();
  const long ticks_per_second = sysconf(_SC_CLK_TCK);
  timespec now{};
  if (!start || ticks_per_second <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
    return std::nullopt;
  }
  const std::chrono::milliseconds started(*start * 1000 / ticks_per_second);
  const auto since_boot = std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
  return std::chrono::duration_cast<std::chrono::milliseconds>(since_boot) - started;
}

FirstPaintTrace::FirstPaintTrace(QWidget& window) : window_(window) {
  window_.installEventFilter(this);
}

bool FirstPaintTrace::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_ || event->type() != QEvent::Paint) return false;
  window_.removeEventFilter(this);
  const std::optional<std::chrono::milliseconds> since = SinceProcessStart();
  Trace(since ? "window first painted " + std::to_string(since->count()) +
                    " ms after the program started"
              : std::string("window first painted; the program's start is unknown"));
  return false;
}

}  // namespace vandrel
