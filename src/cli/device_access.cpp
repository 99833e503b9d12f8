#include "cli/device_access.h"

#include <atomic>

#include "cli/device_names.h"

namespace vandrel::cli {

// A command-line change of the mouse leaves the desktop's pointer settings alone: the values are
// kept, as a desktop without such settings would.
class DeviceAccess::KeptPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int speed) override {
    speed_.store(speed);
    return true;
  }
  bool SetWheelLines(int lines) override {
    lines_.store(lines);
    return true;
  }
  std::optional<int> PointerSpeed() override { return speed_.load(); }
  std::optional<int> WheelLines() override { return lines_.load(); }

 private:
  std::atomic<int> speed_{10};
  std::atomic<int> lines_{3};
};

namespace {

std::string Unanswered(DeviceKind kind, int result) {
  return "the " + std::string(DeviceWord(kind)) +
         (result == kChannelRefused || result == kChannelRefusedBadFrame
              ? " refused a command (result " + std::to_string(result) + ")"
              : " does not answer");
}

}  // namespace

DeviceAccess::DeviceAccess(DeviceSession& session)
    : session_(session),
      pointer_(std::make_unique<KeptPointerSettings>()),
      mouse_(session.channel(DeviceKind::kMouse), mouse_state_, *pointer_, profiles_,
             [] { return true; }),
      keyboard_(session.channel(DeviceKind::kKeyboard), keyboard_state_, profiles_,
                [](std::string_view) {}),
      pad_(session.channel(DeviceKind::kPad), pad_state_, profiles_) {}

DeviceAccess::~DeviceAccess() = default;

int DeviceAccess::keyboard_model() const { return session_.keyboard_model().value_or(3); }

bool DeviceAccess::Read(DeviceKind kind, std::string& error) {
  DeviceChannel& channel = session_.channel(kind);
  if (!channel.connected()) {
    error = session_.OpenProblem(kind).value_or("no " + std::string(DeviceWord(kind)) +
                                                " is connected");
    return false;
  }
  (void)channel.TakeFailure();
  bool complete = true;
  switch (kind) {
    case DeviceKind::kMouse:
      mouse_.ReadAll();
      break;
    case DeviceKind::kKeyboard:
      // The window takes the keyboard's lighting from the profile it selects; here the keyboard's
      // own lighting record is what there is.
      complete = keyboard_.ReadAll();
      if (complete) keyboard_.RereadLighting();
      break;
    case DeviceKind::kPad:
      pad_.ReadAll();
      break;
  }
  const int failure = channel.TakeFailure();
  if (failure != kChannelSuccess) {
    error = Unanswered(kind, failure);
    return false;
  }
  if (!complete) error = "the keyboard reports more keys than its key tables hold";
  return complete;
}

bool DeviceAccess::ApplyPending(DeviceKind kind, std::string& error) {
  switch (kind) {
    case DeviceKind::kMouse:
      mouse_.ApplyLive();
      break;
    case DeviceKind::kKeyboard:
      keyboard_.ApplyLighting();
      break;
    case DeviceKind::kPad:
      pad_.ApplyLive();
      break;
  }
  const int failure = session_.channel(kind).TakeFailure();
  if (failure == kChannelSuccess) return true;
  error = Unanswered(kind, failure);
  return false;
}

}  // namespace vandrel::cli
