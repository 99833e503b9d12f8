// The pointer path a recoil table makes, for the page's path chart: where the pointer stands after
// each shot's movements, so that a user sees the table's pull rather than reading its numbers.
// Qt-free; any thread.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "macro/recoil_tables.h"
#include "ui/control_state.h"

namespace vandrel {

// 0, 0 (labelled "0"), then one point per shot (labelled with its number from 1): the sum of the
// movements so far, across to the right and down positive (a leftward or upward movement counts
// negative, a shot without a movement of a kind adds nothing of it). The point after shot
// `marked` is marked.
[[nodiscard]] std::vector<ChartItem> RecoilPath(std::span<const RecoilShot> shots,
                                                std::optional<int> marked);

}  // namespace vandrel
