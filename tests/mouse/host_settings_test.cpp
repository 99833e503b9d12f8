// Pointer speed and wheel lines as the profile files carry them.
#include "mouse/host_settings.h"

#include <gtest/gtest.h>

#include "mouse/mouse_profiles.h"
#include "mouse_fixture.h"

namespace vandrel::testing {
namespace {

TEST(HostSettingsTest, LightProfileWithZeroHostBytesLoadsAsOneAndOne) {
  EXPECT_EQ(HostSettingsOfRecord(MouseSlotRecord{}), (HostSettings{1, 1}));
  MouseSlotRecord record;
  record.pointer_speed = 12;
  record.wheel_lines = 7;
  EXPECT_EQ(HostSettingsOfRecord(record), (HostSettings{12, 7}));
}

TEST(HostSettingsTest, DesktopValuesMissingOrZeroReadAsOneAndAreHeldInRange) {
  FakePointerSettings desktop;
  EXPECT_EQ(HostSettingsOfDesktop(desktop), (HostSettings{1, 1}));
  desktop.desktop_speed = 0;
  desktop.desktop_lines = 0;
  EXPECT_EQ(HostSettingsOfDesktop(desktop), (HostSettings{1, 1}));
  desktop.desktop_speed = 25;
  desktop.desktop_lines = 300;
  EXPECT_EQ(HostSettingsOfDesktop(desktop), (HostSettings{20, 100}));
  desktop.desktop_speed = 10;
  desktop.desktop_lines = 3;
  EXPECT_EQ(HostSettingsOfDesktop(desktop), (HostSettings{10, 3}));
}

TEST(HostSettingsTest, SavingPutsLiveAndTheHostSettingsIntoSlotRecordZero) {
  MouseState state;
  state.live.slot = 2;
  state.live.report_rate = 5;
  state.pointer_speed = 14;
  state.wheel_lines = 6;
  state.slots[0].reserved[3] = 0x99;
  state.slots[2].settings.report_rate = 1;

  const MouseSlotRecord stored = StoreLiveLight(state);

  EXPECT_EQ(stored, state.slots[0]);
  EXPECT_EQ(stored.settings, state.live);
  const auto bytes = Encode(stored);
  EXPECT_EQ(bytes[36], 14);
  EXPECT_EQ(bytes[37], 6);
  EXPECT_EQ(bytes[41], 0x99);  // reserved bytes kept
  EXPECT_EQ(state.slots[2].settings.report_rate, 1);
}

}  // namespace
}  // namespace vandrel::testing
