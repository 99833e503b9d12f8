// KeyboardKeyPage: the keyboard's key assignment page on the main window. A click on a key of
// the keyboard picture picks that key and shows its function; the category combo
// "kb_key_fct_combo" and its panels "kb_tab_function_0" … "_10" give it another one (a captured
// key, a mouse button, tilt, wheel, DPI, fire key, multimedia, system, macro or key
// combination), stored at once into the key table page in use. Nothing reaches the keyboard until
// the download button writes the macros and the key table, as a device job: the page stays usable
// meanwhile, and edits made then are the next download's, since the running one sends what the
// button's click took. Reassigned keys show their new function in their tooltip and wear their
// hot image. User-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/device_jobs.h"
#include "app/hook_receivers.h"
#include "app/input_capture.h"
#include "keyboard/keyboard_device.h"
#include "macro/download_job.h"
#include "macro/macro_store.h"
#include "mouse/assignment_panel.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

// The two keys the key page never assigns (the function key and the one beside it); the
// lighting page paints them like any other.
inline constexpr std::size_t kLockedKeySlots[] = {110, 111};

class KeyboardKeyPage {
 public:
  // Tells the main window to show (kMessageShowProgress) or, a moment later, hide
  // (kMessageHideProgressLater) the busy indicator.
  using BusySink = std::function<void(int message)>;

  // Everything given must outlive the page; `window` holds the key picture and the key panels;
  // the download runs as a job of `jobs`.
  KeyboardKeyPage(WindowModel& window, KeyboardDevice& keyboard, Dialogs& dialogs, DeviceJobs& jobs,
                  BusySink busy);

  // The keyboard's macros (for the macro names and the download) and the capture a single key
  // is taken with. Until given, macros have no names, the download sends no macros and no key
  // can be captured.
  void SetMacros(const MacroStore& store);
  void SetCapture(InputCapture& capture);
  // Takes the capture's single-key message (kMessageKeyboardSingleKey) from `receivers`, which
  // must not outlive the page.
  void ReceiveCapturedKeys(HookReceivers& receivers);

  // The notifications of "kb_key_…" controls; false when the page does not act on it.
  bool Handle(const Notification& notification);
  // A key event of the single-key capture (the message's lparam is its CapturedKey).
  void TakeCapturedKey(CapturedKey key);
  // Tooltips and images of every key from the key table in use.
  void RefreshKeyTips();
  // Whether the key page (not the lighting page) is the one shown with the key picture.
  [[nodiscard]] bool IsActive() const;
  // Disables the locked keys while the key page is active.
  void LockKeys();
  // The download button: starts sending the macros then the key table, behind the busy
  // indicator; once they are sent a failure or an image too long for the keyboard's memory is
  // told. False when nothing was started: another job runs, or no macro library was given (which
  // is told at once as a failure).
  bool Download();
  // While a device job (this page's download or another's) runs, the download button is
  // disabled.
  void ShowDownloadRunning(bool running);

  // The key picked last, as its device key index; nullopt before the first pick.
  [[nodiscard]] std::optional<std::size_t> selected_key() const { return selected_; }

 private:
  void ClickKey(std::size_t slot);
  void SelectKey(std::size_t slot);
  void ChooseCategory(int item);
  void Store();
  void RestoreDefault();
  void ArmCapture(bool armed);
  void ShowCategory(int item);
  void ShowAssignment(const KeyAssignment& assignment);
  [[nodiscard]] std::optional<KeyAssignment> PendingFromPanel() const;
  [[nodiscard]] std::optional<std::string> MacroName(int macro) const;
  [[nodiscard]] std::string Translate(std::string_view id) const;
  void ShowKeyTip(Control& key, std::size_t device_key);
  void ReportDownload(const DownloadResult& result);

  WindowModel& window_;
  KeyboardDevice& keyboard_;
  Dialogs& dialogs_;
  DeviceJobs& jobs_;
  BusySink busy_;
  AssignmentPanel panel_;
  const MacroStore* macros_ = nullptr;
  InputCapture* capture_ = nullptr;

  std::optional<std::size_t> selected_;  // device key
  std::optional<std::size_t> selected_slot_;
  KeyAssignment pending_;                  // the selected key's function as last shown or stored
  std::optional<KeyAssignment> captured_;  // the single key on the captured-key panel
  int category_ = 0;                       // item of "kb_key_fct_combo"
  bool capturing_ = false;
  bool showing_ = false;  // the panel is being set from the key: its notifications store nothing
};

}  // namespace vandrel
