#include "cli/device_session.h"

#include <filesystem>
#include <system_error>

#include "device/hidraw/hidraw_backend.h"
#include "device/hidraw/udev_node_source.h"
#include "device/product_ids.h"
#include "sim/device_tags.h"
#include "sim/virtual_bus.h"

namespace vandrel::cli {
namespace {

std::unique_ptr<HidBackend> MakeBackend(const Options& options, Clock& clock, std::string& error) {
  if (!options.simulate) return std::make_unique<HidrawBackend>(std::make_unique<UdevNodeSource>());
  auto bus = std::make_unique<sim::VirtualBus>(clock);
  if (!options.sim_trace.empty() && !bus->SetTraceFile(options.sim_trace)) {
    error = "cannot write the simulator trace " + options.sim_trace.string();
    return nullptr;
  }
  std::error_code ignored;
  if (!options.sim_state.empty() &&
      !std::filesystem::create_directories(options.sim_state, ignored) &&
      !std::filesystem::is_directory(options.sim_state, ignored)) {
    error = "cannot keep the simulated devices' memory in " + options.sim_state.string();
    return nullptr;
  }
  for (const std::string& tag : *options.simulate) {
    bus->Plug(sim::ProductIdOfTag(tag), {std::nullopt, options.sim_state});
  }
  return bus;
}

ChannelIdentity IdentityOf(std::uint16_t product_id) {
  return {kVendorId, product_id, kVendorUsage, kVendorUsagePage};
}

}  // namespace

std::unique_ptr<DeviceSession> DeviceSession::Open(const Options& options, std::string& error) {
  static SteadyClock clock;
  std::unique_ptr<HidBackend> backend = MakeBackend(options, clock, error);
  if (!backend) return nullptr;
  std::unique_ptr<DeviceSession> session(new DeviceSession(clock, std::move(backend)));
  session->Connect();
  return session;
}

DeviceSession::DeviceSession(Clock& clock, std::unique_ptr<HidBackend> backend)
    : clock_(clock),
      backend_(std::move(backend)),
      window_(std::make_unique<HeadlessWindowLink>()),
      keyboard_(*backend_, clock_),
      mouse_(*backend_, clock_),
      pad_(*backend_, clock_) {
  keyboard_.SetIdentity(IdentityOf(kKeyboardProductId));
  mouse_.SetIdentity(IdentityOf(kMouseProductId));
  pad_.SetIdentity(IdentityOf(kPadProductId));
}

DeviceSession::~DeviceSession() = default;

void DeviceSession::Connect() {
  for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    PresenceMonitor monitor(kind, channels_, *window_, clock_);
    (void)monitor.PollOnce();
  }
}

std::optional<int> DeviceSession::keyboard_model() const { return window_->keyboard_model(); }

}  // namespace vandrel::cli
