// Internal to the control model: one locked edit of a window. It holds the window's lock while
// it lives; when it ends it releases the lock, then wakes the view if change events were queued
// and hands the notifications it collected to the window's handler, in order. Notifications are
// never delivered with the lock held, so handlers may call back into the model.
#pragma once

#include <mutex>
#include <vector>

#include "ui/window_model.h"

namespace vandrel {

class WindowModel::Transaction {
 public:
  explicit Transaction(WindowModel& window) : window_(window), lock_(window.mutex_) {}
  ~Transaction() {
    lock_.unlock();
    if (wake_) window_.WakeListener();
    window_.Dispatch(std::move(notifications_));
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Changed(const Control& control, Property property) {
    if (window_.changes_.empty()) wake_ = true;
    window_.changes_.push_back({&control, property});
  }
  void Raise(Notification notification) { notifications_.push_back(notification); }

 private:
  WindowModel& window_;
  std::unique_lock<std::mutex> lock_;
  bool wake_ = false;
  std::vector<Notification> notifications_;
};

template <typename T>
T Control::Read(T ControlState::*field) const {
  std::lock_guard lock(window_.mutex_);
  return state_.*field;
}

template <typename T>
void Control::Write(T ControlState::*field, T value, Property property) {
  WindowModel::Transaction transaction(window_);
  if (state_.*field == value) return;
  state_.*field = std::move(value);
  transaction.Changed(*this, property);
}

}  // namespace vandrel
