// The writes of KeyboardDevice: the live lighting apply, the key table write, the stored
// profiles and the lighting frames.
#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "core/trace.h"
#include "keyboard/keyboard_device.h"

namespace vandrel {
namespace {

// The live lighting travels in a full chunk; the bytes after it are zero.
constexpr std::size_t kLivePayloadSize = 56;

}  // namespace

void KeyboardDevice::ApplyLighting() {
  if (!state_.light_dirty) return;
  std::array<std::uint8_t, kLivePayloadSize> payload{};
  const auto live = Encode(state_.live);
  std::copy(live.begin(), live.end(), payload.begin());
  channel_.SelectProfile(payload);
  // A failed write is not repeated by itself: the next edit marks the lighting again.
  state_.light_dirty = false;
}

int KeyboardDevice::WriteKeyTable() {
  const KeyPageSnapshot snapshot = TakeKeyTable();
  if (snapshot.refusal != kChannelSuccess) return snapshot.refusal;
  const int result = WriteKeyPageSnapshot(channel_, snapshot);
  KeyTableWritten();
  return result;
}

KeyPageSnapshot KeyboardDevice::TakeKeyTable() const {
  const std::size_t page = state_.ProfileInUse();
  if (!state_.keys_known[page]) {
    Trace("keyboard key table not written: page " + std::to_string(page) + " was never read");
    return {.page = static_cast<int>(page), .bytes = {}, .refusal = kKeyPageNotKnown};
  }
  // The channel's transfer size is the keyboard's key count × 3, set when it was read.
  const std::span<const std::uint8_t> table =
      std::span(state_.keys[page].bytes)
          .first(std::min<std::size_t>(channel_.transfer_size(), KeyboardKeyTable::kSize));
  return {.page = static_cast<int>(page),
          .bytes = {table.begin(), table.end()},
          .refusal = kChannelSuccess};
}

void KeyboardDevice::KeyTableWritten() {
  profiles_.SaveSelected(DeviceKind::kKeyboard, kKeyProfile | kDeviceProfile);
}

std::optional<FieldProblem> KeyboardDevice::ApplyDeviceProfile(
    std::span<const std::uint8_t, kKeyboardDeviceProfileSize> payload, int model) {
  if (auto problem = KeyboardDeviceProfileProblem(payload, model)) return problem;
  LoadDeviceProfile(state_, payload);
  state_.light_dirty = true;
  WriteKeyPage0();
  return std::nullopt;
}

std::optional<FieldProblem> KeyboardDevice::ApplyLightProfile(
    std::span<const std::uint8_t, kKeyboardLightProfileSize> payload, int model) {
  if (auto problem = KeyboardLightProfileProblem(payload, model)) return problem;
  LoadLightProfile(state_, payload);
  state_.light_dirty = true;
  return std::nullopt;
}

std::optional<FieldProblem> KeyboardDevice::ApplyKeyProfile(
    std::span<const std::uint8_t, kKeyboardKeyProfileSize> payload) {
  if (auto problem = KeyboardKeyProfileProblem(payload)) return problem;
  LoadKeyProfile(state_, payload);
  WriteKeyPage0();
  return std::nullopt;
}

int KeyboardDevice::SendFrame(std::uint8_t model, std::uint8_t mode,
                              const KeyboardFrameImage& image) {
  KeyboardFrameBuffer buffer;
  const std::span<const std::uint8_t> payload = EncodeKeyboardFrame(model, mode, image, buffer);
  return payload.empty() ? kChannelSuccess : channel_.SendLightingFrame(payload);
}

bool KeyboardDevice::ShowsFrame(std::uint8_t model, std::uint8_t mode,
                                const KeyboardFrameImage& image) {
  KeyboardFrameBuffer buffer;
  const std::span<const std::uint8_t> payload = EncodeKeyboardFrame(model, mode, image, buffer);
  return payload.empty() || channel_.ShowsLightingFrame(payload);
}

void KeyboardDevice::MarkLightingChanged() {
  state_.light_dirty = true;
  profiles_.SaveSelected(DeviceKind::kKeyboard, kLightProfile | kDeviceProfile);
}

// The keyboard takes key tables only inside a configuration bracket, whoever writes them.
void KeyboardDevice::WriteKeyPage0() {
  channel_.BeginConfig();
  channel_.WriteProfilePage(state_.keys[0].bytes, 0);
  channel_.EndConfig();
}

}  // namespace vandrel
