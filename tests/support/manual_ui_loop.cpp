#include "support/manual_ui_loop.h"

#include <algorithm>

#include "support/deadline.h"

namespace vandrel::testing {

ManualUiLoop::ManualUiLoop(ManualClock& clock)
    : clock_(clock), ui_thread_(std::this_thread::get_id()) {}

void ManualUiLoop::SetTarget(MessageTarget* target) { target_ = target; }

void ManualUiLoop::Post(int message, std::intptr_t wparam, std::intptr_t lparam) {
  std::lock_guard lock(mutex_);
  queue_.push_back({message, wparam, lparam, nullptr});
  changed_.notify_all();
}

bool ManualUiLoop::Send(int message, std::intptr_t wparam, std::intptr_t lparam) {
  if (std::this_thread::get_id() == ui_thread_) {
    if (target_ != nullptr) target_->HandleMessage(message, wparam, lparam);
    return true;
  }
  std::unique_lock lock(mutex_);
  if (sending_stopped_) return false;
  auto handled = std::make_shared<bool>(false);
  queue_.push_back({message, wparam, lparam, handled});
  changed_.notify_all();
  // The test runs a send at once or stops sending; a send left waiting would hang it.
  const Watchdog watchdog("a send from another thread being run or given up");
  changed_.wait(lock, [&] { return *handled || sending_stopped_; });
  if (!*handled) {
    std::erase_if(queue_, [&](const Queued& queued) { return queued.handled == handled; });
  }
  return *handled;
}

void ManualUiLoop::StopSending() {
  std::lock_guard lock(mutex_);
  sending_stopped_ = true;
  changed_.notify_all();
}

void ManualUiLoop::SetTimer(int timer_id, Clock::Duration period) {
  std::lock_guard lock(mutex_);
  timers_[timer_id] = {period, clock_.Now() + period};
}

void ManualUiLoop::KillTimer(int timer_id) {
  std::lock_guard lock(mutex_);
  timers_.erase(timer_id);
}

std::optional<ManualUiLoop::Queued> ManualUiLoop::PopMessage() {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return std::nullopt;
  Queued queued = queue_.front();
  queue_.pop_front();
  return queued;
}

void ManualUiLoop::RunPending() {
  while (std::optional<Queued> queued = PopMessage()) {
    if (target_ != nullptr) target_->HandleMessage(queued->message, queued->wparam, queued->lparam);
    if (queued->handled == nullptr) continue;
    std::lock_guard lock(mutex_);
    *queued->handled = true;
    changed_.notify_all();
  }
}

void ManualUiLoop::RunFor(Clock::Duration duration) {
  const Clock::Duration end = clock_.Now() + duration;
  RunPending();
  while (true) {
    const Clock::Duration now = clock_.Now();
    std::optional<int> timer;
    Clock::Duration due{};
    {
      std::lock_guard lock(mutex_);
      for (const auto& [id, entry] : timers_) {
        if (entry.due <= end && (!timer || entry.due < due)) {
          timer = id;
          due = entry.due;
        }
      }
      if (timer) timers_[*timer].due = std::max(due, now) + timers_[*timer].period;
    }
    if (!timer) break;
    if (due > now) clock_.Advance(due - now);
    if (target_ != nullptr) target_->HandleTimer(*timer);
    RunPending();
  }
  if (clock_.Now() < end) clock_.Advance(end - clock_.Now());
}

bool ManualUiLoop::AwaitMessage(std::chrono::milliseconds real_timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, real_timeout, [this] { return !queue_.empty(); });
}

std::optional<Clock::Duration> ManualUiLoop::TimerPeriod(int timer_id) const {
  std::lock_guard lock(mutex_);
  const auto found = timers_.find(timer_id);
  if (found == timers_.end()) return std::nullopt;
  return found->second.period;
}

}  // namespace vandrel::testing
