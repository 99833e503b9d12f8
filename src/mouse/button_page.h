// MouseButtonPage: the mouse's Buttons tab on the main window's controls — the nine buttons with
// their functions, the category combo and its panels, the single-key capture, restoring a
// button's factory function and the download of the macros and the key page. It edits the
// active slot's key page image in MouseState; nothing reaches the mouse but through the download,
// which runs as a device job: the page stays usable meanwhile, and edits made then are the next
// download's, since the running one sends what the button's click took. User-interface thread
// only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/input_capture.h"
#include "macro/download_job.h"
#include "mouse/assignment_texts.h"
#include "mouse/mouse_state.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

struct ButtonPageLinks {
  MacroNameLookup macro_name;             // names the macros buttons are bound to
  DownloadStarter download;               // the macros, then the active slot's key page
  std::function<void(int message)> post;  // the main window's busy messages
};

class MouseButtonPage {
 public:
  // `window` (the main window, with "Mouse_key.xml" included), `state` and `dialogs` must
  // outlive the page.
  MouseButtonPage(WindowModel& window, MouseState& state, Dialogs& dialogs, ButtonPageLinks links);

  // The capture category 6 installs; until set, choosing it captures nothing.
  void SetCapture(InputCapture& capture) { capture_ = &capture; }
  // The macro names and the download, once the macros exist; until then macros have no names
  // and the download button does nothing.
  void SetLinks(MacroNameLookup macro_name, DownloadStarter download) {
    links_.macro_name = std::move(macro_name);
    links_.download = std::move(download);
  }

  // Every button's text and tooltip from the active slot's image.
  void RefreshButtonTexts();
  // The texts, then the selected button shown again, hot on the mouse's picture (a last left
  // click shows its function on a disabled panel, without a message).
  void Refresh();

  // The "ms_key_" family's notifications and the download button; false when the page does not
  // act on the notification.
  bool Handle(const Notification& notification);
  // While a device job (this page's download or another's) runs, the download button is
  // disabled.
  void ShowDownloadRunning(bool running);

  // A key event of the single-key capture (a key message's parameters).
  void TakeCapturedKey(std::intptr_t wparam, std::intptr_t lparam);

 private:
  bool HandleButton(const Notification& notification, int button);
  void SelectButton(int button, bool by_user);
  void ShowPicture(int button, bool hot);
  [[nodiscard]] std::optional<int> CategoryOf(const KeyAssignment& assignment) const;
  void ChooseCategory(int item);
  void ShowCategory(int item);
  void ShowAssignment(const KeyAssignment& assignment);
  void ShowScroll(int category, const KeyAssignment& assignment);
  void ShowMacro(const KeyAssignment& assignment);
  void Store();
  [[nodiscard]] std::optional<KeyAssignment> PanelAssignment() const;
  [[nodiscard]] std::optional<KeyAssignment> MacroAssignment() const;
  void CorrectAndStore(Control& edit);
  void RestoreDefault();
  void Download();
  void ReportDownload(const DownloadResult& result);
  [[nodiscard]] bool IsLastLeftClick(int button) const;
  [[nodiscard]] MouseKeyTable& Image();
  [[nodiscard]] const MouseKeyTable& Image() const;
  [[nodiscard]] KeyAssignment Default(int button) const;
  [[nodiscard]] int Current(std::string_view combo) const;
  [[nodiscard]] int EditValue(std::string_view edit) const;
  void SetEditText(std::string_view edit, const std::string& text);

  WindowModel& window_;
  MouseState& state_;
  Dialogs& dialogs_;
  ButtonPageLinks links_;
  InputCapture* capture_ = nullptr;
  int selected_ = 0;
  int category_ = kNoCategory;
  KeyAssignment pending_;
  bool showing_ = false;  // controls are being set from an assignment: nothing is stored

  static constexpr int kNoCategory = -1;
};

}  // namespace vandrel
