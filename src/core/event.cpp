#include "core/event.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr std::chrono::microseconds kEndlessWait = std::chrono::hours(24 * 365 * 100);

}  // namespace

Event::Event(EventReset reset, bool initially_set) : reset_(reset), signalled_(initially_set) {}

void Event::Set() {
  std::lock_guard lock(mutex_);
  signalled_ = true;
  if (reset_ == EventReset::kManual) {
    set_.notify_all();
  } else {
    set_.notify_one();
  }
  for (Listener* listener : listeners_) listener->OnEventSet();
}

void Event::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool Event::IsSet() const {
  std::lock_guard lock(mutex_);
  return signalled_;
}

bool Event::TryWait() {
  std::lock_guard lock(mutex_);
  return ConsumeLocked();
}

bool Event::Wait(std::chrono::microseconds timeout) {
  // Beyond a century the wait has no end; the standard library's conversion to nanoseconds would
  // overflow on the longest time-outs.
  if (timeout > kEndlessWait) {
    Wait();
    return true;
  }
  std::unique_lock lock(mutex_);
  if (!set_.wait_for(lock, timeout, [this] { return signalled_; })) return false;
  return ConsumeLocked();
}

void Event::Wait() {
  std::unique_lock lock(mutex_);
  set_.wait(lock, [this] { return signalled_; });
  ConsumeLocked();
}

void Event::AddListener(Listener* listener) {
  std::lock_guard lock(mutex_);
  listeners_.push_back(listener);
}

void Event::RemoveListener(Listener* listener) {
  std::lock_guard lock(mutex_);
  std::erase(listeners_, listener);
}

bool Event::ConsumeLocked() {
  if (!signalled_) return false;
  if (reset_ == EventReset::kAuto) signalled_ = false;
  return true;
}

}  // namespace vandrel
