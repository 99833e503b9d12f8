// The pad's frame step, as timer 1002 runs it: previews only frames it has not shown yet and only
// while the window is on the screen, resends only once the pad went without a frame, and tells the
// timer how long it may sleep.
#include "pad/pad_part.h"

#include <gmock/gmock.h>

#include "pad/pad_frame_encoding.h"
#include "pad_fixture.h"

namespace vandrel::testing {
namespace {

using std::chrono::milliseconds;

constexpr int kFrameCommand = 18;

PadFrame FrameOf(std::uint8_t red) {
  PadFrame frame{};
  frame.fill({red, 0, 0, 0xFF});
  return frame;
}

class PadPartTest : public PadFixture {
 protected:
  PadPartTest() {
    part_.SetPreview([this](const PadFrame& frame) { previews_.push_back(frame[0].red); });
  }

  PadPart part_{pad_device_};
  std::vector<std::uint8_t> previews_;
};

TEST_F(PadPartTest, AStepPreviewsEachNewFrameOnceAndNothingWhileTheWindowIsHidden) {
  const struct {
    std::optional<std::uint8_t> publish;  // a frame the threads publish before the step
    bool shown;
    std::vector<std::uint8_t> previewed;  // by this step
  } steps[] = {
      {1, false, {}},   // hidden: not shown, whatever is new
      {{}, true, {1}},  // shown: the frame it has not shown yet
      {{}, true, {}},   // nothing new: no repaint
      {2, true, {2}},  {3, false, {}},
      {4, false, {}},  {{}, true, {4}},  // back on the screen: only the newest
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    if (steps[i].publish) state_.animation.frame.Publish(FrameOf(*steps[i].publish));
    previews_.clear();
    (void)part_.FrameStep(steps[i].shown);
    EXPECT_EQ(previews_, steps[i].previewed);
  }
}

// The lighting thread sends every frame itself: the step resends the published frame only when
// the pad lacks it (a send failed, or another command reached the pad since) and went 100 ms
// without a frame. Until then it sleeps until that moment, or until the next screen refresh while
// there is a preview to keep up; while the pad shows the frame it only looks once a second.
TEST_F(PadPartTest, AStepResendsOnlyAFrameThePadLacksAndSleepsUntilTheNextThingDue) {
  state_.animation.frame.Publish(FrameOf(7));
  ASSERT_EQ(pad_device_.SendFrame(FrameOf(7)), kChannelSuccess);
  ClearTrace();
  const struct {
    milliseconds advance;  // since the step before
    bool other_command;    // a command other than a frame reaches the pad first
    bool shown;
    bool resent;
    Clock::Duration next;
  } steps[] = {
      {milliseconds(0), false, false, false, kFrameLookPeriod},
      {milliseconds(500), false, false, false, kFrameLookPeriod},
      {milliseconds(0), false, true, false, kPreviewPeriod},
      {milliseconds(20), true, false, true, kFrameLookPeriod},  // lacking it for 520 ms
      {milliseconds(30), true, false, false, milliseconds(70)},
      {milliseconds(0), false, true, false, kPreviewPeriod},
      {milliseconds(70), false, false, true, kFrameLookPeriod},
      {milliseconds(250), false, false, false, kFrameLookPeriod},
  };
  std::size_t sent = 0;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    clock_.Advance(steps[i].advance);
    if (steps[i].other_command) {
      std::array<std::uint8_t, 1> slot{};
      (void)pad_device_.channel().ReadBlock(0, slot);
    }
    EXPECT_EQ(part_.FrameStep(steps[i].shown), steps[i].next);
    const std::size_t now_sent = Payloads(kFrameCommand).size();
    EXPECT_EQ(now_sent - sent, steps[i].resent ? 1U : 0U);
    sent = now_sent;
  }
  const auto encoded = EncodePadFrame(FrameOf(7));
  for (const std::vector<std::uint8_t>& payload : Payloads(kFrameCommand)) {
    EXPECT_TRUE(std::equal(encoded.begin(), encoded.end(), payload.begin()));
  }
}

}  // namespace
}  // namespace vandrel::testing
