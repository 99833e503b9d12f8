// The lighting that a lighting thread copies for a frame while the user-interface thread loads
// profiles: every copy is whole, never half of one profile and half of another.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "keyboard/keyboard_profiles.h"

namespace vandrel::testing {
namespace {

TEST(KeyboardStateTest, ALightingThreadsCopyIsNeverTornByAProfileLoad) {
  KeyboardState state;
  std::atomic<bool> loading{true};
  int torn = 0;
  std::thread renderer([&] {
    while (loading.load()) {
      const KeyboardLightingSnapshot copy = state.LightingSnapshot();
      if (copy.lighting.mode != copy.custom.paint_colour.red ||
          copy.lighting.mode != copy.custom.custom_sets[4][377]) {
        ++torn;
      }
    }
  });
  for (int profile = 0; profile < 2000; ++profile) {
    KeyboardLightProfileBytes led{};
    const auto mark = static_cast<std::uint8_t>(profile);
    led[1] = mark;     // mode
    led[65] = mark;    // paint colour, red
    led[1957] = mark;  // last byte of custom set 4
    LoadLightProfile(state, led);
  }
  loading.store(false);
  renderer.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace vandrel::testing
