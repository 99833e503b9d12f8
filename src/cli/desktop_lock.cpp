#include "cli/desktop_lock.h"

#include <cstdio>
#include <cstdlib>

namespace vandrel::cli {

std::optional<SingleInstance> LockOutDesktopProgram(std::string& error) {
  const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
  SingleInstance instance =
      SingleInstance::Acquire(InstanceFolder(runtime_dir != nullptr ? runtime_dir : ""));
  switch (instance.role()) {
    case SingleInstance::Role::kFirst:
      return instance;
    case SingleInstance::Role::kSecond:
      error =
          "the desktop program vandrel is running (or another vandrelctl is changing its files): "
          "it keeps the macros in memory and would overwrite this change. Nothing was changed; "
          "end it from its tray menu (Exit) and try again";
      return std::nullopt;
    case SingleInstance::Role::kUnchecked:
      std::fprintf(stderr,
                   "vandrelctl: cannot tell whether the desktop program is running (%s); "
                   "changing the files anyway\n",
                   instance.problem().c_str());
      return instance;
  }
  return instance;
}

}  // namespace vandrel::cli
