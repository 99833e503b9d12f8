// The desktop pointer settings with a recorder in place of the desktop tools: which tool is asked
// for what, what is traced when a setting cannot be applied, and what is read back.
#include "platform/desktop_pointer_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "core/trace.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using Command = std::vector<std::string>;

class DesktopPointerSettingsTest : public ::testing::Test {
 protected:
  DesktopPointerSettings Make(Desktop desktop) {
    return DesktopPointerSettings({desktop, config_.path(), [this](const Command& command) {
                                     commands_.push_back(command);
                                     const auto found = outcomes_.find(command[0]);
                                     return found == outcomes_.end() ? ToolOutcome::kSucceeded
                                                                     : found->second;
                                   }});
  }

  testing::TempDir config_;
  std::vector<Command> commands_;
  std::map<std::string, ToolOutcome> outcomes_;
  TraceCapture traces_;
};

TEST(DesktopSpeedTest, SpeedsMapOntoMinusOneToOneWithTenAtZero) {
  EXPECT_DOUBLE_EQ(DesktopSpeedOf(1), -1.0);
  EXPECT_DOUBLE_EQ(DesktopSpeedOf(10), 0.0);
  EXPECT_DOUBLE_EQ(DesktopSpeedOf(20), 1.0);
  EXPECT_DOUBLE_EQ(DesktopSpeedOf(15), 0.5);
  EXPECT_DOUBLE_EQ(DesktopSpeedOf(0), -1.0);
  EXPECT_DOUBLE_EQ(DesktopSpeedOf(30), 1.0);
  for (int speed = 1; speed <= 20; ++speed) {
    EXPECT_EQ(SpeedOfDesktopValue(DesktopSpeedOf(speed)), speed);
  }
  EXPECT_EQ(DesktopSpeedText(15), "0.5");
  EXPECT_EQ(DesktopSpeedText(10), "0");
  EXPECT_EQ(DesktopSpeedText(5), "-0.556");
}

TEST_F(DesktopPointerSettingsTest, GnomeSetsTheMouseSpeedKeyAndHasNoWheelLines) {
  DesktopPointerSettings desktop = Make(Desktop::kGnome);
  EXPECT_TRUE(desktop.SetPointerSpeed(15));
  EXPECT_FALSE(desktop.SetWheelLines(5));

  EXPECT_EQ(commands_,
            (std::vector<Command>{
                {"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "speed", "0.5"}}));
  EXPECT_TRUE(traces_.Contains(
      "wheel scroll lines not applied: the GNOME desktop has no wheel scroll lines setting"));
  EXPECT_EQ(desktop.PointerSpeed(), 15);
  EXPECT_EQ(desktop.WheelLines(), 5);
}

TEST_F(DesktopPointerSettingsTest, KdeWritesItsInputAndGlobalConfiguration) {
  DesktopPointerSettings desktop = Make(Desktop::kKde);
  EXPECT_TRUE(desktop.SetPointerSpeed(20));
  EXPECT_TRUE(desktop.SetWheelLines(7));
  EXPECT_EQ(commands_, (std::vector<Command>{{"kwriteconfig6", "--file", "kcminputrc", "--group",
                                              "Mouse", "--key", "PointerAcceleration", "1"},
                                             {"kwriteconfig6", "--file", "kdeglobals", "--group",
                                              "KDE", "--key", "WheelScrollLines", "7"}}));
}

TEST_F(DesktopPointerSettingsTest, KdeFallsBackToKwriteconfig5AndTracesWhenNeitherRuns) {
  outcomes_["kwriteconfig6"] = ToolOutcome::kMissing;
  DesktopPointerSettings desktop = Make(Desktop::kKde);
  EXPECT_TRUE(desktop.SetWheelLines(4));
  ASSERT_EQ(commands_.size(), 2U);
  EXPECT_EQ(commands_[1][0], "kwriteconfig5");

  outcomes_["kwriteconfig5"] = ToolOutcome::kMissing;
  EXPECT_FALSE(desktop.SetWheelLines(4));
  EXPECT_TRUE(traces_.Contains(
      "WheelScrollLines not applied: neither kwriteconfig6 nor kwriteconfig5 could be run"));
}

TEST_F(DesktopPointerSettingsTest, KdeCurrentValuesComeFromItsConfigurationFiles) {
  std::ofstream(config_.path() / "kdeglobals") << "[KDE]\nWheelScrollLines=9\n";
  std::ofstream(config_.path() / "kcminputrc") << "[Mouse]\nPointerAcceleration=-0.556\n";
  DesktopPointerSettings desktop = Make(Desktop::kKde);
  EXPECT_EQ(desktop.WheelLines(), 9);
  EXPECT_EQ(desktop.PointerSpeed(), 5);  // the value written for speed 5
  EXPECT_TRUE(commands_.empty());
}

TEST_F(DesktopPointerSettingsTest, X11SetsTheServersAccelerationAsAFraction) {
  DesktopPointerSettings desktop = Make(Desktop::kX11);
  EXPECT_TRUE(desktop.SetPointerSpeed(25));
  EXPECT_EQ(commands_, (std::vector<Command>{{"xset", "m", "20/10"}}));
  EXPECT_EQ(desktop.PointerSpeed(), 20);
}

TEST_F(DesktopPointerSettingsTest, MissingOrSlowToolIsReportedAsNotApplied) {
  outcomes_["gsettings"] = ToolOutcome::kMissing;
  DesktopPointerSettings desktop = Make(Desktop::kGnome);
  EXPECT_FALSE(desktop.SetPointerSpeed(10));
  EXPECT_TRUE(traces_.Contains("pointer speed not applied: gsettings could not be run"));

  outcomes_["gsettings"] = ToolOutcome::kTimedOut;
  EXPECT_FALSE(desktop.SetPointerSpeed(10));
  EXPECT_TRUE(traces_.Contains("pointer speed not applied: gsettings did not finish in time"));
  EXPECT_EQ(desktop.PointerSpeed(), 10);  // kept all the same
}

TEST_F(DesktopPointerSettingsTest, WithoutADesktopNothingRunsAndBothAreTraced) {
  DesktopPointerSettings desktop = Make(Desktop::kNone);
  EXPECT_EQ(desktop.PointerSpeed(), std::nullopt);
  EXPECT_FALSE(desktop.SetPointerSpeed(3));
  EXPECT_FALSE(desktop.SetWheelLines(0));
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ(traces_.Lines().size(), 2U);
  EXPECT_EQ(desktop.WheelLines(), 1);  // held at the lowest setting
}

}  // namespace
}  // namespace vandrel
