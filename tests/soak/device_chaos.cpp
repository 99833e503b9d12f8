#include "soak/device_chaos.h"

#include <algorithm>
#include <string_view>

#include "device/product_ids.h"

namespace vandrel::soak {
namespace {

using std::chrono::milliseconds;
using Random = std::mt19937;

int Uniform(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

Clock::Duration Millis(Random& random, int low, int high) {
  return milliseconds(Uniform(random, low, high));
}

template <typename T, std::size_t N>
const T& PickFrom(Random& random, const T (&table)[N]) {
  return table[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

struct FaultKind {
  std::string_view name;
  sim::Faults (*make)(Random& random);
};

// Every fault the simulator can show, with its parameters drawn around the host's limits: the
// channel reads a reply for 300 ms and tries four times. A sound device is listed twice, so that
// a quarter of the plugs stream their lighting undisturbed.
constexpr FaultKind kFaultKinds[] = {
    {"none", [](Random&) { return sim::Faults{}; }},
    {"none", [](Random&) { return sim::Faults{}; }},
    {"silent", [](Random&) { return sim::Faults{.silent = true}; }},
    {"late reply", [](Random& r) { return sim::Faults{.reply_delay = Millis(r, 100, 700)}; }},
    {"refusal",
     [](Random& r) {
       return sim::Faults{
           .refusal_status = static_cast<std::uint8_t>(Uniform(r, 0, 1) ? 0xFF : 0xFE),
           .refuse_request = Uniform(r, 0, 40)};
     }},
    {"unplug in a transfer",
     [](Random& r) { return sim::Faults{.vanish_on_request = Uniform(r, 1, 80)}; }},
    {"usb timing", [](Random&) { return sim::Faults{.usb_timing = true}; }},
    {"slow writes", [](Random& r) { return sim::Faults{.write_delay = Millis(r, 5, 400)}; }},
};

constexpr std::uint16_t kKeyboardProductIds[] = {kKeyboardProductId, kPerKeyKeyboardProductId,
                                                 kPerKeyKeyboardAltProductId,
                                                 kZoneKeyboardProductId};
constexpr std::uint16_t kNotifications[] = {sim::kNotifySettingsChanged, sim::kNotifyFullChange,
                                            sim::kNotifyPadFlash};

std::uint16_t ProductIdFor(sim::DeviceFamily family, Random& random) {
  switch (family) {
    case sim::DeviceFamily::kKeyboard:
      return PickFrom(random, kKeyboardProductIds);
    case sim::DeviceFamily::kMouse:
      return kMouseProductId;
    case sim::DeviceFamily::kPad:
      return kPadProductId;
  }
  return kPadProductId;
}

// One keyboard in three reports a key count of its own, from none to more than its table holds.
sim::PlugOptions PlugOptionsFor(sim::DeviceFamily family, Random& random) {
  if (family != sim::DeviceFamily::kKeyboard || Uniform(random, 0, 2) != 0) return {};
  return {.key_count = Uniform(random, 0, 255), .state_folder = {}};
}

// Two plugs in five are gone before a monitor looks, two stay through the attach and the first
// reads, one stays long enough for the lighting to stream.
Clock::Duration HoldTime(Random& random) {
  const int bucket = Uniform(random, 0, 4);
  if (bucket < 2) return Millis(random, 1, 100);
  if (bucket < 4) return Millis(random, 100, 1600);
  return Millis(random, 1600, 5000);
}

}  // namespace

DeviceChaos::DeviceChaos(sim::VirtualBus& bus, Clock& clock, std::uint32_t seed)
    : bus_(bus),
      clock_(clock),
      random_(seed),
      plugs_{Plug{.family = sim::DeviceFamily::kKeyboard, .device = nullptr},
             Plug{.family = sim::DeviceFamily::kMouse, .device = nullptr},
             Plug{.family = sim::DeviceFamily::kPad, .device = nullptr}} {}

DeviceChaos::~DeviceChaos() { Stop(); }

void DeviceChaos::Start() {
  stop_.Reset();
  thread_ = std::thread([this] { Run(); });
}

void DeviceChaos::Stop() {
  if (!thread_.joinable()) return;
  stop_.Set();
  thread_.join();
  const Clock::Duration now = clock_.Now();
  for (Plug& plug : plugs_) {
    if (plug.device) PullOut(plug, now);
  }
}

ChaosCounts DeviceChaos::Counts() const {
  std::lock_guard lock(mutex_);
  return counts_;
}

void DeviceChaos::Run() {
  while (!stop_.IsSet()) {
    const Clock::Duration now = clock_.Now();
    for (Plug& plug : plugs_) {
      if (now >= plug.next_change) {
        plug.device ? PullOut(plug, now) : PlugIn(plug, now);
      } else if (plug.device && now >= plug.next_action) {
        Act(plug, now);
      }
    }
    (void)clock_.WaitFor(stop_, std::max(NextEvent() - clock_.Now(), Clock::Duration::zero()));
  }
}

Clock::Duration DeviceChaos::NextEvent() const {
  Clock::Duration next = Clock::Duration::max();
  for (const Plug& plug : plugs_) {
    next = std::min(next, plug.next_change);
    if (plug.device) next = std::min(next, plug.next_action);
  }
  return next;
}

void DeviceChaos::PlugIn(Plug& plug, Clock::Duration now) {
  const std::uint16_t product_id = ProductIdFor(plug.family, random_);
  plug.device = bus_.Plug(product_id, PlugOptionsFor(plug.family, random_));
  ShowFault(*plug.device);
  plug.next_change = now + HoldTime(random_);
  plug.next_action = now + Millis(random_, 50, 1500);
}

void DeviceChaos::PullOut(Plug& plug, Clock::Duration now) {
  const bool opened = plug.device->ConnectionCount() > 0;
  const bool vanished = !plug.device->present();
  bus_.Unplug(plug.device);
  {
    std::lock_guard lock(mutex_);
    ++counts_.cycles;
    counts_.opened += opened ? 1 : 0;
    counts_.vanished += vanished ? 1 : 0;
    counts_.requests += plug.device->RequestCount();
    counts_.frames += plug.device->FramesReceived();
    for (const auto& [violation, count] : plug.device->Violations()) {
      counts_.violations[violation] += count;
    }
  }
  plug.device = nullptr;
  plug.next_change = now + Millis(random_, 0, 400);
}

// One action in four changes the fault; the others press something on the device.
void DeviceChaos::Act(Plug& plug, Clock::Duration now) {
  if (Uniform(random_, 0, 3) == 0) {
    ShowFault(*plug.device);
  } else {
    Press(*plug.device);
  }
  plug.next_action = now + Millis(random_, 50, 1500);
}

void DeviceChaos::ShowFault(sim::SimulatedDevice& device) {
  const FaultKind& kind = PickFrom(random_, kFaultKinds);
  device.SetFaults(kind.make(random_));
  std::lock_guard lock(mutex_);
  ++counts_.faults[std::string(kind.name)];
}

void DeviceChaos::Press(sim::SimulatedDevice& device) {
  switch (Uniform(random_, 0, 3)) {
    case 0:
      device.SwitchSlot(static_cast<std::uint8_t>(Uniform(random_, 0, 4)));
      break;
    case 1:
      device.ChangeDpiLevel(static_cast<std::uint8_t>(Uniform(random_, 0, 5)));
      break;
    case 2:
      device.ChangeLightingMode(static_cast<std::uint8_t>(Uniform(random_, 0, 9)));
      break;
    default:
      device.Notify(PickFrom(random_, kNotifications));
      break;
  }
  std::lock_guard lock(mutex_);
  ++counts_.device_actions;
}

}  // namespace vandrel::soak
