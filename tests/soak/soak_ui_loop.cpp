#include "soak/soak_ui_loop.h"

#include <algorithm>

namespace vandrel::soak {

SoakUiLoop::SoakUiLoop(Clock& clock, WindowModel& window)
    : clock_(clock), window_(window), ui_thread_(std::this_thread::get_id()) {
  window_.SetChangeListener([this] { Wake(); });
}

SoakUiLoop::~SoakUiLoop() {
  window_.SetChangeListener({});
  StopSending();
}

void SoakUiLoop::SetTarget(MessageTarget* target) { target_ = target; }

void SoakUiLoop::Wake() {
  std::lock_guard lock(mutex_);
  woken_ = true;
  changed_.notify_all();
}

void SoakUiLoop::Post(int message, std::intptr_t wparam, std::intptr_t lparam) {
  std::lock_guard lock(mutex_);
  queue_.push_back({message, wparam, lparam, nullptr});
  changed_.notify_all();
}

bool SoakUiLoop::Send(int message, std::intptr_t wparam, std::intptr_t lparam) {
  if (std::this_thread::get_id() == ui_thread_) {
    if (target_ != nullptr) target_->HandleMessage(message, wparam, lparam);
    return true;
  }
  std::unique_lock lock(mutex_);
  if (sending_stopped_) return false;
  auto handled = std::make_shared<bool>(false);
  queue_.push_back({message, wparam, lparam, handled});
  changed_.notify_all();
  changed_.wait(lock, [&] { return *handled || sending_stopped_; });
  if (!*handled) {
    std::erase_if(queue_, [&](const Queued& queued) { return queued.handled == handled; });
  }
  return *handled;
}

void SoakUiLoop::StopSending() {
  std::lock_guard lock(mutex_);
  sending_stopped_ = true;
  changed_.notify_all();
}

void SoakUiLoop::SetTimer(int timer_id, Clock::Duration period) {
  std::lock_guard lock(mutex_);
  timers_[timer_id] = {period, SaturatingAdd(clock_.Now(), period)};
  // The loop may be asleep until a later time than this timer's.
  woken_ = true;
  changed_.notify_all();
}

void SoakUiLoop::KillTimer(int timer_id) {
  std::lock_guard lock(mutex_);
  timers_.erase(timer_id);
}

std::optional<SoakUiLoop::Queued> SoakUiLoop::PopMessage() {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return std::nullopt;
  Queued queued = queue_.front();
  queue_.pop_front();
  return queued;
}

void SoakUiLoop::MarkHandled(const Queued& queued) {
  if (queued.handled == nullptr) return;
  std::lock_guard lock(mutex_);
  *queued.handled = true;
  changed_.notify_all();
}

std::optional<int> SoakUiLoop::TakeDueTimer(Clock::Duration now) {
  std::lock_guard lock(mutex_);
  const auto first = std::min_element(timers_.begin(), timers_.end(),
                                      [](auto& a, auto& b) { return a.second.due < b.second.due; });
  if (first == timers_.end() || first->second.due > now) return std::nullopt;
  first->second.due = SaturatingAdd(now, first->second.period);
  return first->first;
}

void SoakUiLoop::WaitForWork(Clock::Duration until) {
  std::unique_lock lock(mutex_);
  Clock::Duration next = until;
  for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
  const Clock::Duration wait = next - clock_.Now();
  if (wait > Clock::Duration::zero()) {
    changed_.wait_for(lock, wait, [this] { return woken_ || !queue_.empty(); });
  }
  woken_ = false;
}

void SoakUiLoop::RunUntil(Clock::Duration end) {
  for (;;) {
    Clock::Duration start = clock_.Now();
    window_.DeliverPendingNotifications();
    (void)window_.TakeChanges();
    longest_busy_.Note(clock_.Now() - start, [] { return std::string("notifications"); });
    start = clock_.Now();
    if (std::optional<Queued> queued = PopMessage()) {
      if (target_ != nullptr)
        target_->HandleMessage(queued->message, queued->wparam, queued->lparam);
      MarkHandled(*queued);
      longest_busy_.Note(clock_.Now() - start,
                         [&] { return "message " + std::to_string(queued->message); });
      continue;
    }
    if (std::optional<int> timer = TakeDueTimer(start)) {
      if (target_ != nullptr) target_->HandleTimer(*timer);
      longest_busy_.Note(clock_.Now() - start, [&] { return "timer " + std::to_string(*timer); });
      continue;
    }
    if (start >= end) return;
    WaitForWork(end);
  }
}

}  // namespace vandrel::soak
