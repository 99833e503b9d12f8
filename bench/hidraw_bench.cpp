// The command channel on the hidraw backend's connection, whose node is one end of a socket pair
// (it keeps message boundaries as a hidraw node does) and whose other end a small thread answers
// as a device does, echoing each request. The time of one exchange and of one 378-byte keyboard
// frame (7 exchanges); "CPU" is the whole process's, the answering thread included, and
// "channel_us" the benchmark thread's own: the channel, the HID record and the connection, with
// their system calls.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>

#include <thread>
#include <vector>

#include "core/unique_fd.h"
#include "device/device_channel.h"
#include "device/hidraw/hidraw_connection.h"
#include "device/product_ids.h"
#include "sim/descriptors.h"

namespace vandrel {
namespace {

constexpr std::string_view kNodePath = "socket pair";

// One interface, a per-key keyboard's vendor collection alone, whose node is `node`; it can be
// opened once.
class SocketPairBackend final : public HidBackend {
 public:
  explicit SocketPairBackend(UniqueFd node) : node_(std::move(node)) {}

  std::optional<std::vector<HidInterfaceInfo>> Enumerate() override {
    return std::vector<HidInterfaceInfo>{
        {std::string(kNodePath), Attributes(), 0, 0, kVendorUsagePage, kVendorUsage, Descriptor()}};
  }
  std::unique_ptr<HidConnection> Open(const std::string&, std::uint32_t,
                                      HidOpenFlags flags) override {
    HidrawReportShape shape{true, {sim::kVendorReportId}, sim::kVendorReportLength};
    return HidrawConnection::Create(std::move(node_), std::string(kNodePath), flags,
                                    {Attributes(), 0, Descriptor()}, std::move(shape));
  }
  bool IsPresent(const std::string&) override { return true; }

 private:
  static HidAttributes Attributes() { return {kVendorId, kPerKeyKeyboardProductId, 0}; }
  static std::vector<std::uint8_t> Descriptor() { return sim::InterfaceDescriptor(false); }

  UniqueFd node_;
};

// The far end of the socket pair: answers every request at once with the request itself, which
// echoes its command, length and offset as a reply must.
class EchoDevice {
 public:
  explicit EchoDevice(UniqueFd end) : end_(std::move(end)), thread_([this] { Answer(); }) {}
  ~EchoDevice() {
    (void)shutdown(end_.get(), SHUT_RDWR);
    thread_.join();
  }
  EchoDevice(const EchoDevice&) = delete;
  EchoDevice& operator=(const EchoDevice&) = delete;

 private:
  void Answer() {
    CommandReport report{};
    for (;;) {
      const ssize_t got = recv(end_.get(), report.data(), report.size(), 0);
      if (got <= 0) return;
      report[kStatusOffset] = 0;
      if (send(end_.get(), report.data(), static_cast<std::size_t>(got), 0) != got) return;
    }
  }

  UniqueFd end_;
  std::thread thread_;  // last: it starts once the socket is there
};

// The keyboard's channel connected to an echoing device over a socket pair.
class EchoedChannel {
 public:
  EchoedChannel() {
    int ends[2] = {-1, -1};
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return;
    (void)fcntl(ends[0], F_SETFL, O_NONBLOCK);
    backend_ = std::make_unique<SocketPairBackend>(UniqueFd(ends[0]));
    device_ = std::make_unique<EchoDevice>(UniqueFd(ends[1]));
    channel_ = std::make_unique<DeviceChannel>(*backend_, clock_);
    channel_->SetIdentity(ChannelIdentityOf(DeviceKind::kKeyboard));
    channel_->device().SetDevicePath(std::string(kNodePath), 0);
    channel_->device().SetOpenFlags({.read = true, .write = true, .exclusive = false});
    if (channel_->device().Open() == 1) channel_->set_connected(true);
  }

  // Null when the socket pair could not be made or opened.
  [[nodiscard]] DeviceChannel* channel() {
    return channel_ && channel_->connected() ? channel_.get() : nullptr;
  }

 private:
  SteadyClock clock_;
  std::unique_ptr<SocketPairBackend> backend_;
  std::unique_ptr<EchoDevice> device_;
  std::unique_ptr<DeviceChannel> channel_;  // first to go: it closes the node the device reads
};

double ThreadCpuMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// How often the calling thread has slept and been woken.
double ThreadWakeups() {
  rusage usage{};
  (void)getrusage(RUSAGE_THREAD, &usage);
  return static_cast<double>(usage.ru_nvcsw);
}

// Runs `step` once per iteration; the benchmark thread's CPU time per iteration is "channel_us",
// and "wakeups" how often it slept for an answer and was woken, which costs it several µs each on
// some machines.
template <typename Step>
void MeasureChannel(benchmark::State& state, Step step) {
  EchoedChannel link;
  DeviceChannel* channel = link.channel();
  if (channel == nullptr) {
    state.SkipWithError("no socket pair");
    return;
  }
  const double wakeups_before = ThreadWakeups();
  const double before = ThreadCpuMicroseconds();
  for (auto _ : state) {
    if (step(*channel) != kChannelSuccess) state.SkipWithError("no reply");
  }
  state.counters["channel_us"] =
      benchmark::Counter(ThreadCpuMicroseconds() - before, benchmark::Counter::kAvgIterations);
  state.counters["wakeups"] =
      benchmark::Counter(ThreadWakeups() - wakeups_before, benchmark::Counter::kAvgIterations);
}

void BM_HidrawExchange(benchmark::State& state) {
  const CommandReport request = BuildRequest(Command::kReadBlock, 1);
  CommandReport reply{};
  MeasureChannel(state,
                 [&](DeviceChannel& channel) { return channel.Exchange(request, reply, nullptr); });
}
BENCHMARK(BM_HidrawExchange)->MeasureProcessCPUTime()->UseRealTime();

// Each frame differs from the one before: the channel does not send again a frame the keyboard
// shows already.
void BM_HidrawKeyboardFrame(benchmark::State& state) {
  std::vector<std::uint8_t> frame(378, 0x30);
  MeasureChannel(state, [&](DeviceChannel& channel) {
    ++frame.back();
    return channel.SendLightingFrame(frame);
  });
}
BENCHMARK(BM_HidrawKeyboardFrame)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vandrel
