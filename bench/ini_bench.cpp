// How long reading the system's INI files takes: a profile catalogue read key by key, a large
// macro file read through one document, and a hand-edited file of nothing but blank lines.
#include <benchmark/benchmark.h>

#include <string>

#include "core/ini_document.h"

namespace {

std::string MacroFile(int actions) {
  std::string text =
      "[MACROACTIONCOUNT]\r\ncount=" + std::to_string(actions) + "\r\n[MACROACTION]\r\n";
  for (int i = 0; i < actions; ++i) {
    text += std::to_string(i) + "=1,4,1,0,50,keyboard_key_A\r\n";
  }
  return text;
}

void BM_ParseMacroFile(benchmark::State& state) {
  const std::string text = MacroFile(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(vandrel::IniDocument::Parse(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseMacroFile)->Arg(100)->Arg(1000);

// 10 MB of blank lines: once 2.2 GB and seconds per parse, now about the file's own size.
void BM_ParseBlankLines(benchmark::State& state) {
  const std::string text(static_cast<std::size_t>(state.range(0)), '\n');
  for (auto _ : state) benchmark::DoNotOptimize(vandrel::IniDocument::Parse(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ParseBlankLines)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_ReadEveryAction(benchmark::State& state) {
  const int actions = static_cast<int>(state.range(0));
  const vandrel::IniDocument document = vandrel::IniDocument::Parse(MacroFile(actions));
  for (auto _ : state) {
    for (int i = 0; i < actions; ++i) {
      benchmark::DoNotOptimize(document.Get("MACROACTION", std::to_string(i)));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * actions);
}
BENCHMARK(BM_ReadEveryAction)->Arg(100)->Arg(1000);

}  // namespace
