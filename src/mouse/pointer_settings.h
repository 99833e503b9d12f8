// PointerSettings: the desktop's pointer speed and wheel scroll lines, which live in the system
// rather than in the mouse. The Linux implementation (platform/) applies what the running
// desktop allows; tests use a fake. Calls may block for a while (they may start a desktop tool),
// so the mouse runs them on a worker thread, never on the user-interface thread.
#pragma once

#include <optional>

namespace vandrel {

class PointerSettings {
 public:
  virtual ~PointerSettings() = default;

  // Speed 1-20 (10 is the desktop's default); false when it could not be applied.
  virtual bool SetPointerSpeed(int speed) = 0;
  // Lines per wheel notch, 1-100; false when it could not be applied.
  virtual bool SetWheelLines(int lines) = 0;
  // The values in effect, as far as the desktop tells; nullopt when it does not.
  [[nodiscard]] virtual std::optional<int> PointerSpeed() = 0;
  [[nodiscard]] virtual std::optional<int> WheelLines() = 0;
};

}  // namespace vandrel
