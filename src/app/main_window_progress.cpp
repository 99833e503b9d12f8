// The busy indicator "setting_progress": message 0x0C00 shows it when a download starts, message
// 0x0C01 has timer 1 hide it a second after the download's end. While it is shown its ring goes
// round on a timer of its own, so that the user sees the work going on.
#include <algorithm>

#include "app/main_window.h"
#include "app/window_messages.h"

namespace vandrel {
namespace {

constexpr std::string_view kProgress = "setting_progress";
constexpr Clock::Duration kProgressShown = std::chrono::milliseconds(1000);
constexpr Clock::Duration kTurnPeriod = std::chrono::milliseconds(50);
constexpr int kStepsPerRound = 20;  // one round a second

}  // namespace

void CMainWnd::ShowProgress() {
  // A hide left pending by the download before would take the indicator away during this one.
  ui_.KillTimer(kTimerHideProgress);
  Control* progress = window_.Find(kProgress);
  if (progress == nullptr) return;
  progress->SetValue(progress->Minimum());
  progress->SetVisible(true);
  ui_.SetTimer(kTimerTurnProgress, kTurnPeriod);
}

void CMainWnd::HideProgressLater() { ui_.SetTimer(kTimerHideProgress, kProgressShown); }

void CMainWnd::HideProgress() {
  ui_.KillTimer(kTimerHideProgress);
  ui_.KillTimer(kTimerTurnProgress);
  SetShown(kProgress, false);
}

// From empty to full, then empty again.
void CMainWnd::TurnProgress() {
  Control* progress = window_.Find(kProgress);
  if (progress == nullptr || !progress->IsVisible()) {
    ui_.KillTimer(kTimerTurnProgress);
    return;
  }
  const int step = std::max(1, (progress->Maximum() - progress->Minimum()) / kStepsPerRound);
  const int next = progress->Value() + step;
  progress->SetValue(next > progress->Maximum() ? progress->Minimum() : next);
}

}  // namespace vandrel
