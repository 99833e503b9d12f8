#include "app/hub_link.h"

#include "app/window_messages.h"

namespace vandrel {

void CMainWnd::Link::SetTimer(int timer_id, Clock::Duration delay) {
  window_.ui_.SetTimer(timer_id, delay);
}

void CMainWnd::Link::PostMessage(int message) { window_.ui_.Post(message); }

void CMainWnd::Link::SendMessage(int message) { (void)window_.ui_.Send(message); }

void CMainWnd::Link::PostActivation() { window_.ui_.Post(kMessageActivate); }

bool CMainWnd::Link::IsVisible(std::string_view control) {
  const Control* found = window_.window_.Find(control);
  return found != nullptr && found->IsVisible();
}

void CMainWnd::Link::SetVisible(std::string_view control, bool visible) {
  if (Control* found = window_.window_.Find(control)) found->SetVisible(visible);
}

void CMainWnd::Link::SelectTab(std::string_view control) {
  if (Control* found = window_.window_.Find(control)) (void)found->SetSelected(true, Notify::kYes);
}

void CMainWnd::Link::SetFocus(std::string_view control) {
  if (Control* found = window_.window_.Find(control)) found->SetFocus(Notify::kYes);
}

// The monitor holds its channel's lock: the edit is ended later, on the user-interface thread.
void CMainWnd::Link::AbandonMacroEdit(DeviceKind kind) {
  window_.ui_.Post(kMessageAbandonMacroEdit, static_cast<std::intptr_t>(kind));
}

void CMainWnd::Link::SetKeyboardModel(int model) { window_.keyboard_model_.store(model); }

void CMainWnd::Link::SetMousePageReady(bool ready) { window_.mouse_page_ready_.store(ready); }

void CMainWnd::Link::RequestPadFlash() {
  window_.pad_flash_requested_.store(true);
  window_.pad_flash_requests_.Notify();
}

}  // namespace vandrel
