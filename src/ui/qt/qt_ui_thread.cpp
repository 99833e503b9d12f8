#include "ui/qt/qt_ui_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <condition_variable>
#include <limits>
#include <mutex>

#include "ui/qt/post_lock.h"

namespace vandrel {
namespace {

QEvent::Type MessageEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

// The way of one sent message; the sender gives up by marking it, the user-interface thread
// skips a message given up.
enum class SendState { kQueued, kRunning, kHandled, kDropped, kGivenUp };

int TimerMilliseconds(Clock::Duration period) {
  const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(period).count();
  // A zero period would make the timer fire on every pass of the event loop.
  return static_cast<int>(
      std::clamp<std::int64_t>(milliseconds, 1, std::numeric_limits<int>::max()));
}

}  // namespace

struct QtUiThread::SendChannel {
  std::mutex mutex;  // guards `stopping` and the state of every sent message
  std::condition_variable changed;
  bool stopping = false;
};

// One message on its way to the target. A sent message carries its sender's state; when the
// event is destroyed without having been handled (the queue is discarded), the sender is told.
class QtUiThread::MessageEvent final : public QEvent {
 public:
  MessageEvent(int message, std::intptr_t wparam, std::intptr_t lparam,
               std::shared_ptr<SendChannel> channel = nullptr,
               std::shared_ptr<SendState> send_state = nullptr)
      : QEvent(MessageEventType()),
        message_(message),
        wparam_(wparam),
        lparam_(lparam),
        channel_(std::move(channel)),
        send_state_(std::move(send_state)) {}

  ~MessageEvent() override {
    SeePostedData();
    if (!send_state_) return;
    const std::lock_guard lock(channel_->mutex);
    if (*send_state_ == SendState::kQueued) *send_state_ = SendState::kDropped;
    channel_->changed.notify_all();
  }
  MessageEvent(const MessageEvent&) = delete;
  MessageEvent& operator=(const MessageEvent&) = delete;

  void Deliver(MessageTarget* target) {
    if (send_state_ && !Begin()) return;
    if (target != nullptr) target->HandleMessage(message_, wparam_, lparam_);
    if (send_state_) Finish();
  }

 private:
  // False when the sender gave up, or sending stopped, before the message was reached.
  bool Begin() {
    const std::lock_guard lock(channel_->mutex);
    if (*send_state_ != SendState::kQueued || channel_->stopping) return false;
    *send_state_ = SendState::kRunning;
    return true;
  }
  void Finish() {
    const std::lock_guard lock(channel_->mutex);
    if (*send_state_ == SendState::kRunning) *send_state_ = SendState::kHandled;
    channel_->changed.notify_all();
  }

  const int message_;
  const std::intptr_t wparam_;
  const std::intptr_t lparam_;
  const std::shared_ptr<SendChannel> channel_;
  const std::shared_ptr<SendState> send_state_;
};

QtUiThread::QtUiThread() : channel_(std::make_shared<SendChannel>()) {}

// QObject's destructor discards the queued messages, which tells their senders.
QtUiThread::~QtUiThread() = default;

void QtUiThread::SetTarget(MessageTarget* target) { target_ = target; }

void QtUiThread::Post(int message, std::intptr_t wparam, std::intptr_t lparam) {
  const std::lock_guard lock(QtPostLock());
  QCoreApplication::postEvent(this, new MessageEvent(message, wparam, lparam));
}

bool QtUiThread::Send(int message, std::intptr_t wparam, std::intptr_t lparam) {
  if (OnOwnThread()) {
    if (target_ != nullptr) target_->HandleMessage(message, wparam, lparam);
    return target_ != nullptr;
  }
  {
    const std::lock_guard lock(channel_->mutex);
    if (channel_->stopping) return false;
  }
  auto state = std::make_shared<SendState>(SendState::kQueued);
  {
    const std::lock_guard lock(QtPostLock());
    QCoreApplication::postEvent(this, new MessageEvent(message, wparam, lparam, channel_, state));
  }
  std::unique_lock lock(channel_->mutex);
  channel_->changed.wait(lock, [&] {
    return *state == SendState::kHandled || *state == SendState::kDropped || channel_->stopping;
  });
  if (*state == SendState::kHandled) return true;
  *state = SendState::kGivenUp;
  return false;
}

void QtUiThread::StopSending() {
  const std::lock_guard lock(channel_->mutex);
  channel_->stopping = true;
  channel_->changed.notify_all();
}

void QtUiThread::SetTimer(int timer_id, Clock::Duration period) {
  const int milliseconds = TimerMilliseconds(period);
  if (OnOwnThread()) return StartTimer(timer_id, milliseconds);
  PostCall(this, [this, timer_id, milliseconds] { StartTimer(timer_id, milliseconds); });
}

void QtUiThread::KillTimer(int timer_id) {
  if (OnOwnThread()) return StopTimer(timer_id);
  PostCall(this, [this, timer_id] { StopTimer(timer_id); });
}

void QtUiThread::customEvent(QEvent* event) {
  if (event->type() != MessageEventType()) return QObject::customEvent(event);
  SeePostedData();
  static_cast<MessageEvent*>(event)->Deliver(target_);
}

bool QtUiThread::OnOwnThread() const { return QThread::currentThread() == thread(); }

void QtUiThread::StartTimer(int timer_id, int milliseconds) {
  QTimer*& timer = timers_[timer_id];
  if (timer == nullptr) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, timer_id] {
      if (target_ != nullptr) target_->HandleTimer(timer_id);
    });
  }
  timer->start(milliseconds);
}

void QtUiThread::StopTimer(int timer_id) {
  const auto found = timers_.find(timer_id);
  if (found != timers_.end()) found->second->stop();
}

}  // namespace vandrel
