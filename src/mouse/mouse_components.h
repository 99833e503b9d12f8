// MouseComponents: the mouse as the program assembles it — its state, device, host settings,
// pages and hub part — and its place in the main window: the part for the hub's timers and
// messages, the page handlers of the routing table, the slot buttons and the same-mode adopter.
// User-interface thread.
#pragma once

#include <filesystem>
#include <optional>

#include "app/main_window.h"
#include "app/same_mode.h"
#include "macro/recoil_tables.h"
#include "mouse/button_page.h"
#include "mouse/lighting_page.h"
#include "mouse/mouse_device.h"
#include "mouse/mouse_part.h"
#include "mouse/performance_page.h"
#include "mouse/recoil_page.h"

namespace vandrel {

class MouseComponents {
 public:
  // Everything given must outlive the components; `hub`'s window must include the mouse pages.
  MouseComponents(CMainWnd& hub, WindowModel& window, Dialogs& dialogs, PointerSettings& pointer,
                  ProfileSaver& profiles, SameMode& same_mode);

  [[nodiscard]] MouseState& state() { return state_; }
  [[nodiscard]] MouseDevice& device() { return device_; }
  [[nodiscard]] MouseButtonPage& buttons() { return buttons_; }

  // The mouse's macro store: it names the macros the button page binds and downloads them before
  // the key page, and its catalogue names the recoil tables (their defaults are in
  // `program_folder`), which the recoil page shows from the window's start; `capture` takes
  // single keys. `store` and `capture` must outlive the components.
  void ConnectMacros(const MacroStore& store, InputCapture& capture,
                     const std::filesystem::path& program_folder);

  // Every mouse page refilled from the state.
  void RefreshPages();

  [[nodiscard]] MousePart& part() { return part_; }

 private:
  void SwitchSlot(const Control& button);

  CMainWnd& hub_;
  WindowModel& window_;
  DeviceJobs& jobs_;
  MouseState state_;
  MouseDevice device_;
  MousePerformancePage performance_;
  MouseLightingPage lighting_;
  MouseButtonPage buttons_;
  MouseRecoilPage recoil_;
  std::optional<RecoilTables> recoil_tables_;
  MousePart part_;
};

}  // namespace vandrel
