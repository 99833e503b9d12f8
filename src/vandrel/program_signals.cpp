#include "vandrel/program_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace vandrel {
namespace {

constexpr std::array kTerminationSignals = {SIGTERM, SIGINT};

// Written by the signal handler, read on the user-interface thread; -1 while none is set up.
volatile std::sig_atomic_t signal_pipe_write = -1;
int signal_pipe_read = -1;

extern "C" void OnProgramSignal(int signal_number) {
  const int saved_errno = errno;
  const auto byte = static_cast<char>(signal_number);
  // A full pipe already holds pending signals; a report asked for then is lost, nothing else.
  (void)!::write(signal_pipe_write, &byte, 1);
  errno = saved_errno;
}

void SetHandler(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal_number, &action, nullptr);
}

}  // namespace

ProgramSignals::ProgramSignals(std::function<void()> on_terminate, std::function<void()> on_report)
    : on_terminate_(std::move(on_terminate)), on_report_(std::move(on_report)) {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
  signal_pipe_read = fds[0];
  signal_pipe_write = fds[1];
  notifier_ = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &ProgramSignals::Drain);
  for (const int signal_number : kTerminationSignals) SetHandler(signal_number, OnProgramSignal);
  if (on_report_) SetHandler(SIGUSR1, OnProgramSignal);
}

ProgramSignals::~ProgramSignals() {
  if (signal_pipe_read < 0) return;
  for (const int signal_number : kTerminationSignals) SetHandler(signal_number, SIG_DFL);
  if (on_report_) SetHandler(SIGUSR1, SIG_DFL);
  notifier_.reset();
  ::close(signal_pipe_read);
  ::close(signal_pipe_write);
  signal_pipe_read = -1;
  signal_pipe_write = -1;
}

void ProgramSignals::Drain() {
  std::array<char, 16> bytes{};
  bool terminate = false;
  for (ssize_t count; (count = ::read(signal_pipe_read, bytes.data(), bytes.size())) > 0;) {
    for (ssize_t i = 0; i < count; ++i) {
      if (bytes[static_cast<std::size_t>(i)] == SIGUSR1) {
        if (on_report_) on_report_();
      } else {
        terminate = true;
      }
    }
  }
  if (terminate) on_terminate_();
}

}  // namespace vandrel
