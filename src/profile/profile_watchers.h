// ProfileWatchers: the five watchers of the watched profile rows as the program runs them — each
// on its worker slot, all on one foreground-program source — and the user-interface side of their
// requests: message kMessageLinkedProfile carried out on the profile page.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/worker_threads.h"
#include "profile/profile_page.h"
#include "profile/profile_watcher.h"

namespace vandrel {

class ProfileWatchers {
 public:
  using CatalogueOf = std::function<const ProfileCatalogue&(DeviceKind device)>;

  // Everything given must outlive this; the watchers' threads must have ended before it goes.
  ProfileWatchers(const CatalogueOf& catalogues, ForegroundProgram& source, Clock& clock,
                  UiThread& ui);

  // Gives each watcher's slot its body.
  void AttachTo(WorkerThreads& threads);
  // The watchers of (device, kind) look again (its links changed). Any thread.
  void Recheck(DeviceKind device, ProfileKind kind);

 private:
  std::array<std::unique_ptr<ProfileWatcher>, 5> watchers_;
};

// Carries out a watcher's request (kMessageLinkedProfile's wparam and lparam) on `page`: the
// linked profile, or the user's choice again. The keyboard's device row goes back to the user's
// choice on the keyboard only while `keyboard_connected` says so; otherwise it only shows it, and
// the keyboard gets it when it is attached again. Requests that name no watched row or no listed
// profile are ignored. User-interface thread.
void CarryLinkedProfile(ProfilePage& page, std::intptr_t row, std::intptr_t number,
                        bool keyboard_connected);

}  // namespace vandrel
