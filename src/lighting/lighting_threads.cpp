#include "lighting/lighting_threads.h"

namespace vandrel {

LightingThreads::LightingThreads(const LightingThreadInputs& inputs)
    : keyboard_(inputs), mouse_(inputs), pad_(inputs), sync_(inputs) {}

void LightingThreads::AttachTo(WorkerThreads& threads) {
  threads.SetBody(WorkerSlot::kKeyboardLighting, [this](Event& stop) { keyboard_.Run(stop); });
  threads.SetBody(WorkerSlot::kMouseLighting, [this](Event& stop) { mouse_.Run(stop); });
  threads.SetBody(WorkerSlot::kPadLighting, [this](Event& stop) { pad_.Run(stop); });
  threads.SetBody(WorkerSlot::kSyncLighting, [this](Event& stop) { sync_.Run(stop); });
}

}  // namespace vandrel
