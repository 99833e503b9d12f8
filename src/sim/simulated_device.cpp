#include "sim/simulated_device.h"

#include <algorithm>

#include "core/file_io.h"
#include "sim/bus_context.h"
#include "sim/descriptors.h"
#include "sim/sim_connection.h"
#include "sim/state_file.h"

namespace vandrel::sim {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kActiveDpiByte = 19;
constexpr std::size_t kModeByte = 1;
constexpr std::size_t kSpeedByte = 3;

// Commands that change what the device keeps in memory.
bool ChangesMemory(std::uint8_t command) {
  return command == 6 || command == 9 || command == 13 || command == 21 || command == 23;
}

Report RefusalOf(std::span<const std::uint8_t> request, std::uint8_t status) {
  Report reply{};
  std::copy_n(request.begin(), 7, reply.begin());
  reply[1] = reply[2] = 0;
  reply[7] = status;
  return reply;
}

}  // namespace

SimulatedDevice::SimulatedDevice(std::shared_ptr<BusContext> bus, std::uint16_t product_id,
                                 std::optional<int> key_count, std::string path,
                                 std::filesystem::path state_file)
    : bus_(std::move(bus)),
      product_id_(product_id),
      family_(FamilyOf(product_id).value_or(DeviceFamily::kKeyboard)),
      path_(std::move(path)),
      state_file_(std::move(state_file)),
      firmware_(FactoryImage(product_id, key_count)) {
  InitialState initial = LoadState(state_file_, firmware_.memory());
  firmware_.memory() = std::move(initial.image);
  keep_state_ = initial.keep;
  if (initial.notice) bus_->Tell(*initial.notice);
}

bool SimulatedDevice::present() const {
  std::lock_guard lock(mutex_);
  return present_;
}

void SimulatedDevice::SetFaults(const Faults& faults) {
  std::lock_guard lock(mutex_);
  faults_ = faults;
  requests_since_faults_ = 0;
}

Faults SimulatedDevice::CurrentFaults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

void SimulatedDevice::SwitchSlot(std::uint8_t slot) {
  std::lock_guard lock(mutex_);
  if (slot >= firmware_.memory().slot_count()) return;
  ChangeMemoryAndNotify(0, slot);
}

void SimulatedDevice::ChangeDpiLevel(std::uint8_t level) {
  std::lock_guard lock(mutex_);
  if (family_ != DeviceFamily::kMouse) return;
  ChangeMemoryAndNotify(firmware_.memory().active_slot() * kSlotRecordSize + kActiveDpiByte, level);
}

void SimulatedDevice::ChangeLightingMode(std::uint8_t mode) {
  std::lock_guard lock(mutex_);
  ChangeMemoryAndNotify(firmware_.memory().active_slot() * kSlotRecordSize + kModeByte, mode);
}

void SimulatedDevice::SetLighting(std::uint8_t mode, std::uint8_t speed) {
  std::lock_guard lock(mutex_);
  std::vector<std::uint8_t>& settings = firmware_.memory().settings;
  for (std::size_t slot = 0; slot < firmware_.memory().slot_count(); ++slot) {
    settings[slot * kSlotRecordSize + kModeByte] = mode;
    settings[slot * kSlotRecordSize + kSpeedByte] = speed;
  }
  SaveState();
}

void SimulatedDevice::ChangeMemoryAndNotify(std::size_t offset, std::uint8_t value) {
  std::vector<std::uint8_t>& settings = firmware_.memory().settings;
  if (offset >= settings.size()) return;
  settings[offset] = value;
  SaveState();
  if (has_consumer_control()) PressLocked(kNotifySettingsChanged);
}

void SimulatedDevice::Notify(std::uint16_t usage) {
  std::lock_guard lock(mutex_);
  if (!has_consumer_control() || !present_) return;
  PressLocked(usage);
}

// A consumer control is pressed and let go: the report with its usage, then one with none.
void SimulatedDevice::PressLocked(std::uint16_t usage) {
  const std::uint8_t press[] = {kConsumerReportId, static_cast<std::uint8_t>(usage & 0xFF),
                                static_cast<std::uint8_t>(usage >> 8)};
  const std::uint8_t release[] = {kConsumerReportId, 0, 0};
  const Clock::Duration now = bus_->clock().Now();
  DeliverLocked(SimCollection::kConsumer, press, now);
  DeliverLocked(SimCollection::kConsumer, release, now);
}

