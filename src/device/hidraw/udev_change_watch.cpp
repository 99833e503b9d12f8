#include "device/hidraw/udev_change_watch.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "core/thread_name.h"

namespace vandrel {
namespace {

// Where events come from: the daemon's, after its rules ran, when it runs; else the kernel's.
udev_monitor* NewMonitor(udev* context) {
  udev_queue* queue = udev_queue_new(context);
  const bool daemon = queue != nullptr && udev_queue_get_udev_is_active(queue) != 0;
  if (queue != nullptr) udev_queue_unref(queue);
  return udev_monitor_new_from_netlink(context, daemon ? "udev" : "kernel");
}

// Once udev's socket has failed, the listeners are told to look every this often, as they would
// without a watch.
constexpr int kFallbackLookMs = 1000;

}  // namespace

std::unique_ptr<UdevChangeWatch> UdevChangeWatch::Start() {
  udev* context = udev_new();
  if (context == nullptr) return nullptr;
  udev_monitor* monitor = NewMonitor(context);
  UniqueFd stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (monitor == nullptr || !stop.valid() ||
      udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor) < 0) {
    if (monitor != nullptr) udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  std::unique_ptr<UdevChangeWatch> watch(new UdevChangeWatch(context, monitor, std::move(stop)));
  watch->thread_ = std::thread([raw = watch.get()] { raw->Run(); });
  return watch;
}

UdevChangeWatch::UdevChangeWatch(udev* context, udev_monitor* monitor, UniqueFd stop)
    : context_(context), monitor_(monitor), stop_(std::move(stop)) {}

UdevChangeWatch::~UdevChangeWatch() {
  // One write cannot fill an eventfd's counter, so it does not fail.
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(stop_.get(), &one, sizeof one);
  if (thread_.joinable()) thread_.join();
  udev_monitor_unref(monitor_);
  udev_unref(context_);
}

void UdevChangeWatch::Run() {
  NameThisThread("udev-watch");
  pollfd fds[2] = {{stop_.get(), POLLIN, 0}, {udev_monitor_get_fd(monitor_), POLLIN, 0}};
  nfds_t count = 2;  // 1 once udev's socket has failed
  for (;;) {
    const int ready = poll(fds, count, count == 2 ? -1 : kFallbackLookMs);
    if (ready < 0 && errno == EINTR) continue;
    if (fds[0].revents != 0) return;
    if (ready < 0 || (count == 2 && (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)) {
      count = 1;
    } else if (count == 2) {
      Drain();
    }
    changes_.Notify();
  }
}

// Events that were lost (the socket's buffer overflowed) end the drain like an empty socket: the
// listeners look at the nodes themselves anyway.
void UdevChangeWatch::Drain() {
  while (udev_device* device = udev_monitor_receive_device(monitor_)) udev_device_unref(device);
}

}  // namespace vandrel
