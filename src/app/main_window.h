// CMainWnd: the one main window and the hub of the program. It owns the three device channels,
// the presence monitors and notification listeners, the worker threads and their stop events; it
// receives every notification of the main window's controls and hands it to the page that
// handles that control (routing.h), handles the custom messages that threads, the tray icon and
// the menus post or send (window_messages.h), and runs the timers through which threads hand
// work to the user-interface thread.
//
// It is Qt-free: the window is a control model (ui/toolkit.h), the desktop is a WindowHost, the
// user-interface thread a UiThread, time a Clock. Pages, device parts and thread bodies of later
// subsystems plug in through SetPageHandler, SetDevicePart, SetMacroPart, SetProfileSaver,
// SetLinkedProfileHandler, AddStartupStep and threads().SetBody, all before InitWindow.
//
// Life: construct; InitWindow; the window model raises "windowinit" (which starts the threads and
// timers); messages and timers until message kMessageDestroy, which stops the threads and ends
// the loop; destroy. User-interface thread, except link(), which the worker threads use.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "app/data_folders.h"
#include "app/device_jobs.h"
#include "app/device_part.h"
#include "app/main_ini.h"
#include "app/routing.h"
#include "app/settings_store.h"
#include "app/ui_thread.h"
#include "app/window_host.h"
#include "app/worker_threads.h"
#include "core/change_signal.h"
#include "core/clock.h"
#include "device/device_channel.h"
#include "device/hid_backend.h"
#include "device/main_window_link.h"
#include "device/notification_listener.h"
#include "device/presence_monitor.h"
#include "profile/profile_saver.h"
#include "ui/skin_observer.h"
#include "ui/toolkit.h"

namespace vandrel {

struct MainWindowServices {
  WindowModel& window;  // built from "XML_MAIN"
  const Skin& skin;
  UiThread& ui;
  WindowHost& host;
  Dialogs& dialogs;
  Clock& clock;
  HidBackend& backend;
  const DataFolders& folders;
  SettingsStore& settings;
  SkinObserver& skin_observer;
};

class CMainWnd final : public MessageTarget, private SkinReceiver {
 public:
  using PageHandler = std::function<void(const Notification&)>;

  // Everything in `services` must outlive the window.
  explicit CMainWnd(const MainWindowServices& services);
  // The threads must have been stopped (kMessageDestroy) or never started; abandoned threads
  // still use the window, so a program that abandoned some must end without destroying it.
  ~CMainWnd();
  CMainWnd(const CMainWnd&) = delete;
  CMainWnd& operator=(const CMainWnd&) = delete;

  // Plug-ins of later subsystems; set before InitWindow. The parts must outlive the window.
  void SetDevicePart(DeviceKind kind, DevicePart& part);
  void SetMacroPart(MacroPart& part);
  // Whose rewrites of the selected profiles timer 2 carries out, and which are written when a
  // device goes away and when the window is destroyed.
  void SetProfileSaver(ProfileSaver& profiles);
  void SetPageHandler(Page page, PageHandler handler);
  // Carries out a profile watcher's request (kMessageLinkedProfile's wparam and lparam).
  void SetLinkedProfileHandler(
      std::function<void(std::intptr_t row, std::intptr_t number)> handler);
  // Start-up content of the pages ("windowinit" step 2), run in the order added.
  void AddStartupStep(std::function<void()> step);
  [[nodiscard]] WorkerThreads& threads() { return threads_; }
  // The device jobs of the pages (downloads); their works use only the channels, which outlive
  // them.
  [[nodiscard]] DeviceJobs& jobs() { return jobs_; }

