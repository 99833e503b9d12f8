// Internal to the main window: the worker threads' way to it. Every member may run on a worker
// thread and never waits for the user-interface thread (SendMessage gives up once the threads are
// being stopped); control changes go straight to the control model, which is safe from any
// thread and hands their notifications to the user-interface thread.
#pragma once

#include "app/main_window.h"

namespace vandrel {

class CMainWnd::Link final : public MainWindowLink {
 public:
  explicit Link(CMainWnd& window) : window_(window) {}

  void SetTimer(int timer_id, Clock::Duration delay) override;
  void PostMessage(int message) override;
  void SendMessage(int message) override;
  void PostActivation() override;
  [[nodiscard]] bool IsVisible(std::string_view control) override;
  void SetVisible(std::string_view control, bool visible) override;
  void SelectTab(std::string_view control) override;
  void SetFocus(std::string_view control) override;
  void AbandonMacroEdit(DeviceKind kind) override;
  void SetKeyboardModel(int model) override;
  void SetMousePageReady(bool ready) override;
  void RequestPadFlash() override;

 private:
  CMainWnd& window_;
};

}  // namespace vandrel
