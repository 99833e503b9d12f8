// vandrel_soak [SECONDS] [--seed=N]: the soak program (scripts/soak runs it under the sanitizers).
// For SECONDS (default 60) it runs the main window hub with its worker threads on the real clock,
// one life of the window after another, while the three simulated devices are plugged in and
// pulled out with every fault the simulator has and the pages are edited. Then it prints what it
// did and what went wrong, and exits 1 when anything did: a leak, a worker thread that outlived
// its stop bound, a ThreadSanitizer report, a user-interface thread that stopped coming back, or
// no device ever opened by the host. AddressSanitizer and UndefinedBehaviorSanitizer end the
// program at their first report.
#include <stdlib.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/data_folders.h"
#include "app/fake_user_folders.h"
#include "app/worker_threads.h"
#include "platform/file_settings_store.h"
#include "sim/virtual_bus.h"
#include "soak/device_chaos.h"
#include "soak/progress_watch.h"
#include "soak/sanitizer_checks.h"
#include "soak/soak_session.h"

namespace vandrel::soak {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr Clock::Duration kStallBound = seconds(60);

struct Options {
  Clock::Duration length = seconds(60);
  std::uint32_t seed = std::random_device{}();
};

struct Totals {
  int sessions = 0;
  int edits = 0;
  Clock::Duration longest_stop{0};
  Busy longest_busy;
  bool threads_abandoned = false;
  int threads_left = 0;
  ChaosCounts chaos;
};

std::optional<Options> ReadOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool is_seed = argument.starts_with("--seed=");
    const std::string_view digits = is_seed ? argument.substr(7) : argument;
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(digits.begin(), digits.end(), value);
    if (error != std::errc() || end != digits.end()) return std::nullopt;
    if (is_seed) {
      options.seed = static_cast<std::uint32_t>(value);
    } else {
      options.length = seconds(value);
    }
  }
  return options;
}

// A folder of its own under the temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vandrel-soak-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

long long Millis(Clock::Duration duration) {
  return std::chrono::duration_cast<milliseconds>(duration).count();
}

void PrintSession(int number, Clock::Duration length, const SessionOutcome& outcome, int cycles) {
  std::printf("soak: window %d: %.1f s, %d edits, stopped in %lld ms; %d cycles so far\n", number,
              std::chrono::duration<double>(length).count(), outcome.edits,
              Millis(outcome.stop_time), cycles);
}

// Lives of the window one after another until `options.length` is over, with the devices in
// chaos all along; the last window is left undestroyed when its worker threads were abandoned.
Totals RunSessions(const Options& options, const SessionServices& services, DeviceChaos& chaos,
                   ProgressWatch& watch) {
  Totals totals;
  std::mt19937 random(options.seed);
  const Clock::Duration end = services.clock.Now() + options.length;
  while (end - services.clock.Now() >= seconds(1)) {
    const Clock::Duration length =
        std::min(end - services.clock.Now(),
                 Clock::Duration(seconds(std::uniform_int_distribution(5, 20)(random))));
    const Clock::Duration start = services.clock.Now();
    auto session = std::make_unique<SoakSession>(services, static_cast<std::uint32_t>(random()));
    const SessionOutcome outcome = session->Run(length, [&watch] { watch.Beat(); });
    PrintSession(++totals.sessions, services.clock.Now() - start, outcome, chaos.Counts().cycles);
    totals.edits += outcome.edits;
    totals.longest_stop = std::max(totals.longest_stop, outcome.stop_time);
    totals.longest_busy.Note(outcome.longest_busy.time, [&] { return outcome.longest_busy.what; });
    if (outcome.threads_abandoned) {
      // The threads still running use the window: nothing of it may be destroyed.
      totals.threads_abandoned = true;
      totals.threads_left = outcome.threads_left;
      (void)session.release();
      break;
    }
    session.reset();
    watch.Beat();
  }
  return totals;
}

