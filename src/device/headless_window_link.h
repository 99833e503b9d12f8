// HeadlessWindowLink: the device link's view of a main window that does not exist, for programs
// without a window (vandrelctl, benchmarks). It shows nothing and keeps only the keyboard model
// the keyboard monitor chose. Meant for one thread.
#pragma once

#include <optional>

#include "device/main_window_link.h"

namespace vandrel {

class HeadlessWindowLink final : public MainWindowLink {
 public:
  void SetTimer(int, Clock::Duration) override {}
  void PostMessage(int) override {}
  void SendMessage(int) override {}
  void PostActivation() override {}
  [[nodiscard]] bool IsVisible(std::string_view) override { return false; }
  void SetVisible(std::string_view, bool) override {}
  void SelectTab(std::string_view) override {}
  void SetFocus(std::string_view) override {}
  void AbandonMacroEdit(DeviceKind) override {}
  void SetKeyboardModel(int model) override { keyboard_model_ = model; }
  void SetMousePageReady(bool) override {}
  void RequestPadFlash() override {}

  // The model of the keyboard found; nullopt when none was.
  [[nodiscard]] std::optional<int> keyboard_model() const { return keyboard_model_; }

 private:
  std::optional<int> keyboard_model_;
};

}  // namespace vandrel
