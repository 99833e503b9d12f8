// WindowHost: what the main window asks of the desktop for its own frame, its tray icon, its
// pop-up menus and its key shortcuts. The Qt implementation is in ui/qt/; tests use a fake that
// records the calls. Every member is for the user-interface thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vandrel {

class WindowModel;

// The item picked in a pop-up menu: its control name, user data and text as shown.
struct MenuCommand {
  std::string name;
  std::string user_data;
  std::string text;
};

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // The main window's frame.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Visible and not minimised.
  [[nodiscard]] virtual bool IsShownNormally() const = 0;
  virtual void Minimise() = 0;
  virtual void Restore() = 0;
  // Shows the window restored and brings it in front of the other windows.
  virtual void BringToFront() = 0;
  // Brings what the window shows up to date with the control model (nothing while it is hidden).
  virtual void Repaint() = 0;
  // Ends the message loop once the current handler returns.
  virtual void Quit() = 0;

  // Shows the tray icon with its tip; false when the desktop has no notification area yet, in
  // which case the host keeps looking and shows the icon once one appears (a panel started after
  // the program). The icon reports the user's clicks to the main window as message 0x0401.
  [[nodiscard]] virtual bool CreateTrayIcon(std::string_view tip) = 0;
  // Whether the tray icon is shown now, i.e. whether a hidden window can be brought back.
  [[nodiscard]] virtual bool HasTrayIcon() const = 0;
  // Takes the icon away and stops looking for a notification area.
  virtual void RemoveTrayIcon() = 0;

  // Runs `action` whenever `keys` (a portable key name such as "Ctrl+Q") are pressed while the
  // main window is active.
  virtual void AddShortcut(std::string_view keys, std::function<void()> action) = 0;

  // Pops up a menu whose items are the buttons of `menu` (a window built from a menu layout, in
  // document order, with their texts as shown and the keys of their "shortcut" attribute), with its
  // top-left corner `lift` pixels above the cursor. The menu closes when an item is picked or the
  // user clicks elsewhere; a pick calls `on_pick` later, on the user-interface thread. `menu` need
  // not outlive the call.
  virtual void PopupMenu(const WindowModel& menu, int lift,
                         std::function<void(MenuCommand)> on_pick) = 0;
};

}  // namespace vandrel
