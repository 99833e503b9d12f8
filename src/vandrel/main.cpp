// vandrel: the desktop program. Only one copy runs per user: a later copy asks the running one
// to show its window and ends. The program lives in the tray; its window's close button only
// hides it, and it ends through the menus' exit (Ctrl+Q), SIGTERM or SIGINT. On a desktop without
// a notification area the close button ends it too.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/window_messages.h"
#include "core/trace.h"
#include "platform/home_folder.h"
#include "platform/single_instance.h"
#include "vandrel/application.h"
#include "vandrel/program_options.h"

namespace {

using namespace std::chrono_literals;
using vandrel::SingleInstance;

// The first copy may still be starting its socket: try for about two seconds.
constexpr int kActivationAttempts = 10;
constexpr vandrel::Clock::Duration kActivationPause = 200ms;

// A later copy: wakes the running one. True when it answered.
bool ActivateFirstCopy(const SingleInstance& instance) {
  vandrel::SteadyClock clock;
  return vandrel::SendToFirstInstance(instance.socket_path(), vandrel::kActivationName,
                                      kActivationAttempts, kActivationPause, clock);
}

// The lock for this copy; nullopt when another copy runs and this one should end. A holder that
// does not answer is most likely vandrelctl changing the macro files for a moment, which holds
// the lock to keep the program from starting in the middle: by the time the activation has
// given up, the change is over and the lock is free.
std::optional<SingleInstance> TakeInstance(const std::optional<std::filesystem::path>& folder) {
  SingleInstance instance = SingleInstance::Acquire(folder);
  if (instance.role() != SingleInstance::Role::kSecond) return instance;
  if (ActivateFirstCopy(instance)) return std::nullopt;
  SingleInstance retried = SingleInstance::Acquire(folder);
  if (retried.role() != SingleInstance::Role::kSecond) return retried;
  std::fprintf(stderr, "vandrel: another copy is running but did not answer at %s\n",
               retried.socket_path().c_str());
  return std::nullopt;
}

// Without the lock nothing keeps another copy out: run all the same, but never silently.
void WarnUnchecked(const SingleInstance& instance) {
  vandrel::Trace("single instance: no lock taken (" + instance.problem() + ")");
  std::fprintf(stderr, "vandrel: another copy may be running: no lock taken (%s)\n",
               instance.problem().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<vandrel::ProgramOptions> options =
      vandrel::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "vandrel: %s\n\n%s", error.c_str(), vandrel::kProgramUsage.data());
    return 2;
  }
  if (options->help || options->version) {
    std::fputs(options->help ? vandrel::kProgramUsage.data() : "vandrel " VANDREL_VERSION "\n",
               stdout);
    return 0;
  }
  if (std::string problem; !vandrel::FindHomeFolder(&problem)) {
    std::fprintf(stderr, "vandrel: no usable home folder: %s\n", problem.c_str());
    return 1;
  }
  const char* runtime_dir = std::getenv("XDG_RUNTIME_DIR");
  const std::optional<SingleInstance> taken =
      TakeInstance(vandrel::InstanceFolder(runtime_dir ? runtime_dir : ""));
  if (!taken) return 0;
  const SingleInstance& instance = *taken;
  if (instance.role() == SingleInstance::Role::kUnchecked) WarnUnchecked(instance);

  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // the program lives on in the tray
  std::unique_ptr<vandrel::Application> program =
      vandrel::Application::Create(*options, instance, error);
  if (!program) {
    std::fprintf(stderr, "vandrel: %s\n", error.c_str());
    return 1;
  }
  return program->Run();
}
