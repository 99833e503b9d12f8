#include "support/fake_window_host.h"

#include "ui/toolkit.h"

namespace vandrel::testing {

void FakeWindowHost::Show() {
  calls_.emplace_back("show");
  shown_ = true;
}

void FakeWindowHost::Hide() {
  calls_.emplace_back("hide");
  shown_ = false;
}

void FakeWindowHost::Minimise() {
  calls_.emplace_back("minimise");
  minimised_ = true;
}

void FakeWindowHost::Restore() {
  calls_.emplace_back("restore");
  minimised_ = false;
}

void FakeWindowHost::BringToFront() {
  calls_.emplace_back("front");
  shown_ = true;
  minimised_ = false;
}

void FakeWindowHost::Repaint() { ++repaints_; }

void FakeWindowHost::Quit() {
  calls_.emplace_back("quit");
  quit_ = true;
}

bool FakeWindowHost::CreateTrayIcon(std::string_view tip) {
  tray_tip_ = tip;
  tray_wanted_ = true;
  tray_shown_ = has_tray_;
  return has_tray_;
}

void FakeWindowHost::RemoveTrayIcon() {
  calls_.emplace_back("remove tray");
  tray_wanted_ = false;
  tray_shown_ = false;
}

void FakeWindowHost::TrayAppears() {
  has_tray_ = true;
  tray_shown_ = tray_wanted_;
}

void FakeWindowHost::AddShortcut(std::string_view keys, std::function<void()> action) {
  shortcuts_[std::string(keys)] = std::move(action);
}

bool FakeWindowHost::Press(std::string_view keys) {
  const auto found = shortcuts_.find(keys);
  if (found == shortcuts_.end()) return false;
  found->second();
  return true;
}

void FakeWindowHost::PopupMenu(const WindowModel& menu, int lift,
                               std::function<void(MenuCommand)> on_pick) {
  Menu popped{{}, lift, std::move(on_pick)};
  for (const Control* control : menu.AllControls()) {
    if (control->Kind() != ControlKind::kButton) continue;
    popped.items.push_back({control->Name(), control->UserData(), control->Text()});
  }
  menus_.push_back(std::move(popped));
}

bool FakeWindowHost::Pick(std::string_view name) {
  if (menus_.empty()) return false;
  for (const MenuCommand& item : menus_.back().items) {
    if (item.name != name) continue;
    menus_.back().on_pick(item);
    return true;
  }
  return false;
}

}  // namespace vandrel::testing
