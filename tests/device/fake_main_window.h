// A main window for the device link's tests: records, in order, what the threads asked of it.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/main_window_link.h"

namespace vandrel::testing {

class FakeMainWindow final : public MainWindowLink {
 public:
  void SetTimer(int timer_id, Clock::Duration delay) override {
    Record("timer " + std::to_string(timer_id) + " " +
           std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(delay).count()));
  }
  void PostMessage(int message) override { Record("post " + Hex(message)); }
  void SendMessage(int message) override { Record("send " + Hex(message)); }
  void PostActivation() override { Record("activate"); }
  bool IsVisible(std::string_view control) override {
    std::lock_guard lock(mutex_);
    return visible_[std::string(control)];
  }
  void SetVisible(std::string_view control, bool visible) override {
    {
      std::lock_guard lock(mutex_);
      visible_[std::string(control)] = visible;
    }
    Record((visible ? "show " : "hide ") + std::string(control));
  }
  void SelectTab(std::string_view control) override { Record("select " + std::string(control)); }
  void SetFocus(std::string_view control) override { Record("focus " + std::string(control)); }
  void AbandonMacroEdit(DeviceKind kind) override {
    Record(kind == DeviceKind::kKeyboard ? "abandon kb" : "abandon ms");
  }
  void SetKeyboardModel(int model) override { Record("model " + std::to_string(model)); }
  void SetMousePageReady(bool ready) override { Record(ready ? "mouse ready" : "mouse not ready"); }
  void RequestPadFlash() override { Record("pad flash"); }

  // Everything recorded so far, and forgets it.
  std::vector<std::string> Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
  }
  std::vector<std::string> Events() const {
    std::lock_guard lock(mutex_);
    return events_;
  }

 private:
  static std::string Hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
  }
  void Record(std::string event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }

  mutable std::mutex mutex_;  // guards events_ and visible_
  std::vector<std::string> events_;
  std::map<std::string, bool> visible_;
};

}  // namespace vandrel::testing
