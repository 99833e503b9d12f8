#include "keyboard/keyboard_part.h"

#include <optional>

#include "keyboard/keyboard_model.h"

namespace vandrel {

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

void KeyboardPart::RereadLighting() {
  device_.RereadLighting();
  Refresh();
}

// The lighting threads send every frame they render. The timer is the only one to preview it, so
// that the threads never wait for the window; it sends the frame again only when none went to the
// keyboard for a while (a long pause of an effect, say), since every resend blocks this thread
// for the whole exchange. Until a thread has rendered one there is no frame to resend.
void KeyboardPart::FrameStep(bool window_shown) {
  const std::optional<KeyboardModel> model = KeyboardModelOf(model_());
  if (!model || *model == KeyboardModel::kPerKeyOwn) return;
  if (!device_.state().lighting_known.load() || !device_.state().FrameRendered()) return;
  const auto number = static_cast<std::uint8_t>(*model);
  const KeyboardFrameImage image = device_.state().frame.Read();
  if (device_.channel().SinceLastFrame() >= kFrameResendAfter) {
    device_.SendFrame(number, device_.state().Lighting().mode, image);
  }
  const std::uint64_t version = device_.state().frame.Version();
  if (!window_shown || !preview_ || version == previewed_version_) return;
  previewed_version_ = version;
  preview_(number, image);
}

void KeyboardPart::Refresh() {
  if (refresh_) refresh_();
}

}  // namespace vandrel
