// The frames command's renderer: what a run starts from.
#include "cli/frame_renderer.h"

#include <gtest/gtest.h>

namespace vandrel::cli {
namespace {

std::vector<RenderedFrame> RenderAll(const FrameRequest& request, std::size_t count) {
  std::vector<RenderedFrame> frames;
  RenderFrames(request, count, [&](const RenderedFrame& frame) { frames.push_back(frame); });
  return frames;
}

TEST(FrameRendererTest, RunsStartFromTheChosenModesSeed) {
  // The per-key rainbow is seeded with phase 33 × (slot + 1) and steps once per frame: slot 0
  // shows wheel 34, then 35; without the seed it would start at wheel 1.
  FrameRequest request;
  request.lighting = {.mode = 10, .brightness = 14};
  const auto frames = RenderAll(request, 2);
  ASSERT_EQ(frames.size(), 2U);
  ASSERT_EQ(frames[0].size(), 1U);
  EXPECT_EQ(frames[0][0].leds[0], (LedEntry{220, 255, 0, 255}));  // wheel 34: yellow→green
  EXPECT_EQ(frames[1][0].leds[0], (LedEntry{206, 255, 0, 255}));
}

TEST(FrameRendererTest, PadRippleStartsWithTheSparkAtLedZero) {
  FrameRequest request;
  request.source = FrameSource::kPad;
  request.lighting = {.mode = 5, .brightness = 14, .red = 0xff};
  const auto frames = RenderAll(request, 2);
  ASSERT_EQ(frames.size(), 2U);
  // Lit at 255, decayed to 225 in the same frame; level 255 × 225 >> 8.
  EXPECT_EQ(frames[0][0].leds[0], (LedEntry{255, 0, 0, 224}));
  EXPECT_EQ(frames[0][0].leds[1].level, 0);
  // Direction 0 passes the spark to LED 1.
  EXPECT_EQ(frames[1][0].leds[1], (LedEntry{255, 0, 0, 224}));
  EXPECT_EQ(frames[1][0].payload.size(), 45U);
}

}  // namespace
}  // namespace vandrel::cli
