#include "platform/foreground_program.h"

#include <algorithm>

namespace vandrel {

void ForegroundProgram::AddChangeEvent(Event& event) {
  std::lock_guard lock(mutex_);
  change_events_.push_back(&event);
}

void ForegroundProgram::RemoveChangeEvent(Event& event) {
  std::lock_guard lock(mutex_);
  std::erase(change_events_, &event);
}

void ForegroundProgram::NotifyChanged() {
  // Set under the lock, so that RemoveChangeEvent cannot return while an event is being set.
  std::lock_guard lock(mutex_);
  for (Event* event : change_events_) event->Set();
}

ForegroundWake::ForegroundWake(ForegroundProgram& source, Event& stop)
    : source_(source), stop_(stop) {
  source_.AddChangeEvent(wake_);
  stop_.AddListener(this);
}

ForegroundWake::~ForegroundWake() {
  stop_.RemoveListener(this);
  source_.RemoveChangeEvent(wake_);
}

bool ForegroundWake::Wait(Clock& clock, Clock::Duration timeout) {
  if (stop_.IsSet()) return true;
  return clock.WaitFor(wake_, timeout);
}

void ForegroundWake::Poke() { wake_.Set(); }

// Runs with the stop event's lock held; setting another event does not call back into it.
void ForegroundWake::OnEventSet() { wake_.Set(); }

}  // namespace vandrel
