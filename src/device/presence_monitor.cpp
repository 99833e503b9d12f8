#include "device/presence_monitor.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/trace.h"
#include "device/device_match.h"
#include "device/product_ids.h"

namespace vandrel {

using namespace std::chrono_literals;

// Where the monitor moves the tabs when its device goes: the first connected target wins.
struct TabMove {
  DeviceKind target;
  bool focus;  // give the target tab the focus
  bool show;   // make the target tab visible
};

struct MonitorConfig {
  int attach_timer;
  Clock::Duration attach_delay;
  Clock::Duration pause_connected;
  Clock::Duration pause_absent;
  std::string_view tab;
  std::string_view same_mode;
  std::string_view macro_edit;  // visible while a macro edit is open; empty: no macro editor
  bool hide_tab_before_macro;
  std::array<TabMove, 2> moves;
  std::string_view trace;
};

namespace {

constexpr DeviceKind kAllKinds[] = {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad};

const MonitorConfig& ConfigFor(DeviceKind kind) {
  static const MonitorConfig kKeyboard{
      kTimerKeyboardAttached,
      500ms,
      100ms,
      1000ms,
      "kb_tab",
      "kb_deng_same_mode",
      "kb_macro_tab_saveorcancel",
      false,
      {{{DeviceKind::kMouse, false, false}, {DeviceKind::kPad, false, false}}},
      "keyboard presence monitor ends"};
  static const MonitorConfig kMouse{
      kTimerMouseAttached,
      1000ms,
      1500ms,
      1500ms,
      "ms_tab",
      "ms_deng_same_mode",
      "ms_macro_tab_saveorcancel",
      true,
      {{{DeviceKind::kKeyboard, true, true}, {DeviceKind::kPad, true, false}}},
      "mouse presence monitor ends"};
  static const MonitorConfig kPad{
      kTimerPadAttached,
      500ms,
      100ms,
      1000ms,
      "mp_tab",
      "mp_deng_same_mode",
      "",
      true,
      {{{DeviceKind::kKeyboard, false, false}, {DeviceKind::kMouse, false, false}}},
      "mouse pad presence monitor ends"};
  switch (kind) {
    case DeviceKind::kKeyboard:
      return kKeyboard;
    case DeviceKind::kMouse:
      return kMouse;
    case DeviceKind::kPad:
      return kPad;
  }
  return kPad;
}

}  // namespace

PresenceMonitor::PresenceMonitor(DeviceKind kind, DeviceChannels channels, MainWindowLink& window,
                                 Clock& clock)
    : kind_(kind),
      config_(ConfigFor(kind)),
      channels_(channels),
      channel_(channels.Of(kind)),
      window_(window),
      clock_(clock) {}

void PresenceMonitor::Run(Event& stop) {
  Wakeup wakeup(stop);
  ChangeSignal* const interfaces = channel_.device().backend().InterfaceChanges();
  wakeup.Listen(interfaces);
  wakeup.Listen(channels_.connections);
  while (!clock_.WaitFor(stop, 1ms)) {
    const std::optional<Clock::Duration> pause = PollOnce();
    if (!pause) break;
    // Outside the lock; ended at once by the stop event and by any change.
    (void)clock_.WaitFor(wakeup.event(), interfaces != nullptr ? kWaitForever : *pause);
  }
  Trace(config_.trace);
}

std::optional<Clock::Duration> PresenceMonitor::PollOnce() {
  bool connected = false;
  bool changed = false;
  {
    std::lock_guard lock(channel_.lock());
    const bool was_connected = channel_.connected();
    if (was_connected) {
      CheckPresence();
    } else if (!Search()) {
      return std::nullopt;
    }
    connected = channel_.connected();
    changed = connected != was_connected;
  }
  if (changed && channels_.connections != nullptr) channels_.connections->Notify();
  return connected ? config_.pause_connected : config_.pause_absent;
}

bool PresenceMonitor::Search() {
  HidDevice& device = channel_.device();
  if (device.EnumeratePaths() != 1) return false;
  const std::vector<HidInterfaceInfo> interfaces = device.path_list();
  for (const HidInterfaceInfo& info : interfaces) {
    if (info.attributes.vendor_id != channel_.identity().vendor_id) continue;
    device.SetOpenFlags({.read = true, .write = true, .exclusive = false});
    device.SetDevicePath(info.path, info.collection_number);
    if (device.Open() == 1 && Matches(device)) {
      if (kind_ == DeviceKind::kKeyboard) {
        keyboard_model_ = KeyboardModelFor(device.attributes().product_id, keyboard_model_);
        window_.SetKeyboardModel(keyboard_model_);
      }
      channel_.set_connected(true);
      window_.SetTimer(config_.attach_timer, config_.attach_delay);
      break;
    }
    device.CloseDevice();
  }
  if (first_poll_ && channel_.connected()) window_.PostActivation();
  first_poll_ = false;
  device.FreePathList();
  return true;
}

bool PresenceMonitor::Matches(const HidDevice& device) const {
  const ChannelIdentity& identity = channel_.identity();
  const std::uint16_t product = device.attributes().product_id;
  const std::span<const std::uint16_t> accepted = AcceptedProductIds(kind_);
  const bool product_accepted =
      product == identity.product_id ||
      std::find(accepted.begin(), accepted.end(), product) != accepted.end();
  return device.attributes().vendor_id == identity.vendor_id && product_accepted &&
         device.capabilities().usage_page == identity.usage_page &&
         device.capabilities().usage == identity.usage;
}

void PresenceMonitor::CheckPresence() {
  if (!channel_.device().IsPresent()) {
    Detach();
    return;
  }
  const bool another_connected = std::any_of(
      std::begin(kAllKinds), std::end(kAllKinds),
      [&](DeviceKind other) { return other != kind_ && channels_.Of(other).connected(); });
  window_.SetVisible(config_.same_mode, another_connected);
}

void PresenceMonitor::Detach() {
  channel_.set_connected(false);
  if (kind_ == DeviceKind::kMouse) window_.SetMousePageReady(false);
  channel_.set_sync_lighting(false);
  if (config_.hide_tab_before_macro) window_.SetVisible(config_.tab, false);
  if (!config_.macro_edit.empty() && window_.IsVisible(config_.macro_edit)) {
    window_.AbandonMacroEdit(kind_);
  }
  if (!config_.hide_tab_before_macro) window_.SetVisible(config_.tab, false);
  MoveToAnotherDevice();
}

void PresenceMonitor::MoveToAnotherDevice() {
  for (const TabMove& move : config_.moves) {
    if (!channels_.Of(move.target).connected()) continue;
    const std::string_view tab = ConfigFor(move.target).tab;
    window_.SelectTab(tab);
    if (move.focus) window_.SetFocus(tab);
    if (move.show) window_.SetVisible(tab, true);
    return;
  }
  window_.PostMessage(kMessageNoDeviceLeft);
}

}  // namespace vandrel
