// ProgramSignals: SIGTERM and SIGINT end the program in order; SIGUSR1, when asked for, has the
// program report its statistics. The handler only writes the signal's number to a pipe; the event
// loop reads it and runs the callback on the user-interface thread. One instance at a time;
// create and destroy on the user-interface thread.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vandrel {

class ProgramSignals final : public QObject {
  Q_OBJECT

 public:
  // `on_terminate` runs on the user-interface thread once SIGTERM or SIGINT are read; so does
  // `on_report` for SIGUSR1, which is left alone when `on_report` is empty.
  explicit ProgramSignals(std::function<void()> on_terminate, std::function<void()> on_report = {});
  // Restores the default handling of the signals.
  ~ProgramSignals() override;
  ProgramSignals(const ProgramSignals&) = delete;
  ProgramSignals& operator=(const ProgramSignals&) = delete;

 private:
  void Drain();

  const std::function<void()> on_terminate_;
  const std::function<void()> on_report_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vandrel
