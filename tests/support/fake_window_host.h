// FakeWindowHost: the desktop of a main-window test. It keeps the frame's state, says whether a
// tray exists (one can appear later, as a panel started after the program), and records every
// call, every menu popped up and every shortcut, whose picks and key presses the test makes.
#pragma once

#include <map>
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
  void Restore() override;
  void BringToFront() override;
  void Repaint() override;
  void Quit() override;
  [[nodiscard]] bool CreateTrayIcon(std::string_view tip) override;
  [[nodiscard]] bool HasTrayIcon() const override { return tray_shown_; }
  void RemoveTrayIcon() override;
  void AddShortcut(std::string_view keys, std::function<void()> action) override;
  void PopupMenu(const WindowModel& menu, int lift,
                 std::function<void(MenuCommand)> on_pick) override;

  // Picks item `name` of the last menu; false when it has none of that name.
  bool Pick(std::string_view name);
  // Presses `keys`; false when no shortcut has them.
  bool Press(std::string_view keys);
  // A notification area appears: an icon asked for before is shown now.
  void TrayAppears();

  [[nodiscard]] bool shown() const { return shown_; }
  [[nodiscard]] bool tray_shown() const { return tray_shown_; }
  [[nodiscard]] const std::string& tray_tip() const { return tray_tip_; }
  [[nodiscard]] bool quit() const { return quit_; }
  [[nodiscard]] int repaints() const { return repaints_; }
  [[nodiscard]] const std::vector<std::string>& calls() const { return calls_; }
  [[nodiscard]] const std::vector<Menu>& menus() const { return menus_; }

 private:
  bool has_tray_;
  bool tray_wanted_ = false;
  bool shown_ = true;
  bool minimised_ = false;
  bool tray_shown_ = false;
  bool quit_ = false;
  int repaints_ = 0;
  std::string tray_tip_;
  std::vector<std::string> calls_;
  std::vector<Menu> menus_;
  std::map<std::string, std::function<void()>, std::less<>> shortcuts_;
};

}  // namespace vandrel::testing