std::string Joined(const std::vector<std::string>& parts) {
  if (parts.empty()) return "none";
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

void PrintActivity(const Totals& totals) {
  const ChaosCounts& chaos = totals.chaos;
  std::printf(
      "soak: cycles %d (%d with the device open by the host, %d gone in the middle of a "
      "transfer)\n",
      chaos.cycles, chaos.opened, chaos.vanished);
  std::vector<std::string> faults;
  for (const auto& [kind, count] : chaos.faults)
    faults.push_back(kind + " " + std::to_string(count));
  std::printf("soak: faults shown: %s\n", Joined(faults).c_str());
  std::printf(
      "soak: windows %d, page edits %d, presses on the devices %d, requests %lld, "
      "lighting frames %lld\n",
      totals.sessions, totals.edits, chaos.device_actions, chaos.requests, chaos.frames);
  std::vector<std::string> violations;
  for (const auto& [violation, count] : chaos.violations) {
    violations.push_back(std::string(sim::ViolationName(violation)) + " " + std::to_string(count));
  }
  std::printf("soak: requests the devices found wrong: %s\n", Joined(violations).c_str());
  std::printf("soak: the longest the user-interface thread was busy with one thing: %lld ms (%s)\n",
              Millis(totals.longest_busy.time),
              totals.longest_busy.what.empty() ? "nothing" : totals.longest_busy.what.c_str());
}

// Prints the findings and says whether there were none.
bool PrintFindings(const Totals& totals, const std::optional<LeakSummary>& leaks) {
  std::vector<std::string> failures;
  std::printf("soak: longest stop %lld ms (bound %lld ms); threads past the bound: %d\n",
              Millis(totals.longest_stop), Millis(WorkerThreads::kStopTimeout),
              totals.threads_left);
  if (totals.threads_abandoned) failures.push_back("threads past their stop bound");
  if (leaks) {
    std::printf("soak: leaks: %llu allocations, %llu bytes\n",
                static_cast<unsigned long long>(leaks->allocations),
                static_cast<unsigned long long>(leaks->bytes));
    if (leaks->allocations > 0) failures.push_back("leaks");
  } else if (!totals.threads_abandoned) {
    std::printf("soak: leaks: not checked (no LeakSanitizer in this build)\n");
  }
  if (const std::optional<int> reports = ThreadSanitizerReports()) {
    std::printf("soak: ThreadSanitizer reports: %d\n", *reports);
    if (*reports > 0) failures.push_back("ThreadSanitizer reports");
  }
  if (!totals.threads_abandoned && totals.chaos.opened == 0) {
    failures.push_back("no device was ever opened");
  }
  std::printf("soak: %s%s\n", failures.empty() ? "passed" : "FAILED: ",
              failures.empty() ? "" : Joined(failures).c_str());
  return failures.empty();
}

Totals RunSoak(const Options& options) {
  SteadyClock clock;
  const ScratchFolder scratch;
  const testing::FakeUserFolders user_folders(scratch.path());
  const DataFolders folders(user_folders);
  FileSettingsStore settings(FileSettingsStore::DefaultPath(user_folders));
  Skin skin(std::filesystem::path(VANDREL_SOURCE_DIR) / "skin");
  if (scratch.path().empty() || !skin.LoadIndex()) {
    std::fprintf(stderr, "soak: cannot make a scratch folder or read the skin\n");
    std::exit(2);
  }
  sim::VirtualBus bus(clock);
  DeviceChaos chaos(bus, clock, options.seed);
  ProgressWatch watch(clock, kStallBound, [&chaos] {
    std::printf(
        "soak: FAILED: the user-interface thread has not come back for %lld s, after %d "
        "cycles\n",
        Millis(kStallBound) / 1000, chaos.Counts().cycles);
    std::_Exit(1);
  });
  chaos.Start();
  Totals totals = RunSessions(options, {clock, bus, skin, folders, settings}, chaos, watch);
  if (totals.threads_abandoned) {
    // The threads still running use the window, the bus and the clock: the program ends here,
    // destroying nothing.
    totals.chaos = chaos.Counts();
    PrintActivity(totals);
    (void)PrintFindings(totals, std::nullopt);
    std::_Exit(1);
  }
  chaos.Stop();
  totals.chaos = chaos.Counts();
  return totals;
}

}  // namespace
}  // namespace vandrel::soak

int main(int argc, char** argv) {
  using namespace vandrel::soak;
  const std::optional<Options> options = ReadOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: vandrel_soak [SECONDS] [--seed=N]\n");
    return 2;
  }
  // Every line as it comes, even into a pipe, and before LeakSanitizer may end the program.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  std::printf("soak: %lld s, seed %u, sanitizers: %s\n", Millis(options->length) / 1000,
              options->seed, std::string(SanitizersInBuild()).c_str());
  // On a thread of its own, so that no pointer left on its stack hides a leak from the check.
  Totals totals;
  std::thread soak([&] { totals = RunSoak(*options); });
  soak.join();
  // Everything the soak made is gone now: what LeakSanitizer still finds was lost.
  const std::optional<LeakSummary> leaks = CheckLeaks();
  PrintActivity(totals);
  return PrintFindings(totals, leaks) ? 0 : 1;
}
