// What the sanitizers of this build found, for the soak program's report: leaks counted by a
// LeakSanitizer check (builds with AddressSanitizer) and the reports ThreadSanitizer printed.
// AddressSanitizer's and UndefinedBehaviorSanitizer's reports end the program themselves (the
// build does not let them recover), so a program still running has had none.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vandrel::soak {

// The sanitizers this program was built with, in words ("none" without any).
[[nodiscard]] std::string_view SanitizersInBuild();

struct LeakSummary {
  std::uint64_t bytes = 0;
  std::uint64_t allocations = 0;
};

// The totals of a LeakSanitizer report: its summary lines ("SUMMARY: AddressSanitizer: 56
// byte(s) leaked in 2 allocation(s).") added up. Zero for a report without one.
[[nodiscard]] LeakSummary ParseLeakSummary(std::string_view report);

// Looks for leaks now: LeakSanitizer's report goes to standard error as usual and its totals are
// returned. Call it once everything the program made has been destroyed. nullopt when this build
// has no LeakSanitizer.
[[nodiscard]] std::optional<LeakSummary> CheckLeaks();

// How many reports ThreadSanitizer has printed so far; nullopt when this build has no
// ThreadSanitizer.
[[nodiscard]] std::optional<int> ThreadSanitizerReports();

}  // namespace vandrel::soak
