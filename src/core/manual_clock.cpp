#include "core/manual_clock.h"

#include <algorithm>

namespace vandrel {

// One blocked Sleep or WaitFor. It is poked when the clock advances or the awaited event is set,
// and then checks again; a poke that comes before the thread starts waiting is kept, not lost.
class ManualClock::Waiter final : public Event::Listener {
 public:
  void OnEventSet() override { Poke(); }

  void Poke() {
    std::lock_guard lock(mutex_);
    poked_ = true;
    poke_.notify_one();
  }

  void AwaitPoke() {
    std::unique_lock lock(mutex_);
    poke_.wait(lock, [this] { return poked_; });
    poked_ = false;
  }

 private:
  std::mutex mutex_;  // guards poked_
  std::condition_variable poke_;
  bool poked_ = false;
};

ManualClock::ManualClock(Mode mode) : mode_(mode) {}

Clock::Duration ManualClock::Now() const {
  std::lock_guard lock(mutex_);
  return now_;
}

void ManualClock::Sleep(Duration duration) {
  Waiter waiter;
  Duration deadline;
  {
    // Recording, reading the time and registering as blocked happen at once, so a test that
    // advances the clock as soon as it sees the request always releases this sleep.
    std::lock_guard lock(mutex_);
    RecordLocked(Request::Kind::kSleep, duration);
    if (mode_ == Mode::kAutoAdvance) {
      now_ = SaturatingAdd(now_, duration);
      return;
    }
    deadline = SaturatingAdd(now_, duration);
    blocked_.push_back(&waiter);
  }
  BlockUntil(deadline, nullptr, waiter);
}

bool ManualClock::WaitFor(Event& event, Duration timeout) {
  Waiter waiter;
  Duration deadline;
  {
    std::lock_guard lock(mutex_);
    RecordLocked(Request::Kind::kWait, timeout);
    if (mode_ == Mode::kAutoAdvance) {
      if (event.TryWait()) return true;
      now_ = SaturatingAdd(now_, timeout);
      return false;
    }
    deadline = SaturatingAdd(now_, timeout);
    blocked_.push_back(&waiter);
  }
  event.AddListener(&waiter);
  const bool set = BlockUntil(deadline, &event, waiter);
  event.RemoveListener(&waiter);
  return set;
}

void ManualClock::Advance(Duration duration) {
  std::lock_guard lock(mutex_);
  now_ = SaturatingAdd(now_, duration);
  for (Waiter* waiter : blocked_) waiter->Poke();
}

std::vector<ManualClock::Request> ManualClock::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::size_t ManualClock::BlockedCount() const {
  std::lock_guard lock(mutex_);
  return blocked_.size();
}

bool ManualClock::AwaitRequests(std::size_t count, std::chrono::milliseconds real_timeout) {
  std::unique_lock lock(mutex_);
  return requests_changed_.wait_for(lock, real_timeout, [&] { return requests_.size() >= count; });
}

bool ManualClock::BlockUntil(Duration deadline, Event* event, Waiter& waiter) {
  bool set = false;
  for (;;) {
    if (event != nullptr && event->TryWait()) {
      set = true;
      break;
    }
    {
      std::lock_guard lock(mutex_);
      if (now_ >= deadline) break;
    }
    waiter.AwaitPoke();
  }
  std::lock_guard lock(mutex_);
  std::erase(blocked_, &waiter);
  return set;
}

void ManualClock::RecordLocked(Request::Kind kind, Duration duration) {
  requests_.push_back({kind, duration});
  requests_changed_.notify_all();
}

}  // namespace vandrel
