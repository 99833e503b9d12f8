// UiThread: how the main window's own code and the worker threads reach the user-interface
// thread: messages (an id and two parameters) posted or sent to the main window, and numbered
// repeating timers on it. The Qt implementation uses posted events and QTimers; tests use a
// deterministic loop on a manual clock.
#pragma once

#include <cstdint>

#include "core/clock.h"

namespace vandrel {

// The receiver of messages and timers: the main window. Runs on the user-interface thread only.
class MessageTarget {
 public:
  virtual void HandleMessage(int message, std::intptr_t wparam, std::intptr_t lparam) = 0;
  virtual void HandleTimer(int timer_id) = 0;

 protected:
  ~MessageTarget() = default;
};

class UiThread {
 public:
  virtual ~UiThread() = default;

  // The target every message and timer goes to. Set once, before anything is posted.
  virtual void SetTarget(MessageTarget* target) = 0;

  // Queues a message for the target and returns at once. Messages are handled in the order they
  // were posted. Any thread.
  virtual void Post(int message, std::intptr_t wparam = 0, std::intptr_t lparam = 0) = 0;
  // Has the target handle the message and returns once it has: at once on the user-interface
  // thread; from another thread it waits, but gives up (returning false, the message unhandled)
  // once StopSending was called, so a thread being stopped never hangs on the window. True when
  // the message was handled. Any thread.
  virtual bool Send(int message, std::intptr_t wparam = 0, std::intptr_t lparam = 0) = 0;
  // From now on every Send from another thread gives up, including those already waiting. Any
  // thread.
  virtual void StopSending() = 0;

  // Starts timer `timer_id`, which fires every `period` until killed; starting it again replaces
  // its period and restarts it. Any thread.
  virtual void SetTimer(int timer_id, Clock::Duration period) = 0;
  // Stops the timer; a timer that is not running is left alone. Any thread.
  virtual void KillTimer(int timer_id) = 0;
};

}  // namespace vandrel
