// FakeInputCapture: the input capture of a test. It keeps what was installed; the test plays key
// and mouse events, which reach the UiThread as the desktop's capture would post them (nothing
// while none is installed).
#pragma once

#include <optional>
#include <vector>

#include "app/input_capture.h"

namespace vandrel::testing {

class FakeInputCapture final : public InputCapture {
 public:
  struct Installation {
    CaptureMode mode;
    bool keyboard;
    bool mouse;
  };

  explicit FakeInputCapture(UiThread& ui) : ui_(ui) {}

  bool Install(CaptureMode mode, bool keyboard, bool mouse) override {
    installations.push_back({mode, keyboard, mouse});
    installed = installations.back();
    return true;
  }
  void RemoveAll() override {
    ++removals;
    installed.reset();
  }

  // A key event; true when it went on to the program, as it does when nothing captures it.
  bool PlayKey(int key_message, CapturedKey key) {
    if (!installed || !installed->keyboard) return true;
    return DeliverKey(ui_, installed->mode, key_message, key);
  }
  void PlayMouse(int mouse_message) {
    if (installed && installed->mouse) DeliverMouse(ui_, installed->mode, mouse_message);
  }

  std::vector<Installation> installations;
  std::optional<Installation> installed;
  int removals = 0;

 private:
  UiThread& ui_;
};

}  // namespace vandrel::testing
