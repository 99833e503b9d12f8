// UdevChangeWatch: hears from udev when a hidraw node arrives or goes and notifies a ChangeSignal,
// so that the presence monitors and listeners wait for that instead of listing the nodes every
// second. A thread of its own sleeps in poll() on udev's socket and wakes only for an event. With
// the udev daemon running it takes udev's events, sent once the rules have given the node its
// owner and permissions; without one (a container) it takes the kernel's own. Should the socket
// fail, it notifies once a second instead, the pace at which the listeners would look anyway.
#pragma once

#include <memory>
#include <thread>

#include "core/change_signal.h"
#include "core/unique_fd.h"

struct udev;
struct udev_monitor;

namespace vandrel {

class UdevChangeWatch {
 public:
  // Starts the watch; nullptr when udev's events cannot be received here.
  [[nodiscard]] static std::unique_ptr<UdevChangeWatch> Start();
  // Ends the thread.
  ~UdevChangeWatch();
  UdevChangeWatch(const UdevChangeWatch&) = delete;
  UdevChangeWatch& operator=(const UdevChangeWatch&) = delete;

  // Notified after every event about a hidraw node. Any thread.
  [[nodiscard]] ChangeSignal& changes() { return changes_; }

 private:
  UdevChangeWatch(udev* context, udev_monitor* monitor, UniqueFd stop);
  void Run();
  // Takes every event waiting on the socket.
  void Drain();

  udev* const context_;
  udev_monitor* const monitor_;
  const UniqueFd stop_;  // an eventfd: written to end the thread
  ChangeSignal changes_;
  std::thread thread_;
};

}  // namespace vandrel
