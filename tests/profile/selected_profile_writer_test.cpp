// The writer of the selected profiles: a burst of edits costs one write per file per delay, the
// last state always reaches the file, flushes write at once, a read at attachment discards what
// the read asked for, and a file that cannot be written is tried again.
#include "profile/selected_profile_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/manual_clock.h"
#include "support/temp_dir.h"

namespace vandrel {
namespace {

using std::chrono::milliseconds;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder_.path() / "msProfile.ini",
              "[PROFILEDENGCOUNT]\ncount=2\n[PROFILEDENGNAME]\n0=one\n1=two\n"
              "[PROFILEDENGSELECT]\nselect=1\n[PROFILEDEVICECOUNT]\ncount=1\n"
              "[PROFILEDEVICENAME]\n0=dev\n[PROFILEDEVICESELECT]\nselect=0\n");
    writer_.Connect(catalogue_, [this](ProfileKind kind) {
      return std::vector<std::uint8_t>(FindProfileRow(DeviceKind::kMouse, kind)->payload_size,
                                       value_);
    });
  }
  std::string Expected(ProfileKind kind) const {
    const ProfileRow& row = *FindProfileRow(DeviceKind::kMouse, kind);
    return EncodeProfileFile(2, std::vector<std::uint8_t>(row.payload_size, value_));
  }
  std::filesystem::path Led() const { return folder_.path() / "two.led"; }

  TempDir folder_;
  ManualClock clock_{ManualClock::Mode::kAutoAdvance};
  ProfileCatalogue catalogue_{DeviceKind::kMouse, folder_.path(), folder_.path()};
  SelectedProfileWriter writer_{clock_};
  std::uint8_t value_ = 0;
};

// A slider dragged for two seconds, a step every 20 ms, timer 2 every 100 ms.
TEST_F(WriterTest, ADragWritesEachFileAFewTimesASecondAndEndsWithTheLastState) {
  const Clock::Duration step = milliseconds(20);
  Clock::Duration next_tick = clock_.Now() + milliseconds(100);
  for (int i = 1; i <= 100; ++i) {
    value_ = static_cast<std::uint8_t>(i);
    writer_.SaveSelected(DeviceKind::kMouse, kLightProfile | kDeviceProfile);
    clock_.Sleep(step);
    if (clock_.Now() >= next_tick) {
      writer_.WriteDue();
      next_tick += milliseconds(100);
    }
  }
  // 2 s at one write per 300 ms (rounded up to the 100 ms tick) for each of the two files.
  EXPECT_GE(writer_.writes(), 2 * 4);
  EXPECT_LE(writer_.writes(), 2 * 7);
  clock_.Sleep(SelectedProfileWriter::kWriteDelay);
  writer_.WriteDue();
  EXPECT_EQ(ReadFile(Led()), Expected(ProfileKind::kLight));
  EXPECT_EQ(ReadFile(folder_.path() / "dev.config"), Expected(ProfileKind::kDevice));
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "one.led"));
}

TEST_F(WriterTest, NothingIsWrittenBeforeItIsDueUnlessFlushed) {
  const struct {
    const char* what;
    void (*act)(SelectedProfileWriter&);
    bool written;
  } cases[] = {
      {"a tick too early", [](SelectedProfileWriter& w) { w.WriteDue(); }, false},
      {"the device's flush", [](SelectedProfileWriter& w) { w.Flush(DeviceKind::kMouse); }, true},
      {"another device's flush", [](SelectedProfileWriter& w) { w.Flush(DeviceKind::kPad); },
       false},
      {"the flush at the end", [](SelectedProfileWriter& w) { w.FlushAll(); }, true},
      {"a discard and a late tick",
       [](SelectedProfileWriter& w) {
         w.Discard(DeviceKind::kMouse);
         w.FlushAll();
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(Led());
    value_ = 7;
    writer_.SaveSelected(DeviceKind::kMouse, kLightProfile);
    c.act(writer_);
    EXPECT_EQ(std::filesystem::exists(Led()), c.written);
    writer_.Discard(DeviceKind::kMouse);
  }
}

TEST_F(WriterTest, KindsWithoutASelectedProfileOrDeviceAreNotWritten) {
  writer_.SaveSelected(DeviceKind::kMouse, kKeyProfile);  // no key profiles in the catalogue
  writer_.SaveSelected(DeviceKind::kPad, kLightProfile);  // the pad is not connected
  writer_.FlushAll();
  EXPECT_EQ(writer_.writes(), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(WriterTest, AFileThatCannotBeWrittenIsTriedAgainLater) {
  std::filesystem::create_directory(Led());  // a folder where the file should be
  value_ = 3;
  writer_.SaveSelected(DeviceKind::kMouse, kLightProfile);
  writer_.Flush(DeviceKind::kMouse);
  EXPECT_EQ(writer_.writes(), 0);
  std::filesystem::remove(Led());
  clock_.Sleep(SelectedProfileWriter::kWriteDelay);
  writer_.WriteDue();
  EXPECT_EQ(ReadFile(Led()), Expected(ProfileKind::kLight));
}

}  // namespace
}  // namespace vandrel
