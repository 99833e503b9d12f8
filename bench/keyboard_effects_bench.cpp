// How long the keyboard lighting engine takes to render and encode one frame, for every mode of
// every keyboard model (the lighting thread does this once per tick).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "keyboard/lighting/frame_encoding.h"
#include "keyboard/lighting/keyboard_effects.h"

namespace {

using namespace vandrel;

void RenderAndEncode(benchmark::State& bench, std::uint8_t model, std::uint8_t seven_colour) {
  const auto mode = static_cast<std::uint8_t>(bench.range(0));
  std::array<std::uint8_t, kCustomColourSetSize> custom_colours{};
  custom_colours.fill(0x80);
  XorShiftRandom random(12345);
  const LightingBlock lighting{mode, 10, 0, 1, seven_colour, 200, 100, 50};
  const EffectInputs inputs{lighting, custom_colours, random};
  EffectState state;
  SeedRainbowPhases(state);
  SeedPulseMatrix(state);
  SeedRippleBottom(state);
  KeyboardFrameImage image{};
  KeyboardFrameBuffer buffer{};
  for (auto _ : bench) {
    RenderKeyboardFrame(model, inputs, state, image.leds);
    image.zone_colour = state.zone_colour;
    const auto payload = EncodeKeyboardFrame(model, mode, image, buffer);
    benchmark::DoNotOptimize(payload.data());
    benchmark::ClobberMemory();
  }
  bench.SetItemsProcessed(static_cast<std::int64_t>(bench.iterations()));
}

void BM_Model0SevenColour(benchmark::State& bench) { RenderAndEncode(bench, 0, 1); }
void BM_Model0FixedColour(benchmark::State& bench) { RenderAndEncode(bench, 0, 0); }
void BM_Model1(benchmark::State& bench) { RenderAndEncode(bench, 1, 0); }
void BM_Model3SevenColour(benchmark::State& bench) { RenderAndEncode(bench, 3, 1); }
void BM_Model3FixedColour(benchmark::State& bench) { RenderAndEncode(bench, 3, 0); }

BENCHMARK(BM_Model0SevenColour)->DenseRange(0, 18);
BENCHMARK(BM_Model0FixedColour)->DenseRange(0, 18);
BENCHMARK(BM_Model1)->DenseRange(0, 10);
BENCHMARK(BM_Model3SevenColour)->DenseRange(0, 7);
BENCHMARK(BM_Model3FixedColour)->DenseRange(0, 7);

}  // namespace
