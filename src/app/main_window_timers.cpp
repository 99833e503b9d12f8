// The main window's timers: one table from timer numbers to handlers. Timers repeat until killed,
// so the one-shot ones kill themselves first.
#include <algorithm>

#include "app/main_window.h"
#include "app/window_messages.h"

namespace vandrel {
namespace {

constexpr Clock::Duration kRepaintPeriod = std::chrono::milliseconds(50);
constexpr Clock::Duration kApplyPeriod = std::chrono::milliseconds(100);
// Previews come on the repaint timer's wake-ups, not between them.
static_assert(kPreviewPeriod == kRepaintPeriod);
// While the window is hidden there is nothing to repaint, and while no device is connected
// nothing to send: the two timers then only look once a second whether that changed (a window
// shown by the desktop itself, an edit made with no device), so that an idle program does not
// wake twenty times a second.
constexpr Clock::Duration kIdleLookPeriod = std::chrono::milliseconds(1000);
constexpr Clock::Duration kFramePeriod = std::chrono::milliseconds(10);
constexpr Clock::Duration kFirstFrame = std::chrono::milliseconds(100);
constexpr Clock::Duration kKeyboardTabSettle = std::chrono::milliseconds(100);
constexpr Clock::Duration kMouseSettle = std::chrono::milliseconds(500);
constexpr Clock::Duration kPadResetSettle = std::chrono::milliseconds(1000);

}  // namespace

struct CMainWnd::TimerEntry {
  int id;
  void (*handle)(CMainWnd& window);
};

void CMainWnd::HandleTimer(int timer_id) {
  static constexpr TimerEntry kTimers[] = {
      {kTimerHideProgress, [](CMainWnd& w) { w.HideProgress(); }},
      {kTimerTurnProgress, [](CMainWnd& w) { w.TurnProgress(); }},
      {kTimerApplyPending,
       [](CMainWnd& w) {
         w.ApplyPendingChanges();
         w.PaceApplyTimer();
       }},
      {kTimerRepaintOnce,
       [](CMainWnd& w) {
         w.ui_.KillTimer(kTimerRepaintOnce);
         w.host_.Repaint();
       }},
      {kTimerRepaint,
       [](CMainWnd& w) {
         w.ui_.KillTimer(kTimerRepaint);
         w.host_.Repaint();
         w.ui_.SetTimer(kTimerRepaint,
                        w.host_.IsShownNormally() ? kRepaintPeriod : kIdleLookPeriod);
       }},
      {kTimerMouseLighting, [](CMainWnd& w) { w.ui_.KillTimer(kTimerMouseLighting); }},
      {kTimerMouseReread,
       [](CMainWnd& w) {
         w.ui_.KillTimer(kTimerMouseReread);
         w.PartOf(DeviceKind::kMouse).RereadActiveSlot();
       }},
      {kTimerMouseSettled, [](CMainWnd& w) { w.ui_.KillTimer(kTimerMouseSettled); }},
      {kTimerKeyboardFrame,
       [](CMainWnd& w) { w.FrameTimer(kTimerKeyboardFrame, DeviceKind::kKeyboard); }},
      {kTimerPadFrame, [](CMainWnd& w) { w.FrameTimer(kTimerPadFrame, DeviceKind::kPad); }},
      {kTimerKeyboardAttached, [](CMainWnd& w) { w.KeyboardAttached(); }},
      {kTimerPadAttached, [](CMainWnd& w) { w.PadAttached(); }},
      {kTimerMouseAttached, [](CMainWnd& w) { w.MouseAttached(); }},
      {kTimerPadReset,
       [](CMainWnd& w) {
         w.ui_.KillTimer(kTimerPadReset);
         w.HandleMessage(kMessagePadReset, 0, 0);
       }},
  };
  for (const TimerEntry& entry : kTimers) {
    if (entry.id != timer_id) continue;
    entry.handle(*this);
    return;
  }
}

// Pages only mark their device's record; this sends each marked record, at most one command per
// device per tick.
// Profile rewrites wait a little to gather a burst of edits; a device that went away has its
// waiting rewrites written at once.
void CMainWnd::ApplyPendingChanges() {
  PartOf(DeviceKind::kKeyboard).ApplyPending();
  if (mouse_page_ready_.load()) PartOf(DeviceKind::kMouse).ApplyPending();
  PartOf(DeviceKind::kPad).ApplyPending();
  if (profiles_ == nullptr) return;
  for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    if (!channels_.Of(kind).connected()) profiles_->Flush(kind);
  }
  profiles_->WriteDue();
}

