// ProfileWatcher: the thread body of one watched profile row. It follows the foreground program
// and, when a program linked to one of the row's profiles comes to the foreground, asks the
// user-interface thread to use that profile; when it leaves, to go back to the user's choice. The
// stored selection is never written here: the request is posted (kMessageLinkedProfile) and
// carried out by the user-interface thread, so it never overlaps other work on the device.
//
// The watcher looks again whenever the foreground source reports a change, when Recheck is
// called (the row's links changed), and every kPollInterval with a source that reports nothing,
// so a switch comes within about that time. It asks only when the target changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>

#include "app/ui_thread.h"
#include "app/window_messages.h"
#include "app/worker_threads.h"
#include "platform/foreground_program.h"
#include "profile/profile_catalogue.h"

namespace vandrel {

// kMessageLinkedProfile's lparam when the row goes back to the user's choice.
inline constexpr std::intptr_t kBackToChoice = -1;

// The rows that follow the foreground program (the mouse's and the keyboard's light rows keep
// links but are never switched).
enum class WatchedRow { kKeyboardDevice, kKeyboardKey, kMouseDevice, kMouseKey, kPadLight };

struct WatchedRowTraits {
  WatchedRow row;
  DeviceKind device;
  ProfileKind kind;
  WorkerSlot slot;
  std::string_view exit_line;  // traced when the watcher ends
};
[[nodiscard]] std::span<const WatchedRowTraits> WatchedRows();
[[nodiscard]] const WatchedRowTraits& TraitsOf(WatchedRow row);
// The watched row of (device, kind), if that row is watched.
[[nodiscard]] std::optional<WatchedRow> WatchedRowOf(DeviceKind device, ProfileKind kind);

class ProfileWatcher {
 public:
  static constexpr Clock::Duration kPollInterval = std::chrono::seconds(2);

  // Everything given must outlive the watcher.
  ProfileWatcher(WatchedRow row, const ProfileCatalogue& catalogue, ForegroundProgram& source,
                 Clock& clock, UiThread& ui);

  // The thread body: runs until `stop` is set, and ends at once then.
  void Run(Event& stop);
  // The row's links changed: the running watcher looks again now. Any thread.
  void Recheck();

 private:
  // The profile the row should use now: the one linked to the foreground program, if any.
  [[nodiscard]] std::optional<std::size_t> Target();

  const WatchedRowTraits& traits_;
  const ProfileCatalogue& catalogue_;
  ForegroundProgram& source_;
  Clock& clock_;
  UiThread& ui_;
  std::mutex mutex_;  // guards wake_
  ForegroundWake* wake_ = nullptr;
};

}  // namespace vandrel
