// The reads of KeyboardDevice: the full read and the re-read of the lighting record.
#include "keyboard/keyboard_device.h"

#include <array>
#include <string>

#include "core/trace.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kLightRecordOffset = 0;  // light record 0 in the settings memory

}  // namespace

KeyboardDevice::KeyboardDevice(DeviceChannel& channel, KeyboardState& state, ProfileSaver& profiles,
                               MessageSink show_message)
    : channel_(channel),
      state_(state),
      profiles_(profiles),
      show_message_(std::move(show_message)) {}

bool KeyboardDevice::ReadAll() {
  channel_.BeginConfig();
  std::array<std::uint8_t, KeyboardDeviceInfo::kSize> info{};
  if (channel_.ReadDeviceInfo(info) == kChannelSuccess) state_.info.bytes = info;
  const std::size_t keys = state_.info.key_count();
  if (keys > kMaxKeyboardKeys) {
    // Closed before the message, so the keyboard does not wait in its configuration state.
    channel_.EndConfig();
    Trace("keyboard reports " + std::to_string(keys) + " keys; its tables hold 170");
    if (show_message_) show_message_(kTooManyKeysMessage);
    return false;
  }
  channel_.set_transfer_size(static_cast<std::uint16_t>(3 * keys));
  ReadTables();
  MakeLive(0);
  channel_.EndConfig();
  state_.slot_map = BuildKeySlotMap(state_.defaults, keys);
  profiles_.SaveSelected(DeviceKind::kKeyboard, kKeyProfile | kDeviceProfile);
  return true;
}

// The factory table and key page 0, each replaced whole: the bytes past the key count are zero.
void KeyboardDevice::ReadTables() {
  std::array<std::uint8_t, KeyboardKeyTable::kSize> defaults{};
  if (channel_.ReadDefaultTable(defaults) == kChannelSuccess) state_.defaults.bytes = defaults;
  std::array<std::uint8_t, KeyboardKeyTable::kSize> page{};
  if (channel_.ReadProfilePage(page, 0) == kChannelSuccess) {
    state_.keys[0].bytes = page;
    state_.keys_known[0] = true;
  }
}

void KeyboardDevice::RereadLighting() {
  state_.lights[state_.ProfileInUse()].live = state_.live;
  // The keyboard expects the one-byte read first; its reply says nothing used here.
  std::array<std::uint8_t, 1> active{};
  (void)channel_.ReadBlock(kLightRecordOffset, active);
  state_.live.profile = 0;
  std::array<std::uint8_t, KeyboardLightRecord::kReadSize> record{};
  if (channel_.ReadBlock(kLightRecordOffset, record) == kChannelSuccess) {
    DecodeInto(record, state_.lights[0]);
  }
  state_.lights[0].live.profile = 0;
  MakeLive(0);
  state_.lighting_known.store(true);
  // Known only now: a thread that found it unknown looks again.
  state_.lighting_changes.Notify();
  profiles_.SaveSelected(DeviceKind::kKeyboard, kDeviceProfile);
}

void KeyboardDevice::MakeLive(std::size_t record) {
  KeyboardLightingWrite writing(state_);
  state_.live = state_.lights[record].live;
  state_.live.profile = 0;
}

}  // namespace vandrel
