// ForegroundProgram: which program's window is in the foreground, as one source that every profile
// watcher shares, and a way for a watcher to sleep until that may have changed or it is told to
// stop.
//
// A source that learns of changes from the platform (a window-manager event, a call from a
// compositor helper) calls NotifyChanged, so watchers wake at once and need not poll; one that
// cannot tell says so through ReportsChanges, and the watchers then ask again every interval.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/event.h"

namespace vandrel {

class ForegroundProgram {
 public:
  ForegroundProgram() = default;
  virtual ~ForegroundProgram() = default;
  ForegroundProgram(const ForegroundProgram&) = delete;
  ForegroundProgram& operator=(const ForegroundProgram&) = delete;

  // The full path of the executable whose window is in the foreground now: a Linux path
  // ("/usr/bin/foo"), or the Windows path of a program run by Wine or Proton ("C:\Games\foo.exe").
  // nullopt when it cannot be known (no window in front, no display, a process we cannot read),
  // never a guess. Any thread.
  [[nodiscard]] virtual std::optional<std::string> Current() = 0;

  // True when every change of the foreground program is followed by NotifyChanged; false when
  // the watchers must ask Current again from time to time.
  [[nodiscard]] virtual bool ReportsChanges() const = 0;

  // `event` is set each time the foreground program may have changed, until it is removed.
  // RemoveChangeEvent returns only once no Set on the event is under way, so the event may be
  // destroyed right after it. Any thread.
  void AddChangeEvent(Event& event);
  void RemoveChangeEvent(Event& event);

 protected:
  // Sets every change event; implementations call it whenever the foreground may have changed
  // (a spurious call only costs the watchers one look). Any thread, never with a lock that
  // AddChangeEvent's caller might hold.
  void NotifyChanged();

 private:
  std::mutex mutex_;  // guards change_events_
  std::vector<Event*> change_events_;
};

// ForegroundWake: what a watcher sleeps on. While it lives, a change of the foreground program
// and the watcher's stop event both wake Wait, so the stop is obeyed at once even during a long
// wait. Changes that came while the watcher was busy are kept and end the next Wait at once.
class ForegroundWake final : private Event::Listener {
 public:
  ForegroundWake(ForegroundProgram& source, Event& stop);
  ~ForegroundWake();
  ForegroundWake(const ForegroundWake&) = delete;
  ForegroundWake& operator=(const ForegroundWake&) = delete;

  // Waits (through `clock`) until the foreground may have changed, the stop event is set, or
  // `timeout` has passed. True when woken by a change or the stop; the caller checks the stop
  // event itself.
  [[nodiscard]] bool Wait(Clock& clock, Clock::Duration timeout);
  // Ends the current or the next Wait at once, as a change would. Any thread.
  void Poke();

 private:
  void OnEventSet() override;

  ForegroundProgram& source_;
  Event& stop_;
  Event wake_{EventReset::kAuto};
};

}  // namespace vandrel
