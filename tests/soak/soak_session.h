// SoakSession: one life of the program's main window, put together as the desktop program puts
// it together (the hub, the three devices' components, the four lighting threads) on the soak's
// own user-interface loop, with a fake desktop and fake dialogs and the devices on the shared
// virtual bus. Run starts it, edits its pages for a while and ends it as the program ends, with
// message kMessageDestroy, which stops the worker threads within their bound. User-interface
// thread (the thread that constructs it).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>

#include "app/data_folders.h"
#include "app/main_window.h"
#include "app/same_mode.h"
#include "keyboard/keyboard_components.h"
#include "lighting/lighting_threads.h"
#include "mouse/mouse_components.h"
#include "pad/pad_components.h"
#include "profile/profile_saver.h"
#include "sim/virtual_bus.h"
#include "soak/page_edits.h"
#include "soak/soak_ui_loop.h"
#include "support/fake_dialogs.h"
#include "support/fake_window_host.h"

namespace vandrel::soak {

// What a session shares with the others; everything must outlive it.
struct SessionServices {
  Clock& clock;
  sim::VirtualBus& bus;
  const Skin& skin;
  const DataFolders& folders;
  SettingsStore& settings;
};

struct SessionOutcome {
  int edits = 0;
  // The longest the user-interface thread spent on one message, timer or edit before the stop.
  Busy longest_busy;
  // From the destroy message to the end of its handling, the worker threads' stop included.
  Clock::Duration stop_time{0};
  bool threads_abandoned = false;
  // When abandoned: how many more threads the process has than it had besides the worker threads
  // before the stop, that is the worker threads that outlived their bound.
  int threads_left = 0;
};

class SoakSession {
 public:
  // Builds the window and the hub; nothing runs yet.
  SoakSession(const SessionServices& services, std::uint32_t seed);
  // Must not run when the threads were abandoned: they still use the hub.
  ~SoakSession();
  SoakSession(const SoakSession&) = delete;
  SoakSession& operator=(const SoakSession&) = delete;

  // Starts the window, edits its pages for `length` and destroys it. `heartbeat` is called
  // whenever the user-interface thread comes back to the soak, at least every 100 ms.
  [[nodiscard]] SessionOutcome Run(Clock::Duration length, const std::function<void()>& heartbeat);

 private:
  class KeptPointerSettings;

  void MakeLightingThreads();
  void EditOnce();
  [[nodiscard]] int StartedWorkers();
  [[nodiscard]] SessionOutcome Destroy();

  Clock& clock_;
  std::mt19937 random_;
  std::unique_ptr<WindowModel> window_;
  std::unique_ptr<SoakUiLoop> ui_;
  testing::FakeWindowHost host_;
  testing::FakeDialogs dialogs_;
  SkinObserver skin_observer_;
  std::unique_ptr<KeptPointerSettings> pointer_settings_;
  NoProfileSaver profiles_;
  std::unique_ptr<CMainWnd> hub_;
  std::unique_ptr<SameMode> same_mode_;
  std::unique_ptr<MouseComponents> mouse_;
  std::unique_ptr<KeyboardComponents> keyboard_;
  std::unique_ptr<PadComponents> pad_;
  std::unique_ptr<LightingThreads> lighting_;
  std::unique_ptr<PageEdits> edits_;
  Busy longest_edit_;
};

}  // namespace vandrel::soak
