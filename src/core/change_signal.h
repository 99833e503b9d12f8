// ChangeSignal and Wakeup: how a thread sleeps until something it cares about may have changed,
// instead of looking again every so often. A ChangeSignal is told of a change by whoever makes it
// (a device arriving, a channel connected); a Wakeup is an auto-reset event that every signal it
// listens to, and its thread's stop event, set. The thread waits on the Wakeup through its clock,
// so that tests on a manual clock see the wait and its time-out.
#pragma once

#include <mutex>
#include <vector>

#include "core/event.h"

namespace vandrel {

class ChangeSignal {
 public:
  ChangeSignal() = default;
  ChangeSignal(const ChangeSignal&) = delete;
  ChangeSignal& operator=(const ChangeSignal&) = delete;

  // Sets every event listening now. Any thread, also with the caller's own locks held: it takes
  // only the signal's and the events' locks.
  void Notify();
  // `event` is set by every later Notify until RemoveListener. Any thread.
  void AddListener(Event& event);
  void RemoveListener(Event& event);

 private:
  std::mutex mutex_;  // guards listeners_
  std::vector<Event*> listeners_;
};

class Wakeup final : private Event::Listener {
 public:
  // Set whenever `stop` is set (at once when it already is). `stop` must outlive the Wakeup.
  explicit Wakeup(Event& stop);
  ~Wakeup();
  Wakeup(const Wakeup&) = delete;
  Wakeup& operator=(const Wakeup&) = delete;

  // Set by every Notify of `signal` from now on; null is ignored. `signal` must outlive the
  // Wakeup. The thread that waits.
  void Listen(ChangeSignal* signal);
  // What to wait on; a wait consumes the wake-up.
  [[nodiscard]] Event& event() { return event_; }

 private:
  void OnEventSet() override { event_.Set(); }

  Event& stop_;
  Event event_{EventReset::kAuto};
  std::vector<ChangeSignal*> signals_;
};

}  // namespace vandrel
