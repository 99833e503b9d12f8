#include "pad/pad_components.h"

namespace vandrel {

PadComponents::PadComponents(CMainWnd& hub, WindowModel& window, ProfileSaver& profiles,
                             SameMode& same_mode)
    : device_(hub.channels().pad, state_, profiles),
      lighting_(window, device_, same_mode, [&hub] { hub.RereadPadAfterReset(); }),
      preview_(window),
      part_(device_) {
  part_.SetRefresh([this] { lighting_.Refresh(); });
  part_.SetPreview([this](const PadFrame& frame) { preview_.Show(frame); });
  hub.SetDevicePart(DeviceKind::kPad, part_);
  hub.SetPageHandler(Page::kPadLighting,
                     [this](const Notification& n) { (void)lighting_.Handle(n); });
  same_mode.SetAdopter(DeviceKind::kPad,
                       [this](const LightingBlock& block) { lighting_.AdoptLighting(block); });
}

}  // namespace vandrel
