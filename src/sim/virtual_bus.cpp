#include "sim/virtual_bus.h"

#include <cstdio>
#include <cstdlib>

#include "sim/bus_context.h"
#include "sim/descriptors.h"
#include "sim/sim_connection.h"

namespace vandrel::sim {
namespace {

constexpr std::uint32_t kInterfaceNumber = 1;
constexpr std::uint16_t kVersion = 0x0105;

struct CollectionInfo {
  std::uint32_t number;
  std::uint16_t usage_page;
  std::uint16_t usage;
  SimCollection collection;
};

std::vector<CollectionInfo> CollectionsOf(const SimulatedDevice& device) {
  if (!device.has_consumer_control()) {
    return {{0, kVendorUsagePage, kVendorUsage, SimCollection::kVendor}};
  }
  return {{1, kConsumerUsagePage, kConsumerControlUsage, SimCollection::kConsumer},
          {2, kVendorUsagePage, kVendorUsage, SimCollection::kVendor}};
}

std::string PathFor(const std::string& tag, int serial, std::uint16_t product_id) {
  char path[64];
  std::snprintf(path, sizeof path, "/sim/%s%d-%04x", tag.c_str(), serial, product_id);
  return path;
}

}  // namespace

VirtualBus::VirtualBus(Clock& clock) : context_(std::make_shared<BusContext>(clock)) {
  if (const char* trace = std::getenv("VANDREL_SIM_TRACE"); trace != nullptr && *trace != '\0') {
    context_->SetTraceFile(trace);
  }
}

VirtualBus::~VirtualBus() {
  std::lock_guard lock(mutex_);
  for (const std::shared_ptr<SimulatedDevice>& device : devices_) device->Unplug();
}

std::shared_ptr<SimulatedDevice> VirtualBus::Plug(std::uint16_t product_id,
                                                  const PlugOptions& options) {
  const std::optional<DeviceFamily> family = FamilyOf(product_id);
  if (!family) return nullptr;
  const std::string tag(FamilyTag(*family));
  std::filesystem::path state_file;
  if (!options.state_folder.empty()) {
    char name[32];
    std::snprintf(name, sizeof name, "%s-%04x.state", tag.c_str(), product_id);
    state_file = options.state_folder / name;
  }
  std::shared_ptr<SimulatedDevice> device;
  {
    std::lock_guard lock(mutex_);
    device =
        std::make_shared<SimulatedDevice>(context_, product_id, options.key_count,
                                          PathFor(tag, next_serial_++, product_id), state_file);
    devices_.push_back(device);
  }
  context_->changes().Notify();
  return device;
}

void VirtualBus::Unplug(const std::shared_ptr<SimulatedDevice>& device) {
  if (!device) return;
  device->Unplug();
  std::lock_guard lock(mutex_);
  std::erase(devices_, device);
}

std::vector<std::shared_ptr<SimulatedDevice>> VirtualBus::Devices() const {
  std::lock_guard lock(mutex_);
  return devices_;
}

bool VirtualBus::SetTraceFile(const std::filesystem::path& path) {
  return context_->SetTraceFile(path);
}

void VirtualBus::SetNoticeSink(SimNoticeSink sink) { context_->SetNoticeSink(std::move(sink)); }

void VirtualBus::AccountCpu() { context_->cpu_ledger().Enable(); }

std::vector<SimCpuLedger::Entry> VirtualBus::CpuTotals() const {
  return context_->cpu_ledger().Totals();
}

bool VirtualBus::LockStateFolder(const std::filesystem::path& folder, Clock::Duration patience,
                                 std::string& error) {
  state_lock_ = StateFolderLock::Take(folder, context_->clock(), patience, error);
  return state_lock_ != nullptr;
}

std::optional<std::vector<HidInterfaceInfo>> VirtualBus::Enumerate() {
  std::vector<HidInterfaceInfo> interfaces;
  for (const std::shared_ptr<SimulatedDevice>& device : Devices()) {
    if (!device->present()) continue;
    for (const CollectionInfo& collection : CollectionsOf(*device)) {
      interfaces.push_back({device->path(),
                            {kVendorId, device->product_id(), kVersion},
                            kInterfaceNumber,
                            collection.number,
                            collection.usage_page,
                            collection.usage,
                            InterfaceDescriptor(device->has_consumer_control())});
    }
  }
  return interfaces;
}

std::unique_ptr<HidConnection> VirtualBus::Open(const std::string& path,
                                                std::uint32_t collection_number,
                                                HidOpenFlags flags) {
  const std::shared_ptr<SimulatedDevice> device = Find(path);
  if (!device) return nullptr;
  for (const CollectionInfo& collection : CollectionsOf(*device)) {
    if (collection.number != collection_number) continue;
    HidConnectionInfo info{{kVendorId, device->product_id(), kVersion},
                           kInterfaceNumber,
                           InterfaceDescriptor(device->has_consumer_control())};
    auto connection = std::make_unique<SimConnection>(device, context_, collection.collection,
                                                      flags, std::move(info));
    if (!device->Attach(connection.get())) return nullptr;
    return connection;
  }
  return nullptr;
}

bool VirtualBus::IsPresent(const std::string& path) {
  const std::shared_ptr<SimulatedDevice> device = Find(path);
  return device && device->present();
}

ChangeSignal* VirtualBus::InterfaceChanges() { return &context_->changes(); }

std::shared_ptr<SimulatedDevice> VirtualBus::Find(const std::string& path) const {
  std::lock_guard lock(mutex_);
  for (const std::shared_ptr<SimulatedDevice>& device : devices_) {
    if (device->path() == path) return device;
  }
  return nullptr;
}

}  // namespace vandrel::sim
