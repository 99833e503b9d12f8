// FakeWindowHost: the desktop of a main-window test. It keeps the frame's state, says whether a
// tray exists, and records every call and every menu popped up, whose picks the test makes.
#pragma once

#include <string>
#include <vector>

#include "app/window_host.h"

namespace vandrel::testing {

class FakeWindowHost final : public WindowHost {
 public:
  struct Menu {
    std::vector<MenuCommand> items;  // the buttons, in order, with their texts as shown
    int lift;
    std::function<void(MenuCommand)> on_pick;
  };

  explicit FakeWindowHost(bool has_tray = true) : has_tray_(has_tray) {}

  void Show() override;
  void Hide() override;
  [[nodiscard]] bool IsShownNormally() const override { return shown_ && !minimised_; }
  void Minimise() override;
  void Maximise() override;
  void Restore() override;
  void BringToFront() override;
  void Repaint() override;
  void Quit() override;
  [[nodiscard]] bool CreateTrayIcon(std::string_view tip) override;
  void RemoveTrayIcon() override;
  void PopupMenu(const WindowModel& menu, int lift,
                 std::function<void(MenuCommand)> on_pick) override;

  // Picks item `name` of the last menu; false when it has none of that name.
  bool Pick(std::string_view name);

  [[nodiscard]] bool shown() const { return shown_; }
  [[nodiscard]] bool tray_shown() const { return tray_shown_; }
  [[nodiscard]] const std::string& tray_tip() const { return tray_tip_; }
  [[nodiscard]] bool quit() const { return quit_; }
  [[nodiscard]] int repaints() const { return repaints_; }
  [[nodiscard]] const std::vector<std::string>& calls() const { return calls_; }
  [[nodiscard]] const std::vector<Menu>& menus() const { return menus_; }

 private:
  const bool has_tray_;
  bool shown_ = true;
  bool minimised_ = false;
  bool tray_shown_ = false;
  bool quit_ = false;
  int repaints_ = 0;
  std::string tray_tip_;
  std::vector<std::string> calls_;
  std::vector<Menu> menus_;
};

}  // namespace vandrel::testing
