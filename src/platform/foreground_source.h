// The foreground-program source the desktop program's watchers share, and the one it uses where
// nothing tells it which program is in the foreground.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/foreground_program.h"

namespace vandrel {

// A desktop that tells nothing: the foreground program is never known and never changes, so the
// watchers sleep until they are stopped and no linked profile is ever used (rather than a wrong
// one).
class UnknownForegroundProgram final : public ForegroundProgram {
 public:
  [[nodiscard]] std::optional<std::string> Current() override { return std::nullopt; }
  [[nodiscard]] bool ReportsChanges() const override { return true; }
};

// The source for this desktop session.
[[nodiscard]] std::unique_ptr<ForegroundProgram> MakeForegroundProgram();

}  // namespace vandrel