void CMainWnd::PaceApplyTimer() {
  // Edits come from the window; while it is hidden only a linked profile's switch marks records,
  // and a second is soon enough for it.
  const Clock::Duration period =
      AnyDeviceConnected() && host_.IsShownNormally() ? kApplyPeriod : kIdleLookPeriod;
  if (period == apply_period_) return;
  apply_period_ = period;
  ui_.SetTimer(kTimerApplyPending, period);
}

void CMainWnd::ResumeShownPace() {
  ui_.SetTimer(kTimerRepaint, kRepaintPeriod);
  PaceApplyTimer();
}

// The step says when it has something to do next; the timer sleeps until then, never less than
// the 10 ms the frames are resent at.
void CMainWnd::FrameTimer(int timer_id, DeviceKind kind) {
  ui_.KillTimer(timer_id);
  const Clock::Duration next = PartOf(kind).FrameStep(PreviewSeen(kind));
  FramesRunning(kind) = channels_.Of(kind).connected();
  if (FramesRunning(kind)) ui_.SetTimer(timer_id, std::max(next, kFramePeriod));
}

// A preview of a picture on another page would wake the window 20 times a second for nothing. A
// skin without the picture shows the frames wherever they are.
bool CMainWnd::PreviewSeen(DeviceKind kind) const {
  const Control* picture = kind == DeviceKind::kKeyboard ? keyboard_picture_ : pad_picture_;
  return host_.IsShownNormally() && (picture == nullptr || picture->IsShown());
}

bool& CMainWnd::FramesRunning(DeviceKind kind) {
  return kind == DeviceKind::kKeyboard ? keyboard_frames_running_ : pad_frames_running_;
}

void CMainWnd::WakeFrameTimers() {
  for (const auto& [timer_id, kind] : {std::pair{kTimerKeyboardFrame, DeviceKind::kKeyboard},
                                       std::pair{kTimerPadFrame, DeviceKind::kPad}}) {
    if (FramesRunning(kind)) ui_.SetTimer(timer_id, kFramePeriod);
  }
}

void CMainWnd::RereadPadAfterReset() { ui_.SetTimer(kTimerPadReset, kPadResetSettle); }

// The attach timers run 500-1000 ms after a monitor found its device: one pulled out meanwhile is
// neither read nor shown, or the monitor's detach would be undone. The device itself is asked,
// since the mouse's monitor looks only every 1500 ms.
bool CMainWnd::StillPresent(DeviceKind kind) {
  DeviceChannel& channel = channels_.Of(kind);
  if (!channel.connected()) return false;
  // The monitors open and close their devices only under this lock.
  std::lock_guard lock(channel.lock());
  return channel.connected() && channel.device().IsPresent();
}

void CMainWnd::KeyboardAttached() {
  ui_.KillTimer(kTimerKeyboardAttached);
  PaceApplyTimer();
  if (!StillPresent(DeviceKind::kKeyboard)) return;
  DevicePart& keyboard = PartOf(DeviceKind::kKeyboard);
  ShowAndSelectTab("kb_tab");
  clock_.Sleep(kKeyboardTabSettle);
  SetShown("kb_tab_panel", true);
  host_.Show();
  ResumeShownPace();
  // Read first: the stored profile is applied over what the keyboard holds, on a key table of the
  // size the keyboard reported.
  keyboard.ReadAndRefresh();
  keyboard.SelectStoredProfile();
  ui_.SetTimer(kTimerKeyboardFrame, kFirstFrame);
  keyboard_frames_running_ = true;
}

void CMainWnd::PadAttached() {
  ui_.KillTimer(kTimerPadAttached);
  PaceApplyTimer();
  if (!StillPresent(DeviceKind::kPad)) return;
  DevicePart& pad = PartOf(DeviceKind::kPad);
  ShowAndSelectTab("mp_tab");
  // The read makes the pad's active record live; the stored profile then replaces it.
  pad.ReadAndRefresh();
  pad.SelectStoredProfile();
  ui_.SetTimer(kTimerPadFrame, kFirstFrame);
  pad_frames_running_ = true;
}

void CMainWnd::MouseAttached() {
  ui_.KillTimer(kTimerMouseAttached);
  PaceApplyTimer();
  if (!StillPresent(DeviceKind::kMouse)) return;
  DevicePart& mouse = PartOf(DeviceKind::kMouse);
  mouse.ReadAndRefresh();
  mouse.SelectStoredProfile();
  ShowAndSelectTab("ms_tab");
  SetShown("ms_tab_panel", true);
  ui_.SetTimer(kTimerMouseSettled, kMouseSettle);
  mouse_page_ready_.store(true);
}

void CMainWnd::ShowAndSelectTab(std::string_view tab) {
  Control* control = window_.Find(tab);
  if (control == nullptr) return;
  control->SetVisible(true);
  (void)control->SetSelected(true, Notify::kYes);
}

}  // namespace vandrel
