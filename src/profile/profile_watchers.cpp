#include "profile/profile_watchers.h"

namespace vandrel {

ProfileWatchers::ProfileWatchers(const CatalogueOf& catalogues, ForegroundProgram& source,
                                 Clock& clock, UiThread& ui) {
  for (const WatchedRowTraits& traits : WatchedRows()) {
    watchers_[static_cast<std::size_t>(traits.row)] =
        std::make_unique<ProfileWatcher>(traits.row, catalogues(traits.device), source, clock, ui);
  }
}

void ProfileWatchers::AttachTo(WorkerThreads& threads) {
  for (const WatchedRowTraits& traits : WatchedRows()) {
    ProfileWatcher& watcher = *watchers_[static_cast<std::size_t>(traits.row)];
    threads.SetBody(traits.slot, [&watcher](Event& stop) { watcher.Run(stop); });
  }
}

void ProfileWatchers::Recheck(DeviceKind device, ProfileKind kind) {
  if (const std::optional<WatchedRow> row = WatchedRowOf(device, kind)) {
    watchers_[static_cast<std::size_t>(*row)]->Recheck();
  }
}

void CarryLinkedProfile(ProfilePage& page, std::intptr_t row, std::intptr_t number,
                        bool keyboard_connected) {
  if (row < 0 || static_cast<std::size_t>(row) >= WatchedRows().size()) return;
  const WatchedRowTraits& traits = WatchedRows()[static_cast<std::size_t>(row)];
  if (number == kBackToChoice) {
    const bool load = traits.row != WatchedRow::kKeyboardDevice || keyboard_connected;
    return page.UseProfile(traits.device, traits.kind, std::nullopt, load);
  }
  if (number < 0) return;
  page.UseProfile(traits.device, traits.kind, static_cast<std::size_t>(number), true);
}

}  // namespace vandrel
