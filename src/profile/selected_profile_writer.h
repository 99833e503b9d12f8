// SelectedProfileWriter: the ProfileSaver that keeps each device's selected profile files equal
// to the device's state. Edits come in bursts (a slider drag asks for a rewrite at every step) and
// every write is an atomic replace with a flush to disk, so rewrites are gathered: a request marks
// the file, and the file is written once kWriteDelay after the first request that found it clean,
// with whatever the state holds then. Flush writes a device's marked files at once (the device
// went away, or another profile is about to be loaded); FlushAll when the program ends. A file
// that cannot be written stays marked and is tried again at the next due time.
//
// The payloads come from each device's PayloadSource, the paths from the profile in use: the
// catalogue's stored selection, or, while a program linked to another profile of the kind is in
// the foreground, that profile (UseInstead), so that edits made meanwhile land in the linked
// profile and the user's own choice stays as it was. A kind with no profile in use (or one whose
// name is not a safe file name) is not written. User-interface thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/clock.h"
#include "profile/profile_catalogue.h"
#include "profile/profile_saver.h"

namespace vandrel {

class SelectedProfileWriter final : public ProfileSaver {
 public:
  // At most one write per file in this time, while requests keep coming.
  static constexpr Clock::Duration kWriteDelay = std::chrono::milliseconds(300);

  // The payload of `kind` made from the device's state now (the row's size).
  using PayloadSource = std::function<std::vector<std::uint8_t>(ProfileKind kind)>;

  // `clock` must outlive the writer.
  explicit SelectedProfileWriter(Clock& clock);
  SelectedProfileWriter(const SelectedProfileWriter&) = delete;
  SelectedProfileWriter& operator=(const SelectedProfileWriter&) = delete;

  // Where the device's profiles live and what they are made of; requests for a device not
  // connected are ignored. `catalogue` must outlive the writer.
  void Connect(const ProfileCatalogue& catalogue, PayloadSource source);

  // Forgets the device: its marked rewrites are dropped and later requests ignored.
  void Disconnect(DeviceKind device);

  void SaveSelected(DeviceKind device, unsigned kinds) override;
  void WriteDue() override;
  void Flush(DeviceKind device) override;
  void FlushAll() override;
  // Forgets the device's marked rewrites: its state is about to be replaced by a stored profile,
  // which must not be overwritten first by what the device held.
  void Discard(DeviceKind device);

  // From now on the kind's rewrites go to profile `number` (a linked profile in use) instead of
  // the stored selection; nullopt goes back to the stored selection. The device's marked
  // rewrites are written first, to the profile they were made for.
  void UseInstead(DeviceKind device, ProfileKind kind, std::optional<std::size_t> number);
  // The profile the kind's rewrites go to now, and its file.
  [[nodiscard]] std::optional<std::size_t> InUse(DeviceKind device, ProfileKind kind) const;
  [[nodiscard]] std::optional<std::filesystem::path> PathInUse(DeviceKind device,
                                                               ProfileKind kind) const;

  // Files written so far (for measurements and tests).
  [[nodiscard]] int writes() const { return writes_; }

 private:
  struct DeviceEntry {
    const ProfileCatalogue* catalogue = nullptr;
    PayloadSource source;
    // Per kind (key, light, device): when its marked rewrite is due; nullopt when clean.
    std::array<std::optional<Clock::Duration>, 3> due{};
    // Per kind: the linked profile in use instead of the stored selection.
    std::array<std::optional<std::size_t>, 3> instead{};
  };

  void Write(DeviceEntry& entry, std::size_t kind_index);
  [[nodiscard]] DeviceEntry& EntryOf(DeviceKind device);
  [[nodiscard]] const DeviceEntry& EntryOf(DeviceKind device) const;

  Clock& clock_;
  std::array<DeviceEntry, 3> devices_{};
  int writes_ = 0;
};

}  // namespace vandrel
