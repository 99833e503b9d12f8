#include "cli/device_session.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/exit_status.h"
#include "device/device_match.h"
#include "device/hidraw/hidraw_access.h"
#include "device/hidraw/hidraw_backend.h"
#include "device/hidraw/udev_node_source.h"
#include "device/product_ids.h"
#include "sim/device_tags.h"
#include "sim/virtual_bus.h"

namespace vandrel::cli {
namespace {

using namespace std::chrono_literals;

// Another run holds the simulator's memory only for the few exchanges of one command.
constexpr Clock::Duration kStateLockPatience = 20s;

}  // namespace

std::unique_ptr<HidBackend> MakeBackend(const Options& options, Clock& clock, std::string& error) {
  if (!options.simulate) return std::make_unique<HidrawBackend>(std::make_unique<UdevNodeSource>());
  auto bus = std::make_unique<sim::VirtualBus>(clock);
  bus->SetNoticeSink([](const sim::SimNotice& notice) {
    if (notice.failure) {
      NoteLateFailure(notice.text);
    } else {
      std::fprintf(stderr, "vandrelctl: %s\n", notice.text.c_str());
    }
  });
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
  if (!options.sim_state.empty() &&
      !bus->LockStateFolder(options.sim_state, kStateLockPatience, error)) {
    return nullptr;
  }
  for (const std::string& tag : *options.simulate) {
    bus->Plug(sim::ProductIdOfTag(tag), {std::nullopt, options.sim_state});
  }
  return bus;
}

std::optional<std::string> OpenProblem(HidBackend& backend, const HidInterfaceInfo& info,
                                       bool simulated) {
  if (backend.Open(info.path, info.collection_number, {.read = true, .write = true})) {
    return std::nullopt;
  }
  // Only a real node has permissions to blame; anything else is just reported.
  const std::optional<std::string> access = simulated ? std::nullopt : NodeAccessProblem(info.path);
  return access.value_or("cannot open " + info.path);
}

std::unique_ptr<DeviceSession> DeviceSession::Open(const Options& options, std::string& error) {
  static SteadyClock clock;
  std::unique_ptr<HidBackend> backend = MakeBackend(options, clock, error);
  if (!backend) return nullptr;
  std::unique_ptr<DeviceSession> session(
      new DeviceSession(clock, std::move(backend), options.simulate.has_value()));
  session->Connect();
  return session;
}

DeviceSession::DeviceSession(Clock& clock, std::unique_ptr<HidBackend> backend, bool simulated)
    : clock_(clock),
      backend_(std::move(backend)),
      simulated_(simulated),
      window_(std::make_unique<HeadlessWindowLink>()),
      keyboard_(*backend_, clock_),
      mouse_(*backend_, clock_),
      pad_(*backend_, clock_) {
  keyboard_.SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
  mouse_.SetIdentity(ChannelIdentityOf(DeviceKind::kMouse));
  pad_.SetIdentity(ChannelIdentityOf(DeviceKind::kPad));
}

DeviceSession::~DeviceSession() = default;

void DeviceSession::Connect() {
  for (const DeviceKind kind : {DeviceKind::kKeyboard, DeviceKind::kMouse, DeviceKind::kPad}) {
    PresenceMonitor monitor(kind, channels_, *window_, clock_);
    (void)monitor.PollOnce();
  }
}

std::optional<int> DeviceSession::keyboard_model() const { return window_->keyboard_model(); }

std::optional<std::string> DeviceSession::OpenProblem(DeviceKind kind) {
  if (channel(kind).connected()) return std::nullopt;
  const std::optional<std::vector<HidInterfaceInfo>> interfaces = backend_->Enumerate();
  if (!interfaces) return std::nullopt;
  for (const HidInterfaceInfo& info : *interfaces) {
    if (DeviceKindUsing(info) != kind) continue;
    if (std::optional<std::string> problem = cli::OpenProblem(*backend_, info, simulated_)) {
      return problem;
    }
  }
  return std::nullopt;
}

}  // namespace vandrel::cli
