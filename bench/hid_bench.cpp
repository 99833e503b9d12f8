// How long the HID layer takes for what it does per open and per notification: preparing a
// collection from its report descriptor, and unpacking one consumer-control report.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "device/hid_data_item.h"

namespace {

// The consumer-control collection of the devices: one 16-bit array element, usages 0 to 0x0403.
const std::vector<std::uint8_t> kConsumerControl = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03, 0x15, 0x00, 0x26, 0x03, 0x04,
    0x19, 0x00, 0x2A, 0x03, 0x04, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0,
};

void BM_PrepareCollection(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(vandrel::HidPreparsedData::Prepare(kConsumerControl, 0));
  }
}
BENCHMARK(BM_PrepareCollection);

void BM_UnpackConsumerReport(benchmark::State& state) {
  const auto prepared = vandrel::HidPreparsedData::Prepare(kConsumerControl, 0);
  auto items = vandrel::BuildDataItems(*prepared, vandrel::HidReportType::kInput);
  const std::array<std::uint8_t, 3> report = {3, 0x01, 0x04};
  for (auto _ : state) {
    benchmark::DoNotOptimize(vandrel::UnpackInputReport(*items, report, *prepared));
  }
}
BENCHMARK(BM_UnpackConsumerReport);

}  // namespace
