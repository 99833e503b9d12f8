// WorkerThreads: the main window's 14 worker threads and their manual-reset stop events. Bodies
// are given per slot before the start; slots without a body are not started. Each thread carries
// its slot's name. Start resets every
// event, then starts the threads in slot order, pausing 20 ms after the first and after the
// second. Stop sets every event and waits (through the clock) at most the time-out for all of
// them together; threads still running then are abandoned: they are detached and must only use
// what outlives them. User-interface thread.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "core/clock.h"
#include "core/event.h"

namespace vandrel {

// The slots in start order, with the stop event each one uses.
enum class WorkerSlot {
  kKeyboardMonitor,
  kMouseMonitor,
  kPadMonitor,
  kMouseListener,
  kKeyboardListener,
  kKeyboardLighting,
  kMouseLighting,
  kPadLighting,
  kSyncLighting,
  kKeyboardDeviceWatcher,
  kKeyboardKeyWatcher,
  kMouseDeviceWatcher,
  kMouseKeyWatcher,
  kPadLightWatcher,
};

inline constexpr int kWorkerCount = 14;

// The stop event of each slot, by slot.
inline constexpr std::array<int, kWorkerCount> kStopEventOfSlot = {1, 0, 2, 3,  4,  5,  6,
                                                                   7, 8, 9, 10, 11, 12, 13};

// The name each slot's thread carries, by slot, for `top -H` and perf.
inline constexpr std::array<std::string_view, kWorkerCount> kWorkerNames = {
    "kb-monitor",   "ms-monitor",   "pad-monitor",  "ms-listen",      "kb-listen",
    "kb-light",     "ms-light",     "pad-light",    "sync-light",     "kb-watch-dev",
    "kb-watch-key", "ms-watch-dev", "ms-watch-key", "pad-watch-light"};

enum class StopOutcome { kNoneRunning, kAllEnded, kTimedOut };

// The trace line's words for an outcome.
[[nodiscard]] std::string_view OutcomeText(StopOutcome outcome);

class WorkerThreads {
 public:
  using Body = std::function<void(Event& stop)>;
  static constexpr Clock::Duration kStopTimeout = std::chrono::seconds(10);
  static constexpr Clock::Duration kStartPause = std::chrono::milliseconds(20);

  explicit WorkerThreads(Clock& clock);
  // Stops what still runs, as Stop does.
  ~WorkerThreads();
  WorkerThreads(const WorkerThreads&) = delete;
  WorkerThreads& operator=(const WorkerThreads&) = delete;

  void SetBody(WorkerSlot slot, Body body);
  [[nodiscard]] bool HasBody(WorkerSlot slot) const;
  // The stop event of event number `index` (0-13).
  [[nodiscard]] Event& StopEvent(int index);

  void Start();
  // Sets every stop event and waits at most `timeout` for the started threads; writes a trace
  // line naming the outcome. Safe to call twice.
  StopOutcome Stop(Clock::Duration timeout = kStopTimeout);

 private:
  struct Shared;

  Clock& clock_;
  std::array<Body, kWorkerCount> bodies_;
  std::shared_ptr<Shared> shared_;
  std::vector<std::thread> threads_;
};

}  // namespace vandrel
