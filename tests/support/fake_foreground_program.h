// FakeForegroundProgram: a foreground-program source that tests move by hand. Bring (and Leave)
// change the answer and tell the waiters, as a platform source does on a window-manager event;
// with reports_changes false it changes the answer silently, as a source that must be polled.
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "platform/foreground_program.h"

namespace vandrel::testing {

class FakeForegroundProgram final : public ForegroundProgram {
 public:
  explicit FakeForegroundProgram(bool reports_changes = true) : reports_changes_(reports_changes) {}

  std::optional<std::string> Current() override {
    std::lock_guard lock(mutex_);
    ++asked_;
    return current_;
  }
  bool ReportsChanges() const override { return reports_changes_; }

  // Puts `path` in the foreground (nullopt: unknown).
  void Bring(std::optional<std::string> path) {
    {
      std::lock_guard lock(mutex_);
      current_ = std::move(path);
    }
    if (reports_changes_) NotifyChanged();
  }
  void Leave() { Bring(std::nullopt); }

  // How many times Current was asked.
  int Asked() const {
    std::lock_guard lock(mutex_);
    return asked_;
  }

 private:
  const bool reports_changes_;
  mutable std::mutex mutex_;  // guards current_ and asked_
  std::optional<std::string> current_;
  int asked_ = 0;
};

}  // namespace vandrel::testing
