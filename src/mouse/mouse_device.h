// MouseDevice: the exchanges with the mouse and the bookkeeping around them — the full read after
// attachment, the re-read after the mouse reports a change, the slot switch, the 100 ms live
// apply, the stored-record apply of a profile, the key page write and the factory reset — and the
// host settings (pointer speed, wheel lines), applied on a worker thread.
//
// Results of single exchanges are not checked: a failed read leaves its image as it was and the
// sequence goes on, as the mouse expects. User-interface thread, except where noted.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "device/device_channel.h"
#include "device/key_page_write.h"
#include "mouse/mouse_profiles.h"
#include "mouse/mouse_state.h"
#include "mouse/pointer_settings.h"
#include "profile/profile_saver.h"

namespace vandrel {

class MouseDevice {
 public:
  // `ready` says whether the mouse pages are ready (the main window's flag: set by the attach
  // handler, cleared on detachment; read from this thread only). Everything given must outlive
  // the device.
  MouseDevice(DeviceChannel& channel, MouseState& state, PointerSettings& pointer,
              ProfileSaver& profiles, std::function<bool()> ready);
  // Waits for the host-settings worker to finish what it was given.
  ~MouseDevice();
  MouseDevice(const MouseDevice&) = delete;
  MouseDevice& operator=(const MouseDevice&) = delete;

  [[nodiscard]] MouseState& state() { return state_; }
  [[nodiscard]] DeviceChannel& channel() { return channel_; }

  // Full read: device information, default table, slot 0, key page 0, the active slot and its
  // key page, inside one configuration bracket; then the device profile is rewritten. An active
  // slot number the mouse cannot have counts as slot 0.
  void ReadAll();
  // The active slot again (the mouse changed it or its settings), with its key page; light and
  // device profiles are rewritten.
  void RereadActiveSlot();
  // Makes slot `slot` (0-5) active and reads it (with its key page, slots 0-4); false (nothing
  // sent beyond the active-slot read) when it already was, or when `slot` is out of range
  // (nothing sent at all). The profiles are not rewritten.
  bool SwitchSlot(int slot);
  // Timer 2: sends the live record when it changed and the pages are ready.
  void ApplyLive();
  // A device profile: the record's settings and the key table (as page 0, inside a configuration
  // bracket), sent when the pages are ready; the live record is marked either way, so the next
  // live apply repeats it.
  void ApplyStoredRecord(const MouseSlotRecord& record, const MouseKeyTable& keys);
  // A loaded profile is first checked against what this mouse takes (mouse_limits.h, its own
  // highest DPI index): a payload with a problem is refused whole, the problem returned, nothing
  // changed and nothing sent. Otherwise nullopt and:
  // A loaded .led: its record becomes live, sent by the next live apply, and its pointer speed
  // and wheel lines are applied to the desktop.
  [[nodiscard]] std::optional<FieldProblem> ApplyLightProfile(
      std::span<const std::uint8_t, kMouseLightProfileSize> payload);
  // A loaded .pro: the key table becomes key page 0 and is written to the mouse's page 0, inside a
  // configuration bracket, when the pages are ready.
  [[nodiscard]] std::optional<FieldProblem> ApplyKeyProfile(
      std::span<const std::uint8_t, kMouseKeyProfileSize> payload);
  // A loaded .config: key page 0 and the live settings from it, then ApplyStoredRecord.
  [[nodiscard]] std::optional<FieldProblem> ApplyDeviceProfile(
      std::span<const std::uint8_t, kMouseDeviceProfileSize> payload);
  // The active slot's key page, inside a configuration bracket; the device profile is rewritten.
  // The result of the page write; kChannelBadPage, with nothing sent, for slot 5, which has no
  // key page; kKeyPageNotKnown, with nothing sent, when the page was never read from the mouse
  // nor loaded from a profile. TakeKeyPage, WriteKeyPageSnapshot and KeyPageWritten in turn.
  int WriteKeyPage();
  // The two halves of WriteKeyPage around the write, for a write on another thread: the active
  // slot's key page as it is now (or the refusal), and what follows the write.
  [[nodiscard]] KeyPageSnapshot TakeKeyPage() const;
  void KeyPageWritten();
  // Restore defaults: desktop pointer speed 10 and wheel lines 3, then the mouse's factory reset.
  void Reset();

  // Every page edit of `live`: marks it for the next live apply, shares its lighting with the
  // lighting thread and rewrites `profiles`.
  void MarkDirty(unsigned profiles = kLightProfile | kDeviceProfile);
  // Stores the host setting and applies it on the worker thread (pointer speed clamped to 1-20
  // and stored back clamped).
  void SetPointerSpeed(std::uint8_t speed);
  void SetWheelLines(std::uint8_t lines);

 private:
  class HostWorker;

  void ReadSlot(int slot);
  void ReadKeyPage(int slot);
  void MakeLive(int slot);
  // Copies live back into the record of its slot.
  void KeepLive();
  [[nodiscard]] int ReadActiveSlot();
  // `keys` as key page 0 (512 bytes), inside a configuration bracket.
  void WriteKeyPage0(const MouseKeyTable& keys);
  [[nodiscard]] static int ValidSlotOr(std::uint8_t slot, int fallback);
  [[nodiscard]] HostWorker& Worker();

  DeviceChannel& channel_;
  MouseState& state_;
  PointerSettings& pointer_;
  ProfileSaver& profiles_;
  std::function<bool()> ready_;
  std::unique_ptr<HostWorker> worker_;
};

}  // namespace vandrel
