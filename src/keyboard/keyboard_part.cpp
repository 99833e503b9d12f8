#include "keyboard/keyboard_part.h"

#include <algorithm>
#include <optional>

#include "keyboard/keyboard_model.h"
#include "keyboard/lighting/keyboard_speed_table.h"

namespace vandrel {
namespace {

// What a frame's transfer may add to the thread's own period (seven commands on the per-key
// keyboard) before the keyboard counts as having missed a frame.
constexpr Clock::Duration kFrameTransferAllowance = std::chrono::milliseconds(50);

// How long the keyboard may go without a frame before the timer sends one itself: the usual
// 100 ms, or longer where the thread's own frames come further apart (model 0 modes 12 and 15 at
// the slowest speed), since a resend there would follow nearly every frame.
Clock::Duration ResendAfter(std::uint8_t model, const LightingBlock& lighting) {
  const Clock::Duration period = KeyboardFramePeriod(model, lighting.mode, lighting.speed);
  return std::max(kFrameResendAfter, period + kFrameTransferAllowance);
}

}  // namespace

KeyboardPart::KeyboardPart(KeyboardDevice& device, std::function<int()> model)
    : device_(device), model_(std::move(model)) {}

void KeyboardPart::ApplyPending() { device_.ApplyLighting(); }

void KeyboardPart::SelectStoredProfile() {
  if (restore_ && restore_()) Refresh();
}

// The full read takes no lighting; the keyboard's own lighting record is read as well, so that
// until a stored profile replaces it (and whenever none can be loaded) the threads animate what
// the keyboard shows instead of a zeroed record, which is all dark.
void KeyboardPart::ReadAndRefresh() {
  if (device_.ReadAll()) device_.RereadLighting();
  Refresh();
}

// The keyboard changed its own mode: the new mode is seeded as a refresh of the lighting page
// seeds it, or the modes that start from a seed (the per-key rainbow, the ripples) stay dark.
void KeyboardPart::RereadLighting() {
  device_.RereadLighting();
  const std::optional<KeyboardModel> model = KeyboardModelOf(model_());
  if (model) {
    device_.state().engine_requests.RequestSeed(static_cast<std::uint8_t>(*model),
                                                device_.state().Lighting().mode);
  }
  Refresh();
}

// The lighting threads send every frame they render. The timer is the only one to preview it, so
// that the threads never wait for the window; it sends the frame again only when the keyboard has
// missed it (a send failed, or another command reached the keyboard since), since every resend
// blocks this thread for the whole exchange. Until a thread has rendered one there is no frame to
// resend.
Clock::Duration KeyboardPart::FrameStep(bool window_shown) {
  const std::optional<KeyboardModel> model = KeyboardModelOf(model_());
  if (!model || *model == KeyboardModel::kPerKeyOwn) return kFrameResendAfter;
  if (!device_.state().lighting_known.load() || !device_.state().FrameRendered())
    return kFrameResendAfter;
  const auto number = static_cast<std::uint8_t>(*model);
  const LightingBlock lighting = device_.state().Lighting();
  const Clock::Duration resend_after = ResendAfter(number, lighting);
  const std::uint64_t version = device_.state().frame.Version();
  const KeyboardFrameImage image = device_.state().frame.Read();
  // A frame on its way is its sender's to deliver: a lighting thread rests only once the keyboard
  // shows the frame it sent, and sends it again otherwise. While frames stream one is on its way
  // most of the time, and the timer need not wake for it.
  bool shows = device_.ShowsFrame(number, lighting.mode, image) || device_.channel().SendingFrame();
  if (!shows && device_.channel().SinceLastFrame() >= resend_after) {
    shows = device_.SendFrame(number, lighting.mode, image) == kChannelSuccess;
  }
  if (window_shown && preview_ && version != previewed_version_) {
    previewed_version_ = version;
    preview_(number, image);
  }
  return NextFrameStep(window_shown && preview_, shows, device_.channel().SinceLastFrame(),
                       resend_after);
}

void KeyboardPart::Refresh() {
  if (refresh_) refresh_();
}

}  // namespace vandrel
