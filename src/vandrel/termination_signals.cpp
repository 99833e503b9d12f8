#include "vandrel/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace vandrel {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGINT};

// Written by the signal handler, read on the user-interface thread; -1 while none is set up.
volatile std::sig_atomic_t signal_pipe_write = -1;
int signal_pipe_read = -1;

extern "C" void OnTerminationSignal(int) {
  const int saved_errno = errno;
  const char byte = 1;
  // A full pipe already holds a pending wake-up, so a failed write loses nothing.
  (void)!::write(signal_pipe_write, &byte, 1);
  errno = saved_errno;
}

void SetHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> on_signal)
    : on_signal_(std::move(on_signal)) {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
  signal_pipe_read = fds[0];
  signal_pipe_write = fds[1];
  notifier_ = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::Drain);
  SetHandler(OnTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
  if (signal_pipe_read < 0) return;
  SetHandler(SIG_DFL);
  notifier_.reset();
  ::close(signal_pipe_read);
  ::close(signal_pipe_write);
  signal_pipe_read = -1;
  signal_pipe_write = -1;
}

void TerminationSignals::Drain() {
  std::array<char, 16> bytes{};
  bool any = false;
  while (::read(signal_pipe_read, bytes.data(), bytes.size()) > 0) any = true;
  if (any) on_signal_();
}

}  // namespace vandrel
