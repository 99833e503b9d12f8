// The main window's notifications: window buttons first, tab switching on a selection, then the
// routing table hands the notification to its page.
#include <string>

#include "app/main_window.h"
#include "app/window_messages.h"
#include "core/trace.h"

namespace vandrel {
namespace {

constexpr int kMenuAtCursor = 0;
constexpr std::string_view kMainMenu = "menu.xml";

}  // namespace

void CMainWnd::Notify(const Notification& notification) {
  if (notification.type == notify::kWindowInit) {
    OnWindowInit();
    return;
  }
  Control& sender = *notification.sender;
  if (notification.type == notify::kClick && HandleWindowButton(sender)) return;
  if (notification.type == notify::kSelectChanged) {
    if (GuardMacroEdit(sender)) return;
    // Whatever the user selects, the keys and clicks that follow are meant for the window, not
    // for a recording left running on a macro page.
    Macros().StopRecording();
    SwitchTabs(sender);
  }
  RouteNotification(notification);
}

// True when the click was a window button's and nothing else is to happen.
bool CMainWnd::HandleWindowButton(Control& sender) {
  if (&sender == close_button_) {
    CloseWindow();
    return true;
  }
  if (&sender == min_button_) {
    host_.Minimise();
    return true;
  }
  if (&sender == skin_button_) dialogs_.OpenSkinWindow(window_, sender);
  return false;
}

// With a tray icon the window only hides, to come back from the tray; without one nothing could
// bring it back, so closing it ends the program.
void CMainWnd::CloseWindow() {
  if (host_.HasTrayIcon()) {
    host_.Hide();
    return;
  }
  Trace("no notification area: closing the window ends the program");
  ui_.Post(kMessageDestroy);
}

void CMainWnd::RouteNotification(const Notification& notification) {
  const std::optional<Page> page = RouteOf(notification.sender->Name(), notification.type);
  if (!page) return;
  switch (*page) {
    case Page::kTabs:
      if (notification.type == notify::kSetFocus) OnTabFocus(*notification.sender);
      return;
    case Page::kMainMenu:
      OpenMainMenu();
      return;
    case Page::kWindowButtons:
    case Page::kSkinWindow:
      return;
    case Page::kDisplayDpi:
      // The toolkit follows the screen's scale on its own; the button only leaves a trace.
    case Page::kTraceOnly:
      Trace("clicked " + notification.sender->Name());
      return;
    default:
      break;
  }
  const PageHandler& handler = page_handlers_[static_cast<std::size_t>(*page)];
  if (handler) handler(notification);
}

void CMainWnd::OpenMainMenu() {
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, kMainMenu, window_.SharedTexts());
  if (!menu) return;
  host_.PopupMenu(*menu, kMenuAtCursor, [this](MenuCommand command) { QueueMenuCommand(command); });
}

// The main menu's items that name keys in their "shortcut" attribute answer those keys while the
// menu is closed too.
void CMainWnd::AddMenuShortcuts() {
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, kMainMenu, window_.SharedTexts());
  if (!menu) return;
  for (const Control* item : menu->AllControls()) {
    const std::string keys = item->Attribute("shortcut");
    if (item->Kind() != ControlKind::kButton || keys.empty()) continue;
    host_.AddShortcut(keys,
                      [this, command = MenuCommand{item->Name(), item->UserData(), item->Text()}] {
                        QueueMenuCommand(command);
                      });
  }
}

void CMainWnd::QueueMenuCommand(MenuCommand command) {
  {
    std::lock_guard lock(menu_mutex_);
    menu_commands_.push_back(std::move(command));
  }
  ui_.Post(kMessageMenuCommand);
}

}  // namespace vandrel
