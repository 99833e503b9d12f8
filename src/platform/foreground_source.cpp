#include "platform/foreground_source.h"

namespace vandrel {

// FIXME: no platform source is wired in yet, so linked profiles are kept but never switched to.
std::unique_ptr<ForegroundProgram> MakeForegroundProgram() {
  return std::make_unique<UnknownForegroundProgram>();
}

}  // namespace vandrel