bool SimulatedDevice::Receive(std::span<const std::uint8_t> request) {
  std::lock_guard lock(mutex_);
  if (!present_) return false;
  ++requests_;
  const int number = ++requests_since_faults_;
  bus_->Trace(tag(), "vendor", "out", request);
  if (faults_.vanish_on_request == number) {
    present_ = false;
    for (SimConnection* connection : connections_) connection->WakeLocked();
    bus_->changes().Notify();
    return true;
  }
  if (faults_.silent) return true;
  const bool refused = faults_.refusal_status != 0 &&
                       (faults_.refuse_request == 0 || faults_.refuse_request == number);
  Report reply;
  if (refused) {
    reply = RefusalOf(request, faults_.refusal_status);
  } else {
    Report copy{};
    std::copy_n(request.begin(), copy.size(), copy.begin());
    const int frames_before = firmware_.frames_received();
    reply = firmware_.Handle(copy);
    if (frames_before == 0 && firmware_.frames_received() == 1) first_frame_ = bus_->clock().Now();
  }
  const Clock::Duration usb = faults_.usb_timing ? Clock::Duration(1ms) : Clock::Duration::zero();
  const Clock::Duration due =
      SaturatingAdd(SaturatingAdd(bus_->clock().Now(), faults_.reply_delay), usb);
  DeliverLocked(SimCollection::kVendor, reply, due);
  if (!refused && ChangesMemory(request[3]) && reply[7] == kStatusAccepted) SaveState();
  return true;
}

void SimulatedDevice::DeliverLocked(SimCollection collection, std::span<const std::uint8_t> report,
                                    Clock::Duration due) {
  const bool vendor = collection == SimCollection::kVendor;
  bus_->Trace(tag(), vendor ? "vendor" : "consumer", "in", report);
  for (SimConnection* connection : connections_) {
    if (connection->collection_ == collection && connection->flags_.read) {
      connection->PushLocked(report, due);
    }
  }
}

void SimulatedDevice::SaveState() {
  if (state_file_.empty() || !keep_state_) return;
  if (WriteFileAtomically(state_file_, SerializeImage(firmware_.memory())) || save_failed_) return;
  // Said once: the host learns that the device will forget its changes.
  save_failed_ = true;
  bus_->Tell({true, "cannot save the simulated " + std::string(tag()) + "'s memory in " +
                        state_file_.string() + ": its changes are not kept"});
}

bool SimulatedDevice::Attach(SimConnection* connection) {
  std::lock_guard lock(mutex_);
  // Checked under the same lock as the attach, so two opens at once cannot both pass.
  const HidOpenFlags flags = connection->flags_;
  const bool shared_as_asked =
      std::none_of(connections_.begin(), connections_.end(), [&](const SimConnection* other) {
        return (flags.exclusive && other->flags_.write) || (flags.write && other->flags_.exclusive);
      });
  if (!present_ || !shared_as_asked) return false;
  connections_.push_back(connection);
  return true;
}

void SimulatedDevice::Detach(SimConnection* connection) {
  std::lock_guard lock(mutex_);
  std::erase(connections_, connection);
}

void SimulatedDevice::Unplug() {
  {
    std::lock_guard lock(mutex_);
    present_ = false;
    for (SimConnection* connection : connections_) connection->WakeLocked();
  }
  bus_->changes().Notify();
}

FirmwareImage SimulatedDevice::Memory() const {
  std::lock_guard lock(mutex_);
  return firmware_.memory();
}

int SimulatedDevice::ViolationCount() const {
  std::lock_guard lock(mutex_);
  return firmware_.violation_count();
}

std::map<Violation, int> SimulatedDevice::Violations() const {
  std::lock_guard lock(mutex_);
  return firmware_.violations();
}

int SimulatedDevice::RequestCount() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::optional<Clock::Duration> SimulatedDevice::FirstFrameTime() const {
  std::lock_guard lock(mutex_);
  return first_frame_;
}

int SimulatedDevice::FramesReceived() const {
  std::lock_guard lock(mutex_);
  return firmware_.frames_received();
}

std::vector<std::uint8_t> SimulatedDevice::LastFrame() const {
  std::lock_guard lock(mutex_);
  return firmware_.last_frame();
}

int SimulatedDevice::ConnectionCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(connections_.size());
}

bool SimulatedDevice::ConfigOpen() const {
  std::lock_guard lock(mutex_);
  return firmware_.config_open();
}

}  // namespace vandrel::sim
