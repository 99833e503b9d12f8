#include "keyboard/lighting/key_layout.h"

namespace vandrel {
namespace {

constexpr std::uint8_t N = kNoKeySlot;
constexpr std::uint8_t X = kNoSweepSlot;

// An inclusive run of slots, ascending or descending.
struct SlotRun {
  int from;
  int to;
};

template <std::size_t Runs>
constexpr std::size_t LengthOf(const std::array<SlotRun, Runs>& runs) {
  std::size_t length = 0;
  for (const SlotRun& run : runs) {
    length += static_cast<std::size_t>(run.from <= run.to ? run.to - run.from : run.from - run.to);
    ++length;
  }
  return length;
}

template <std::size_t Size, std::size_t Runs>
constexpr std::array<std::uint8_t, Size> Expand(const std::array<SlotRun, Runs>& runs) {
  std::array<std::uint8_t, Size> slots{};
  std::size_t next = 0;
  for (const SlotRun& run : runs) {
    const int step = run.from <= run.to ? 1 : -1;
    for (int slot = run.from;; slot += step) {
      slots[next++] = static_cast<std::uint8_t>(slot);
      if (slot == run.to) break;
    }
  }
  return slots;
}

constexpr auto kKeyPathRuns = std::to_array<SlotRun>({
    {15, 0},
    {16, 20},
    {105, 119},
    {41, 21},
    {42, 42},
    {63, 63},
    {84, 99},
    {78, 78},
    {61, 43},
    {64, 77},
});
static_assert(LengthOf(kKeyPathRuns) == 109);

constexpr auto kSnakePathRuns = std::to_array<SlotRun>({
    {0, 15},
    {41, 21},
    {42, 61},
    {119, 119},
    {78, 75},
    {N, N},
    {74, 63},
    {84, 84},
    {N, N},
    {85, 99},
    {118, 105},
    {0, 0},
});
static_assert(LengthOf(kSnakePathRuns) == 107);

constexpr std::array<bool, 126> MarkPath(const std::array<std::uint8_t, 109>& path) {
  std::array<bool, 126> on_path{};
  for (const std::uint8_t slot : path) on_path[slot] = true;
  return on_path;
}

}  // namespace

const std::array<MatrixColumn, kMatrixColumns> kLedMatrix = {{
    {N, 16, 17, 18, 19, 20},  {N, 21, 42, 63, 84, 105}, {0, 22, 43, 64, 85, 106},
    {1, 23, 44, 65, 86, 107}, {2, 24, 45, 66, 87, N},   {3, 25, 46, 67, 88, N},
    {4, 26, 47, 68, 89, 108}, {N, 27, 48, 69, 90, N},   {5, 28, 49, 70, 91, N},
    {6, 29, 50, 71, 92, 109}, {7, 30, 51, 72, 93, N},   {8, 31, 52, 73, 94, 110},
    {9, 32, 53, 74, N, N},    {10, 33, 54, N, N, 111},  {11, 34, 55, 75, 95, N},
    {12, N, N, N, N, 112},    {13, 35, 56, N, N, 113},  {14, 36, 57, N, 96, 114},
    {15, 37, 58, N, N, 115},  {N, 38, 59, 76, 97, 116}, {N, 39, 60, 77, 98, N},
    {N, 40, 61, 78, 99, 117}, {N, 41, N, 119, 118, N},
}};

const std::array<MatrixColumn, kMatrixColumns> kPulseStartPhases = {{
    {72, 52, 32, 12, 182, 162},  {72, 52, 32, 12, 182, 162},   {120, 100, 80, 60, 40, 20},
    {92, 82, 72, 62, 52, 42},    {160, 140, 120, 100, 80, 60}, {80, 70, 60, 50, 20, 10},
    {90, 30, 0, 160, 130, 100},  {50, 30, 10, 180, 160, 140},  {32, 22, 12, 2, 182, 172},
    {120, 100, 80, 60, 40, 20},  {20, 5, 185, 170, 155, 140},  {60, 35, 15, 180, 155, 130},
    {120, 110, 100, 90, 80, 70}, {192, 162, 132, 102, 72, 32}, {80, 70, 60, 50, 20, 10},
    {100, 95, 90, 85, 80, 75},   {90, 80, 70, 60, 50, 40},     {140, 110, 80, 50, 20, 180},
    {70, 55, 40, 25, 10, 190},   {120, 100, 80, 60, 40, 20},   {92, 82, 72, 62, 52, 42},
    {60, 50, 40, 30, 20, 10},    {192, 162, 132, 102, 72, 32},
}};

const std::array<std::uint8_t, 109> kKeyPath = Expand<109>(kKeyPathRuns);
const std::array<bool, 126> kOnKeyPath = MarkPath(Expand<109>(kKeyPathRuns));

const std::array<std::uint8_t, 107> kSnakePath = Expand<107>(kSnakePathRuns);

const std::array<std::uint8_t, 104> kTwinkleOrder = {
    88, 24, 101, 57, 49, 20, 5,  14, 16, 69, 35, 34, 83, 94, 6,  61, 10,  23, 39, 3,  102,
    17, 65, 22,  36, 51, 78, 18, 38, 53, 2,  62, 64, 90, 96, 74, 91, 80,  86, 89, 43, 28,
    58, 59, 12,  66, 97, 9,  48, 95, 77, 70, 72, 56, 44, 99, 68, 98, 71,  27, 81, 1,  0,
    87, 92, 40,  25, 26, 7,  30, 50, 84, 15, 60, 54, 21, 45, 67, 19, 103, 33, 41, 55, 52,
    13, 47, 42,  93, 46, 75, 37, 73, 32, 79, 8,  29, 31, 4,  85, 76, 100, 82, 11, 63,
};

const std::array<std::array<std::uint8_t, kKeyGroupSize>, 12> kKeyGroups = {{
    {51, N, N, N, N, N, N, N, N, N, N, N},
    {30, 50, 71, 72, 52, 31, N, N, N, N, N, N},
    {8, 29, 49, 70, 91, 92, 93, 73, 53, 32, N, N},
    {7, 28, 48, 69, 90, 109, 94, 74, 54, 33, 9, N},
    {6, 27, 47, 68, 89, 110, 95, 75, 55, 34, 10, 11},
    {5, 26, 46, 67, 88, 108, 111, 112, 56, 35, 12, N},
    {4, 25, 45, 66, 87, 113, 96, 57, 36, 13, N, N},
    {3, 24, 44, 65, 86, 114, 115, 58, 37, 15, 14, N},
    {2, 23, 43, 64, 85, 107, 97, 76, 59, 38, N, N},
    {1, 22, 42, 63, 84, 106, 116, 98, 77, 60, 39, N},
    {0, 21, 105, 117, 99, 78, 61, 40, N, N, N, N},
    {118, 119, 41, 16, 17, 18, 19, 20, N, N, N, N},
}};

const std::array<std::array<std::uint8_t, 6>, 20> kSweepColumns = {{
    {0, 118, X, X, X, X},      {1, 117, X, X, X, X},     {2, 116, X, X, X, X},
    {3, 115, 21, 118, X, X},   {4, 114, 22, 99, X, X},   {5, 113, 23, 98, X, X},
    {6, 112, 24, 97, 42, 119}, {7, 111, 25, 96, 43, 78}, {8, 110, 26, 95, 44, 77},
    {9, 109, 27, 94, 45, 76},  {33, 92, 28, 93, 46, X},  {54, 71, 29, 92, 47, X},
    {74, 50, 30, 71, 48, 75},  {94, 30, 31, 50, 49, 74}, {93, 31, 52, 30, 50, 73},
    {92, 32, 72, 31, 51, 72},  {71, 33, 71, 52, 52, 71}, {50, 54, 50, 72, 53, X},
    {30, 74, X, X, X, X},      {31, 94, X, X, X, X},
}};

const std::array<std::array<std::uint8_t, 2>, 16> kSweepPairs = {{
    {30, 94},
    {31, 93},
    {32, 92},
    {33, 71},
    {54, 50},
    {74, 30},
    {94, 31},
    {93, 32},
    {92, 33},
    {71, 54},
    {50, 74},
    {51, 73},
    {52, 72},
    {53, 51},
    {73, 52},
    {72, 53},
}};

}  // namespace vandrel