  // Window created: language, skin receiver, controls, palettes, tray icon; installs the
  // window's notification handler and makes this the UiThread's target.
  void InitWindow();
  void Notify(const Notification& notification);
  void HandleMessage(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  void HandleTimer(int timer_id) override;

  // The worker threads' way to the window. Any thread.
  [[nodiscard]] MainWindowLink& link();
  [[nodiscard]] DeviceChannels channels() { return channels_; }
  [[nodiscard]] bool AnyDeviceConnected() const;
  [[nodiscard]] int keyboard_model() const { return keyboard_model_.load(); }
  [[nodiscard]] bool mouse_page_ready() const { return mouse_page_ready_.load(); }
  // Whether the mouse asked the pad's effects for a flash since the last call. Any thread.
  [[nodiscard]] bool TakePadFlashRequest() { return pad_flash_requested_.exchange(false); }
  // Notified after every pad flash request. Any thread.
  [[nodiscard]] ChangeSignal& PadFlashRequests() { return pad_flash_requests_; }
  // After the stop: whether threads were still running when the wait ended.
  [[nodiscard]] bool threads_abandoned() const { return stop_outcome_ == StopOutcome::kTimedOut; }

  // Menu commands (the tray menu, the main menu), as a picked item reports them.
  void RunMenuCommand(const MenuCommand& command);
  // Switches the interface language: 0 English, 1 Simplified Chinese.
  void SetLanguage(int language);
  // The pad was told to reset to its factory settings: once it has settled (1000 ms later, on a
  // one-shot timer, so that the window stays responsive meanwhile) it is read again and its page
  // refreshed, as message 0x0A01 does.
  void RereadPadAfterReset();

 private:
  class Link;
  struct MessageEntry;
  struct TimerEntry;

  // Skin-change receiver.
  int Receive(const SkinChangedParam& param) override;

  // Start-up (main_window.cpp).
  void OnWindowInit();
  void StartWorkerThreads();
  void OnDestroy();
  void RestoreSkinPicture();
  void MirrorStoredLanguage();
  void LoadLanguage();

  // Notifications (main_window_notify.cpp).
  bool HandleWindowButton(Control& sender);
  void CloseWindow();
  void RouteNotification(const Notification& notification);
  void OpenMainMenu();
  void AddMenuShortcuts();
  // A menu's pick: queued, then taken by message 0x0479.
  void QueueMenuCommand(MenuCommand command);

  // Tabs (tab_switching.cpp).
  void OnTabFocus(const Control& sender);
  bool GuardMacroEdit(const Control& sender);
  void SwitchTabs(const Control& sender);
  void SwitchKeyboardPage(std::string_view name);
  // The keyboard page tab that is selected; the key page's when none is.
  [[nodiscard]] std::string_view SelectedKeyboardTab() const;
  void SwitchMousePage(std::string_view name);
  void SetProfileControlsEnabled(bool enabled);

  // Messages and timers (main_window_messages.cpp, main_window_timers.cpp).
  void Activate();
  void ShowNoDeviceBox();
  void ToggleWindow();
  void OnTrayIcon(std::intptr_t mouse_message);
  void OpenTrayMenu();
  void TakeMenuCommand();
  void OnNoDeviceLeft();
  void ApplyPendingChanges();
  // Timer 2 every 100 ms while a device is connected and the window shown, else once a second.
  void PaceApplyTimer();
  // The continuous repaint and timer 2 at their own pace again, once the window is shown.
  void ResumeShownPace();
  void KeyboardAttached();
  void PadAttached();
  void MouseAttached();
  [[nodiscard]] bool StillPresent(DeviceKind kind);
  void FrameTimer(int timer_id, DeviceKind kind);
  // Whether `kind`'s frames can be seen: the window is on the screen with the device's picture.
  [[nodiscard]] bool PreviewSeen(DeviceKind kind) const;
  // The window or a device's page came on the screen: the frame timers, which sleep while nobody
  // looks, step now.
  void WakeFrameTimers();
  [[nodiscard]] bool& FramesRunning(DeviceKind kind);
  void ShowAndSelectTab(std::string_view tab);
  void SetShown(std::string_view control, bool shown);

  // The busy indicator (main_window_progress.cpp).
  void ShowProgress();
  void HideProgressLater();
  void HideProgress();
  void TurnProgress();

  [[nodiscard]] DevicePart& PartOf(DeviceKind kind) const;
  [[nodiscard]] MacroPart& Macros() const;
  [[nodiscard]] std::unique_ptr<Link> MakeLink();

  WindowModel& window_;
  const Skin& skin_;
  UiThread& ui_;
  WindowHost& host_;
  Dialogs& dialogs_;
  Clock& clock_;
  const DataFolders& folders_;
  SettingsStore& settings_;
  SkinObserver& skin_observer_;
  MainIni main_ini_;

  DeviceChannel keyboard_channel_;
  DeviceChannel mouse_channel_;
  DeviceChannel pad_channel_;
  ChangeSignal connection_changes_;
  DeviceChannels channels_{keyboard_channel_, mouse_channel_, pad_channel_, &connection_changes_};
  std::unique_ptr<Link> link_;
  PresenceMonitor keyboard_monitor_;
  PresenceMonitor mouse_monitor_;
  PresenceMonitor pad_monitor_;
  NotificationListener mouse_listener_;
  NotificationListener keyboard_listener_;
  WorkerThreads threads_;
  DeviceJobs jobs_{ui_};

  std::array<DevicePart*, 3> device_parts_{};
  MacroPart* macro_part_ = nullptr;
  ProfileSaver* profiles_ = nullptr;
  std::array<PageHandler, kPageCount> page_handlers_;
  std::function<void(std::intptr_t, std::intptr_t)> linked_profile_handler_;
  std::vector<std::function<void()>> startup_steps_;

  // Controls looked up at initialisation (null when the skin lacks them).
  Control* close_button_ = nullptr;
  Control* min_button_ = nullptr;
  Control* skin_button_ = nullptr;
  std::array<Control*, 126> keyboard_keys_{};
  Control* keyboard_picture_ = nullptr;  // where the keyboard's frames are shown
  Control* pad_picture_ = nullptr;       // where the pad's frames are shown

  std::atomic<int> keyboard_model_{3};
  std::atomic<bool> mouse_page_ready_{false};
  std::atomic<bool> pad_flash_requested_{false};
  ChangeSignal pad_flash_requests_;
  int skin_receiver_number_ = -1;
  bool no_device_box_open_ = false;
  // Whether the keyboard's and the pad's frame timers run (from their attach until the device is
  // gone). User-interface thread.
  bool keyboard_frames_running_ = false;
  bool pad_frames_running_ = false;
  bool destroyed_ = false;
  StopOutcome stop_outcome_ = StopOutcome::kNoneRunning;
  Clock::Duration apply_period_ = std::chrono::milliseconds(100);  // of timer 2 as last set

  std::mutex menu_mutex_;  // guards menu_commands_: a pick may arrive while a handler runs
  std::deque<MenuCommand> menu_commands_;
};

}  // namespace vandrel
