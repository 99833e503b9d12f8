// Application: the desktop program put together, in start-up order: the skin and its texts, the
// main window's model and view, the user-interface thread, the window host, the dialogs, the
// devices (real or simulated), the user's folders and settings, and the main window hub with
// the activation socket, the termination signals, the simulator menu and the screenshot. The
// members are destroyed in the reverse order, the hub first. User-interface thread only, inside
// a QApplication.
#pragma once

#include <QIcon>
#include <atomic>
#include <memory>
#include <string>

#include "app/data_folders.h"
#include "app/main_window.h"
#include "app/same_mode.h"
#include "core/clock.h"
#include "keyboard/keyboard_components.h"
#include "lighting/lighting_threads.h"
#include "macro/macro_components.h"
#include "mouse/mouse_components.h"
#include "pad/pad_components.h"
#include "platform/desktop_pointer_settings.h"
#include "platform/file_settings_store.h"
#include "platform/platform_foreground_program.h"
#include "platform/single_instance.h"
#include "platform/xdg_user_folders.h"
#include "profile/device_profiles.h"
#include "profile/profile_page.h"
#include "profile/profile_watchers.h"
#include "profile/selected_profile_writer.h"
#include "sim/virtual_bus.h"
#include "ui/qt/activation_server.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_input_capture.h"
#include "ui/qt/qt_ui_thread.h"
#include "ui/qt/qt_window_host.h"
#include "vandrel/first_paint.h"
#include "vandrel/program_options.h"
#include "vandrel/program_signals.h"
#include "vandrel/screenshot.h"
#include "vandrel/simulator_menu.h"

namespace vandrel {

class Application {
 public:
  // The program ready to run; nullptr with `error` set when the skin or the simulator's trace
  // cannot be used. `instance` is this copy's single-instance lock (kept for the program's life).
  [[nodiscard]] static std::unique_ptr<Application> Create(const ProgramOptions& options,
                                                           const SingleInstance& instance,
                                                           std::string& error);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Initialises and shows the main window and runs the event loop until the window is destroyed;
  // returns the program's exit code. Ends the process itself when worker threads had to be
  // abandoned, since they still use the hub.
  [[nodiscard]] int Run();

 private:
  explicit Application(const ProgramOptions& options);
  [[nodiscard]] bool LoadSkin(std::string& error);
  [[nodiscard]] bool MakeBackend(std::string& error);
  void MakeHub(const SingleInstance& instance);
  void MakeLightingThreads();
  void MakeDeviceProfiles();
  void MakeProfileWatchers();

  const ProgramOptions options_;
  SteadyClock clock_;
  XdgUserFolders user_folders_;
  DataFolders folders_{user_folders_};
  FileSettingsStore settings_{FileSettingsStore::DefaultPath(user_folders_)};
  Skin skin_;
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  std::unique_ptr<WindowModel> window_;
  QtUiThread ui_;
  std::unique_ptr<QtWindowHost> host_;
  std::unique_ptr<QtDialogs> dialogs_;
  std::unique_ptr<QtInputCapture> capture_;  // on the host's window
  std::unique_ptr<HidBackend> backend_;
  sim::VirtualBus* bus_ = nullptr;  // the backend, when simulating
  DesktopPointerSettings pointer_settings_;
  SelectedProfileWriter profiles_{clock_};
  // What the profile watchers follow, and what the link dialog offers.
  std::unique_ptr<PlatformForegroundProgram> foreground_ =
      MakePlatformForegroundProgram(ProcessDesktopEnvironment());
  // Declared before the hub, which calls its macro part until it is gone.
  std::unique_ptr<MacroComponents> macros_;
  std::unique_ptr<CMainWnd> hub_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<MouseComponents> mouse_;
  std::unique_ptr<KeyboardComponents> keyboard_;
  std::unique_ptr<PadComponents> pad_;
  std::unique_ptr<DeviceProfiles> device_profiles_;
  std::unique_ptr<ProfilePage> profile_page_;
  std::unique_ptr<ProfileWatchers> watchers_;
  std::unique_ptr<LightingThreads> lighting_;
  // Set by the lighting threads once they have sent the pad a frame.
  std::atomic<bool> pad_frame_sent_{false};
  std::unique_ptr<ActivationServer> activation_;
  std::unique_ptr<ProgramSignals> signals_;
  std::unique_ptr<SimulatorMenu> simulator_menu_;
  std::unique_ptr<Screenshot> screenshot_;
  std::unique_ptr<FirstPaintTrace> first_paint_;
};

}  // namespace vandrel
