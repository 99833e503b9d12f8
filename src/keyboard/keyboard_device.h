// KeyboardDevice: the exchanges with the keyboard and the bookkeeping around them — the full read
// after attachment or a full change on the keyboard, the re-read of the lighting record after
// the keyboard changed its lighting, the periodic apply of the live lighting, the key table write
// and the application of stored profiles.
//
// Results of single exchanges are not checked: a failed read leaves its image as it was and the
// sequence goes on. User-interface thread.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "device/device_channel.h"
#include "device/key_page_write.h"
#include "keyboard/keyboard_profiles.h"
#include "keyboard/keyboard_state.h"
#include "profile/profile_saver.h"

namespace vandrel {

// Shown when the keyboard reports more keys than the key tables hold.
inline constexpr std::string_view kTooManyKeysMessage = "message_text_11";

class KeyboardDevice {
 public:
  // Shows a message box with a language identifier.
  using MessageSink = std::function<void(std::string_view message_id)>;

  // Everything given must outlive the device.
  KeyboardDevice(DeviceChannel& channel, KeyboardState& state, ProfileSaver& profiles,
                 MessageSink show_message);

  [[nodiscard]] KeyboardState& state() { return state_; }
  [[nodiscard]] DeviceChannel& channel() { return channel_; }

  // Full read inside one configuration bracket: device information, then — when the key count
  // fits the tables (at most 170) — the transfer size 3 × n, the factory table, key page 0, the
  // live lighting from light record 0 and the slot map; the key and device profiles are
  // rewritten. Too many keys: the bracket is closed, kTooManyKeysMessage shown, nothing else
  // changes, and the result is false.
  bool ReadAll();
  // The keyboard's lighting record again (no bracket); the device profile is rewritten.
  void RereadLighting();
  // Timer 2: sends the live lighting (56 bytes, 21-55 zero) when it changed; the change counts as
  // sent even when the write fails.
  void ApplyLighting();
  // The key table page in use, inside a configuration bracket; the key and device profiles are
  // rewritten. The result of the page write; kKeyPageNotKnown, with nothing sent, when that page
  // was never read from the keyboard nor loaded from a profile. TakeKeyTable,
  // WriteKeyPageSnapshot and KeyTableWritten in turn.
  int WriteKeyTable();
  // The two halves of WriteKeyTable around the write, for a write on another thread: the page in
  // use as it is now, the keyboard's key count × 3 bytes (or the refusal), and what follows the
  // write.
  [[nodiscard]] KeyPageSnapshot TakeKeyTable() const;
  void KeyTableWritten();

  // A stored profile loaded into the state and sent: the lighting at the next apply, the key
  // table (.config, .pro) as page 0 at once, inside a configuration bracket. A payload that a
  // keyboard of model `model` cannot take (keyboard_profiles.h) is refused whole: its problem is
  // returned, nothing changed and nothing sent.
  [[nodiscard]] std::optional<FieldProblem> ApplyDeviceProfile(
      std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload, int model);
  [[nodiscard]] std::optional<FieldProblem> ApplyLightProfile(
      std::span<const std::uint8_t, kKeyboardLightProfileSize> payload, int model);
  [[nodiscard]] std::optional<FieldProblem> ApplyKeyProfile(
      std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload);

  // Sends the frame of `mode` on `model` with command 18, when the keyboard is sent frames of that
  // mode. Any thread.
  int SendFrame(std::uint8_t model, std::uint8_t mode, const KeyboardFrameImage& image);
  // Whether the keyboard shows that frame: it accepted it last, or the mode streams none. Any
  // thread.
  [[nodiscard]] bool ShowsFrame(std::uint8_t model, std::uint8_t mode,
                                const KeyboardFrameImage& image);

  // Every lighting edit: marks the live lighting for the next apply and has the light and device
  // profiles rewritten.
  void MarkLightingChanged();

 private:
  void ReadTables();
  void MakeLive(std::size_t record);
  void WriteKeyPage0();

  DeviceChannel& channel_;
  KeyboardState& state_;
  ProfileSaver& profiles_;
  MessageSink show_message_;
};

}  // namespace vandrel
