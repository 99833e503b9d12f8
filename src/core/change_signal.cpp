#include "core/change_signal.h"

#include <algorithm>

namespace vandrel {

void ChangeSignal::Notify() {
  std::lock_guard lock(mutex_);
  for (Event* event : listeners_) event->Set();
}

void ChangeSignal::AddListener(Event& event) {
  std::lock_guard lock(mutex_);
  listeners_.push_back(&event);
}

void ChangeSignal::RemoveListener(Event& event) {
  std::lock_guard lock(mutex_);
  std::erase(listeners_, &event);
}

Wakeup::Wakeup(Event& stop) : stop_(stop) {
  stop_.AddListener(this);
  // A stop set before the listener was added would otherwise go unheard.
  if (stop_.IsSet()) event_.Set();
}

Wakeup::~Wakeup() {
  stop_.RemoveListener(this);
  for (ChangeSignal* signal : signals_) signal->RemoveListener(event_);
}

void Wakeup::Listen(ChangeSignal* signal) {
  if (signal == nullptr || std::find(signals_.begin(), signals_.end(), signal) != signals_.end())
    return;
  signal->AddListener(event_);
  signals_.push_back(signal);
}

}  // namespace vandrel
