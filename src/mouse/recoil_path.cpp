#include "mouse/recoil_path.h"

#include <string>

namespace vandrel {
namespace {

int Signed(const std::optional<RecoilMove>& move) {
  if (!move) return 0;
  return move->toward_flag ? -move->distance : move->distance;
}

}  // namespace

std::vector<ChartItem> RecoilPath(std::span<const RecoilShot> shots, std::optional<int> marked) {
  std::vector<ChartItem> path;
  path.reserve(shots.size() + 1);
  path.push_back({.label = "0"});
  double across = 0;
  double down = 0;
  for (std::size_t shot = 0; shot < shots.size(); ++shot) {
    across += Signed(shots[shot].horizontal);
    down += Signed(shots[shot].vertical);
    path.push_back({.label = std::to_string(shot + 1),
                    .value = across,
                    .y = down,
                    .marked = marked == static_cast<int>(shot)});
  }
  return path;
}

}  // namespace vandrel
