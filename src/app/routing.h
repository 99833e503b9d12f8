// The main window's routing table: which page handles a notification from which control. One
// table of control-name families (an exact name, a beginning or an ending, compared without
// regard to case) with the notification types each family's page takes; the first row whose name
// matches decides, and a type that row does not list goes nowhere.
#pragma once

#include <optional>
#include <string_view>

namespace vandrel {

enum class Page {
  kWindowButtons,     // "closebtn", "minbtn"
  kSkinWindow,        // "skinbtn"
  kMainMenu,          // "menubtn"
  kTabs,              // device tabs and page tabs
  kMouseButtons,      // button assignment
  kMousePerformance,  // DPI, report rate, pointer speed, wheel lines, sensor height, defaults
  kMouseLighting,
  kRecoil,
  kKeyboardKeys,
  kKeyboardLighting,
  kPadLighting,  // lighting, slot and factory reset of the pad
  kMacroEditor,
  kMacroRecording,
  kMacroImportExport,
  kProfiles,
  kDpiColour,   // "ms_DPIcolor_btn_1" … "_6"
  kMouseSlot,   // "ms_profile_" and a number
  kDisplayDpi,  // "dpi_btn"
  kTraceOnly,   // buttons that only leave a trace line
};

inline constexpr int kPageCount = static_cast<int>(Page::kTraceOnly) + 1;

// The page for a notification of `type` from the control `name`; nullopt when none takes it.
[[nodiscard]] std::optional<Page> RouteOf(std::string_view name, std::string_view type);

}  // namespace vandrel
