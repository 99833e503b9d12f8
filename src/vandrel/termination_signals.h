// TerminationSignals: SIGTERM and SIGINT end the program in order. The handler only writes a byte
// to a pipe; the event loop reads it and runs the callback on the user-interface thread. One
// instance at a time; create and destroy on the user-interface thread.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vandrel {

class TerminationSignals final : public QObject {
  Q_OBJECT

 public:
  // `on_signal` runs on the user-interface thread once the signals that arrived are read.
  explicit TerminationSignals(std::function<void()> on_signal);
  // Restores the default handling of both signals.
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  void Drain();

  const std::function<void()> on_signal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vandrel
