#include "device/notification_listener.h"

#include <vector>

#include "core/change_signal.h"
#include "core/trace.h"
#include "device/product_ids.h"

namespace vandrel {
namespace {

using namespace std::chrono_literals;

constexpr std::uint16_t kUsageSettingsChanged = 0x0401;
constexpr std::uint16_t kUsageFullChange = 0x0402;
constexpr std::uint16_t kUsagePadFlash = 0x0403;
constexpr Clock::Duration kSearchPause = 1000ms;
// A read that fails on a device still present is tried again after this, not in a tight loop.
constexpr Clock::Duration kRetryPause = 10ms;

// Ends the listener's read in progress (or its next one) when the stop event is set.
class StopRelay final : public Event::Listener {
 public:
  StopRelay(Event& stop, HidDevice& device) : stop_(stop), device_(device) {
    stop_.AddListener(this);
  }
  ~StopRelay() { stop_.RemoveListener(this); }
  StopRelay(const StopRelay&) = delete;
  StopRelay& operator=(const StopRelay&) = delete;

  void OnEventSet() override { device_.SignalCancel(); }

 private:
  Event& stop_;
  HidDevice& device_;
};

}  // namespace

NotificationListener::NotificationListener(DeviceKind kind, HidBackend& backend,
                                           MainWindowLink& window, Clock& clock)
    : kind_(kind), window_(window), clock_(clock), device_(backend) {}

void NotificationListener::Run(Event& stop) {
  const StopRelay relay(stop, device_);
  Wakeup wakeup(stop);
  ChangeSignal* const arrivals = device_.backend().InterfaceChanges();
  wakeup.Listen(arrivals);
  while (!clock_.WaitFor(stop, 1ms)) {
    if (device_.EnumeratePaths() != 1) break;
    const std::vector<HidInterfaceInfo> interfaces = device_.path_list();
    device_.FreePathList();
    for (const HidInterfaceInfo& info : interfaces) {
      if (IsOwnDevice(info.attributes) && Listen(info, stop)) break;
    }
    // The collection can only appear with a new interface, when the backend can tell of them.
    (void)clock_.WaitFor(wakeup.event(), arrivals != nullptr ? kWaitForever : kSearchPause);
  }
  device_.CloseDevice();
  Trace(kind_ == DeviceKind::kKeyboard ? "keyboard notification listener ends"
                                       : "mouse notification listener ends");
}

bool NotificationListener::Listen(const HidInterfaceInfo& info, Event& stop) {
  device_.SetOpenFlags({.read = true, .write = false, .exclusive = false});
  device_.SetDevicePath(info.path, info.collection_number);
  const bool found = device_.Open() == 1 && IsOwnDevice(device_.attributes()) &&
                     device_.capabilities().usage_page == kConsumerUsagePage &&
                     device_.capabilities().usage == kConsumerControlUsage;
  if (found) ReadUntilGone(stop);
  device_.CloseDevice();
  return found;
}

// Every keyboard model announces its changes the same way, so the keyboard listener hears all of
// them, not only the single-colour keyboard's product ID.
bool NotificationListener::IsOwnDevice(const HidAttributes& attributes) const {
  if (attributes.vendor_id != kVendorId) return false;
  if (kind_ == DeviceKind::kMouse) return attributes.product_id == kMouseProductId;
  return KeyboardModelFor(attributes.product_id, -1) != -1;
}

void NotificationListener::ReadUntilGone(Event& stop) {
  std::vector<std::uint8_t>& buffer = device_.input().report_buffer;
  std::vector<HidDataItem>& items = device_.input().items;
  while (!stop.IsSet()) {
    std::size_t bytes = 0;
    if (device_.ReadReport(buffer, &bytes, kWaitForever) != 1) {
      if (stop.IsSet() || !device_.IsPresent()) return;
      (void)clock_.WaitFor(stop, kRetryPause);
      continue;
    }
    const std::span<const std::uint8_t> report = std::span(buffer).first(bytes);
    if (items.empty() || !items[0].is_button ||
        UnpackInputReport(items, report, *device_.preparsed_data()) != 1 ||
        items[0].usage_list.empty()) {
      continue;
    }
    React(items[0].usage_list[0]);
  }
}

void NotificationListener::React(std::uint16_t usage) {
  if (kind_ == DeviceKind::kKeyboard) {
    if (usage == kUsageSettingsChanged) window_.SendMessage(kMessageKeyboardLightingChanged);
    if (usage == kUsageFullChange) window_.SendMessage(kMessageKeyboardFullChange);
    return;
  }
  if (usage == kUsageSettingsChanged) window_.SetTimer(kTimerMouseReread, 100ms);
  if (usage == kUsageFullChange) window_.SendMessage(kMessageMouseFullChange);
  if (usage == kUsagePadFlash) window_.RequestPadFlash();
}

}  // namespace vandrel
