// QtUiThread: the user-interface thread as the Qt event loop of the thread that creates it.
// Posted messages are events posted to this object, so they are handled in the order they were
// posted; a message sent from another thread is posted too, and its sender waits until the
// handler has run. Timers are repeating QTimers, one per timer id, created and changed on the
// user-interface thread; calls from other threads are handed over as queued invocations, in the
// order they were made.
//
// Create and destroy on the user-interface thread (the thread of QCoreApplication); Post, Send,
// StopSending, SetTimer and KillTimer may be called from any thread.
#pragma once

#include <QObject>
#include <memory>
#include <unordered_map>

#include "app/ui_thread.h"

class QTimer;

namespace vandrel {

class QtUiThread final : public QObject, public UiThread {
  Q_OBJECT

 public:
  QtUiThread();
  // Senders still waiting give up (their messages are dropped unhandled).
  ~QtUiThread() override;
  QtUiThread(const QtUiThread&) = delete;
  QtUiThread& operator=(const QtUiThread&) = delete;

  void SetTarget(MessageTarget* target) override;
  void Post(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  // A message whose handling has begun when StopSending is called is handled to its end, but its
  // sender returns false at once instead of waiting for that end.
  bool Send(int message, std::intptr_t wparam, std::intptr_t lparam) override;
  void StopSending() override;
  void SetTimer(int timer_id, Clock::Duration period) override;
  void KillTimer(int timer_id) override;

 protected:
  void customEvent(QEvent* event) override;

 private:
  struct SendChannel;
  class MessageEvent;

  [[nodiscard]] bool OnOwnThread() const;
  void StartTimer(int timer_id, int milliseconds);
  void StopTimer(int timer_id);

  MessageTarget* target_ = nullptr;  // user-interface thread only
  const std::shared_ptr<SendChannel> channel_;
  std::unordered_map<int, QTimer*> timers_;  // user-interface thread only; children of this
};

}  // namespace vandrel
