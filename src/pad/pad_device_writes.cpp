// The writes of PadDevice: the live apply, the factory reset, the frame send, and the edits of
// live with their publication to the lighting threads.
#include <algorithm>
#include <array>

#include "pad/pad_device.h"
#include "pad/pad_frame_encoding.h"

namespace vandrel {
namespace {

// The live apply sends the settings in a full chunk; the bytes after them are zero.
constexpr std::size_t kLivePayloadSize = 56;

}  // namespace

void PadDevice::ApplyLive() {
  if (!state_.dirty) return;
  std::array<std::uint8_t, kLivePayloadSize> payload{};
  const auto settings = Encode(state_.live);
  std::copy(settings.begin(), settings.end(), payload.begin());
  channel_.SelectProfile(payload);
  // A failed write is not repeated by itself: the next edit marks the record again.
  state_.dirty = false;
}

std::optional<FieldProblem> PadDevice::ApplyLightProfile(
    std::span<const std::uint8_t, kPadLightProfileSize> payload) {
  if (auto problem = PadLightProfileProblem(payload)) return problem;
  PadSlotRecord record;
  DecodeInto(payload, record);
  const std::uint8_t active_slot = state_.live.slot;
  state_.live = record.settings;
  state_.live.slot = active_slot;
  state_.dirty = true;
  PublishLighting();
  return std::nullopt;
}

void PadDevice::Reset() { channel_.FactoryReset(); }

void PadDevice::MarkDirty() {
  state_.dirty = true;
  profiles_.SaveSelected(DeviceKind::kPad, kLightProfile);
  PublishLighting();
}

void PadDevice::ChooseMode(std::uint8_t mode) {
  EditLighting([mode](LightingBlock& lighting) { lighting.mode = mode; });
  // After the publication, so that the renderer that takes the request sees the new mode.
  state_.animation.RequestReset();
  channel_.set_sync_lighting(false);
}

int PadDevice::SendFrame(const PadFrame& frame) {
  const auto payload = EncodePadFrame(frame);
  return channel_.SendLightingFrame(payload);
}

bool PadDevice::ShowsFrame(const PadFrame& frame) {
  const auto payload = EncodePadFrame(frame);
  return channel_.ShowsLightingFrame(payload);
}

void PadDevice::PublishLighting() { state_.animation.lighting.Store(state_.live.lighting); }

}  // namespace vandrel
