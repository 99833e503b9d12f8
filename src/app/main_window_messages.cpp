// The main window's custom messages: one table from message numbers to handlers, and the handlers
// of the window itself (activation, tray icon, menus, the no-device message, the stop).
#include <algorithm>
#include <cctype>

#include "app/main_window.h"
#include "app/window_messages.h"
#include "core/trace.h"

namespace vandrel {
namespace {

constexpr std::string_view kNoDeviceConnected = "message_text_1";
constexpr int kTrayMenuLift = 25;
constexpr Clock::Duration kRepaintAfterRestore = std::chrono::milliseconds(10);

bool EqualFolded(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The exit item's text in the tray menu, by main.ini's language: none for other languages.
std::string_view ExitText(int language) {
  if (language == 0) return "Close";
  return language == 1 ? "关闭" : "";
}

}  // namespace

struct CMainWnd::MessageEntry {
  int first;
  int last;
  void (*handle)(CMainWnd& window, int message, std::intptr_t wparam, std::intptr_t lparam);
};

void CMainWnd::HandleMessage(int message, std::intptr_t wparam, std::intptr_t lparam) {
  static constexpr MessageEntry kMessages[] = {
      {kMessageActivateChanged, kMessageActivateChanged,
       [](CMainWnd& w, int, std::intptr_t active, std::intptr_t) {
         if (active == 0) w.Macros().StopRecording();
       }},
      {kMessageCloseRequest, kMessageCloseRequest,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.CloseWindow(); }},
      {kMessageActivate, kMessageActivate,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.Activate(); }},
      {kMessageDestroy, kMessageDestroy,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.OnDestroy(); }},
      {kMessageTrayIcon, kMessageTrayIcon,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t mouse) { w.OnTrayIcon(mouse); }},
      {kMessageMenuCommand, kMessageMenuCommand,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.TakeMenuCommand(); }},
      {0x0801, 0x0804,
       [](CMainWnd& w, int m, std::intptr_t wp, std::intptr_t lp) {
         w.Macros().HandleHookMessage(m, wp, lp);
       }},
      {0x0810, 0x0813,
       [](CMainWnd& w, int m, std::intptr_t wp, std::intptr_t lp) {
         w.Macros().HandleHookMessage(m, wp, lp);
       }},
      {kMessageAbandonMacroEdit, kMessageAbandonMacroEdit,
       [](CMainWnd& w, int, std::intptr_t kind, std::intptr_t) {
         w.Macros().AbandonEdit(static_cast<DeviceKind>(kind));
       }},
      {kMessageLinkedProfile, kMessageLinkedProfile,
       [](CMainWnd& w, int, std::intptr_t row, std::intptr_t number) {
         if (w.linked_profile_handler_) w.linked_profile_handler_(row, number);
       }},
      {kMessageMouseFullChange, kMessageMouseFullChange,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) {
         w.PartOf(DeviceKind::kMouse).ReadAndRefresh();
       }},
      {kMessagePadReset, kMessagePadReset,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) {
         w.PartOf(DeviceKind::kPad).ReadAndRefresh();
       }},
      {kMessageKeyboardFullChange, kMessageKeyboardFullChange,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) {
         w.PartOf(DeviceKind::kKeyboard).ReadAndRefresh();
       }},
      {kMessageKeyboardLightingChanged, kMessageKeyboardLightingChanged,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) {
         w.PartOf(DeviceKind::kKeyboard).RereadLighting();
       }},
      {kMessageShowProgress, kMessageShowProgress,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.ShowProgress(); }},
      {kMessageHideProgressLater, kMessageHideProgressLater,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.HideProgressLater(); }},
      {kMessageNoDeviceLeft, kMessageNoDeviceLeft,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.OnNoDeviceLeft(); }},
      {kMessageDeviceJobDone, kMessageDeviceJobDone,
       [](CMainWnd& w, int, std::intptr_t, std::intptr_t) { w.jobs_.Finish(); }},
  };
  for (const MessageEntry& entry : kMessages) {
    if (message < entry.first || message > entry.last) continue;
    entry.handle(*this, message, wparam, lparam);
    return;
  }
}

void CMainWnd::Activate() {
  if (AnyDeviceConnected()) {
    host_.BringToFront();
    WakeFrameTimers();
    ResumeShownPace();
    return;
  }
  host_.Hide();
  ShowNoDeviceBox();
}

// The box is modal: an activation or a tray click while it is open must not open a second one.
void CMainWnd::ShowNoDeviceBox() {
  if (no_device_box_open_) return;
  no_device_box_open_ = true;
  (void)dialogs_.ShowMessage(&window_, kNoDeviceConnected, true);
  no_device_box_open_ = false;
}

void CMainWnd::OnTrayIcon(std::intptr_t mouse_message) {
  if (mouse_message == kTrayRightButtonUp) {
    OpenTrayMenu();
    return;
  }
  if (mouse_message != kTrayLeftButtonUp) return;
  if (AnyDeviceConnected()) {
    ToggleWindow();
    return;
  }
  host_.Hide();
  ShowNoDeviceBox();
}

void CMainWnd::ToggleWindow() {
  if (host_.IsShownNormally()) {
    host_.Hide();
    return;
  }
  host_.Show();
  host_.Restore();
  host_.BringToFront();
  host_.Repaint();
  ui_.SetTimer(kTimerRepaintOnce, kRepaintAfterRestore);
  WakeFrameTimers();
  ResumeShownPace();
}

void CMainWnd::OpenTrayMenu() {
  const std::unique_ptr<WindowModel> menu = BuildWindow(skin_, "menu1.xml", window_.SharedTexts());
  if (!menu) return;
  Control& exit = menu->AddControl(menu->Root(), ControlKind::kButton, "exit");
  exit.SetText(ExitText(main_ini_.ReadLanguage()));
  host_.PopupMenu(*menu, kTrayMenuLift,
                  [this](MenuCommand command) { QueueMenuCommand(std::move(command)); });
}

void CMainWnd::TakeMenuCommand() {
  MenuCommand command;
  {
    std::lock_guard lock(menu_mutex_);
    if (menu_commands_.empty()) return;
    command = std::move(menu_commands_.front());
    menu_commands_.pop_front();
  }
  RunMenuCommand(command);
}

void CMainWnd::RunMenuCommand(const MenuCommand& command) {
  const std::string& name = command.name;
  if (EqualFolded(name, "lan_en")) {
    SetLanguage(0);
  } else if (EqualFolded(name, "lan_cn")) {
    SetLanguage(1);
  } else if (EqualFolded(name, "About_setting")) {
    dialogs_.OpenAbout(&window_);
  } else if (name == "exit") {
    ui_.Post(kMessageDestroy);
  } else if (name != "qianting" && name != "Menu_Import" && name != "Menu_Export") {
    (void)dialogs_.ShowMessage(&window_, command.text, true);
  }
}

void CMainWnd::OnNoDeviceLeft() {
  if (Control* tab = window_.Find("ms_deng_Op_tab")) tab->SetFocus(Notify::kYes);
  dialogs_.ShowNoDeviceMessage(&window_);
  host_.Hide();
}

}  // namespace vandrel
