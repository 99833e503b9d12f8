// MousePerformancePage: the mouse's DPI levels and their indicator colours, the report rate, the
// desktop's pointer speed and wheel scroll lines, and the DPI level the mouse is using, on the
// main window's controls. It edits the live record and the host settings of MouseState through
// MouseDevice and keeps no data of its own. User-interface thread only.
#pragma once

#include "mouse/mouse_device.h"
#include "profile/profile_saver.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace vandrel {

class MousePerformancePage {
 public:
  // `window` (the main window, with "Mouse_DPI.xml" included), `mouse`, `dialogs` (for the colour
  // palette) and `profiles` (the host settings are no part of the live record, so their edits
  // have the profiles rewritten directly) must outlive the page.
  MousePerformancePage(WindowModel& window, MouseDevice& mouse, Dialogs& dialogs,
                       ProfileSaver& profiles);

  // Fills the DPI sliders, labels and colour buttons, the highlight of the active level and the
  // report rate from MouseState.
  void Refresh();
  // A profile load: shows the loaded pointer speed and wheel lines and applies both to the
  // desktop.
  void ApplyHostSettings();

  // The notifications of "ms_DPI…", "ms_report_fct_combo", "ms_point_speed_slider",
  // "ms_gunlun_speed_…", "ms_sensor_height_slider" and "ms_one_profile_default", and those of
  // the DPI colour buttons (see HandleDpiColour); false when the page does not act on it.
  bool Handle(const Notification& notification);
  // "ms_DPIcolor_btn_1" … "_6": a click opens the palette for that level; the mouse entering and
  // leaving draws and removes a white border. False for other controls and notifications.
  bool HandleDpiColour(const Notification& notification);

 private:
  bool HandleDpiSlider(const Control& slider, bool released);
  void ChooseDpiColour(Control& button, int level);
  void StepWheel(int step);
  void CorrectWheelText(Control& edit);
  void ApplyWheelText(const Control& edit);
  void ApplyPointerSlider(const Control& slider);
  void RestoreDefaults();
  void ShowDpiValue(int level, int index);
  void ShowDpiRanges();
  void ShowActiveLevel();

  WindowModel& window_;
  MouseDevice& mouse_;
  Dialogs& dialogs_;
  ProfileSaver& profiles_;
};

}  // namespace vandrel
