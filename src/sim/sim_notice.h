// What the simulator tells its host about its own files: a state file kept aside, a state or a
// trace that could not be written. Hosts show the text; a failure means changes were lost.
#pragma once

#include <functional>
#include <string>

namespace vandrel::sim {

struct SimNotice {
  bool failure = false;  // true: a change or a trace line was lost; false: information only
  std::string text;      // one sentence naming the file
};

// Receives notices from any thread of the bus, one call at a time per notice.
using SimNoticeSink = std::function<void(const SimNotice&)>;

}  // namespace vandrel::sim
