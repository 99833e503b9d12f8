#include "soak/soak_session.h"

#include <algorithm>
#include <filesystem>

#include "app/window_messages.h"

namespace vandrel::soak {
namespace {

using std::chrono::milliseconds;

// The threads of this process now.
int CountThreads() {
  std::error_code error;
  const auto tasks = std::filesystem::directory_iterator("/proc/self/task", error);
  if (error) return 0;
  return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

}  // namespace

// The worker slots with a body, each of which the hub's start gives a thread.
int SoakSession::StartedWorkers() {
  int started = 0;
  for (int slot = 0; slot < kWorkerCount; ++slot) {
    started += hub_->threads().HasBody(static_cast<WorkerSlot>(slot)) ? 1 : 0;
  }
  return started;
}

// The desktop's pointer settings are left alone: the values are only kept.
class SoakSession::KeptPointerSettings final : public PointerSettings {
 public:
  bool SetPointerSpeed(int speed) override {
    speed_ = speed;
    return true;
  }
  bool SetWheelLines(int lines) override {
    lines_ = lines;
    return true;
  }
  std::optional<int> PointerSpeed() override { return speed_; }
  std::optional<int> WheelLines() override { return lines_; }

 private:
  std::optional<int> speed_;
  std::optional<int> lines_;
};

SoakSession::SoakSession(const SessionServices& services, std::uint32_t seed)
    : clock_(services.clock),
      random_(seed),
      window_(BuildWindow(services.skin, "XML_MAIN", std::make_shared<TextResources>())),
      ui_(std::make_unique<SoakUiLoop>(services.clock, *window_)),
      pointer_settings_(std::make_unique<KeptPointerSettings>()) {
  hub_ = std::make_unique<CMainWnd>(
      MainWindowServices{*window_, services.skin, *ui_, host_, dialogs_, services.clock,
                         services.bus, services.folders, services.settings, skin_observer_});
  same_mode_ = std::make_unique<SameMode>(hub_->channels());
  mouse_ = std::make_unique<MouseComponents>(*hub_, *window_, dialogs_, *pointer_settings_,
                                             profiles_, *same_mode_);
  keyboard_ =
      std::make_unique<KeyboardComponents>(*hub_, *window_, dialogs_, profiles_, *same_mode_);
  pad_ = std::make_unique<PadComponents>(*hub_, *window_, profiles_, *same_mode_);
  MakeLightingThreads();
  edits_ = std::make_unique<PageEdits>(*window_, seed);
}

SoakSession::~SoakSession() {
  lighting_.reset();
  pad_.reset();
  keyboard_.reset();
  mouse_.reset();
  hub_.reset();
}

// As the desktop program does: the threads render from the devices' published lighting and send
// through the devices; the mouse's thread keeps the hub's mouse lighting timer running.
void SoakSession::MakeLightingThreads() {
  static constexpr Clock::Duration kMouseLightingTimer = milliseconds(500);
  KeyboardDevice& keyboard = keyboard_->device();
  PadDevice& pad = pad_->device();
  lighting_ = std::make_unique<LightingThreads>(LightingThreadInputs{
      clock_, hub_->channels(), [this] { return hub_->keyboard_model(); }, keyboard_->state(),
      mouse_->state().shared_lighting, pad_->animation(), same_mode_->Common(),
      [&keyboard](std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image) {
        return keyboard.SendFrame(model, mode, image) == kChannelSuccess;
      },
      [&pad](const PadFrame& frame) { return pad.SendFrame(frame) == kChannelSuccess; },
      [this] { hub_->link().SetTimer(kTimerMouseLighting, kMouseLightingTimer); },
      [this] { return hub_->TakePadFlashRequest(); }, &hub_->PadFlashRequests()});
  lighting_->AttachTo(hub_->threads());
}

SessionOutcome SoakSession::Run(Clock::Duration length, const std::function<void()>& heartbeat) {
  hub_->InitWindow();
  host_.Show();
  window_->RaiseWindowInit();
  const Clock::Duration end = clock_.Now() + length;
  while (clock_.Now() < end) {
    ui_->RunUntil(
        std::min(end, clock_.Now() + milliseconds(std::uniform_int_distribution(5, 60)(random_))));
    heartbeat();
    EditOnce();
  }
  return Destroy();
}

// Mostly an edit of a page; now and then another language, which re-texts the whole window.
void SoakSession::EditOnce() {
  const Clock::Duration start = clock_.Now();
  if (std::uniform_int_distribution(0, 499)(random_) == 0) {
    hub_->SetLanguage(std::uniform_int_distribution(0, 2)(random_));
    longest_edit_.Note(clock_.Now() - start, [] { return std::string("a language switch"); });
    return;
  }
  if (const Control* edited = edits_->EditOnce()) {
    longest_edit_.Note(clock_.Now() - start, [&] { return "an edit of " + edited->Name(); });
  }
}

// Ends as the program ends: the destroy message stops the worker threads, waiting at most their
// bound.
SessionOutcome SoakSession::Destroy() {
  SessionOutcome outcome;
  outcome.edits = edits_->edits();
  outcome.longest_busy = ui_->longest_busy();
  outcome.longest_busy.Note(longest_edit_.time, [this] { return longest_edit_.what; });
  const int other_threads = CountThreads() - StartedWorkers();
  const Clock::Duration start = clock_.Now();
  ui_->Post(kMessageDestroy, 0, 0);
  ui_->RunUntil(start);
  outcome.stop_time = clock_.Now() - start;
  outcome.threads_abandoned = hub_->threads_abandoned();
  if (outcome.threads_abandoned) {
    outcome.threads_left = std::max(0, CountThreads() - other_threads);
  }
  return outcome;
}

}  // namespace vandrel::soak
