#include "profile/profile_watcher.h"

#include <array>

#include "core/trace.h"
#include "profile/profile_links.h"

namespace vandrel {
namespace {

constexpr std::array<WatchedRowTraits, 5> kRows = {{
    {WatchedRow::kKeyboardDevice, DeviceKind::kKeyboard, ProfileKind::kDevice,
     WorkerSlot::kKeyboardDeviceWatcher, "键盘灯光进程侦测线程设定退出"},
    {WatchedRow::kKeyboardKey, DeviceKind::kKeyboard, ProfileKind::kKey,
     WorkerSlot::kKeyboardKeyWatcher, "键盘按键进程侦测线程设定退出"},
    {WatchedRow::kMouseDevice, DeviceKind::kMouse, ProfileKind::kDevice,
     WorkerSlot::kMouseDeviceWatcher, "鼠标灯光进程侦测线程设定退出"},
    {WatchedRow::kMouseKey, DeviceKind::kMouse, ProfileKind::kKey, WorkerSlot::kMouseKeyWatcher,
     "鼠标按键进程线程设定退出"},
    {WatchedRow::kPadLight, DeviceKind::kPad, ProfileKind::kLight, WorkerSlot::kPadLightWatcher,
     "鼠标垫灯光进程侦测线程设定退出"},
}};

// A source that reports its changes is not asked again until it does.
constexpr Clock::Duration kNoEnd = Clock::Duration::max();

}  // namespace

std::span<const WatchedRowTraits> WatchedRows() { return kRows; }

const WatchedRowTraits& TraitsOf(WatchedRow row) { return kRows[static_cast<std::size_t>(row)]; }

std::optional<WatchedRow> WatchedRowOf(DeviceKind device, ProfileKind kind) {
  for (const WatchedRowTraits& traits : kRows) {
    if (traits.device == device && traits.kind == kind) return traits.row;
  }
  return std::nullopt;
}

ProfileWatcher::ProfileWatcher(WatchedRow row, const ProfileCatalogue& catalogue,
                               ForegroundProgram& source, Clock& clock, UiThread& ui)
    : traits_(TraitsOf(row)), catalogue_(catalogue), source_(source), clock_(clock), ui_(ui) {}

void ProfileWatcher::Run(Event& stop) {
  ForegroundWake wake(source_, stop);
  {
    std::lock_guard lock(mutex_);
    wake_ = &wake;
  }
  const Clock::Duration interval = source_.ReportsChanges() ? kNoEnd : kPollInterval;
  // The user's choice is in use when the watcher starts.
  std::optional<std::size_t> in_use;
  while (!stop.IsSet()) {
    const std::optional<std::size_t> target = Target();
    if (target != in_use) {
      in_use = target;
      ui_.Post(kMessageLinkedProfile, static_cast<std::intptr_t>(traits_.row),
               target ? static_cast<std::intptr_t>(*target) : kBackToChoice);
    }
    (void)wake.Wait(clock_, interval);
  }
  {
    std::lock_guard lock(mutex_);
    wake_ = nullptr;
  }
  Trace(traits_.exit_line);
}

void ProfileWatcher::Recheck() {
  std::lock_guard lock(mutex_);
  if (wake_ != nullptr) wake_->Poke();
}

std::optional<std::size_t> ProfileWatcher::Target() {
  const std::optional<std::string> program = source_.Current();
  if (!program) return std::nullopt;
  return LinkedProfileOf(ReadLinks(catalogue_, traits_.kind), *program);
}

}  // namespace vandrel
