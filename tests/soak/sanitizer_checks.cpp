#include "soak/sanitizer_checks.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <regex>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANDREL_SOAK_ASAN 1
#endif
#if __has_feature(thread_sanitizer)
#define VANDREL_SOAK_TSAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VANDREL_SOAK_ASAN 1
#endif
#if defined(__SANITIZE_THREAD__)
#define VANDREL_SOAK_TSAN 1
#endif

#ifdef VANDREL_SOAK_ASAN
#include <sanitizer/lsan_interface.h>
#endif

#ifdef VANDREL_SOAK_TSAN
namespace {
std::atomic<int> thread_sanitizer_reports{0};
}  // namespace

// ThreadSanitizer calls this hook for every report it prints (the program exports it).
extern "C" void __tsan_on_report(const void* /*report*/) { thread_sanitizer_reports.fetch_add(1); }
#endif

namespace vandrel::soak {

std::string_view SanitizersInBuild() {
#if defined(VANDREL_SOAK_ASAN)
  return "AddressSanitizer";
#elif defined(VANDREL_SOAK_TSAN)
  return "ThreadSanitizer";
#else
  return "none";
#endif
}

LeakSummary ParseLeakSummary(std::string_view report) {
  static const std::regex kSummary(
      R"(SUMMARY: \w+Sanitizer: (\d+) byte\(s\) leaked in (\d+) allocation\(s\))");
  LeakSummary total;
  const std::string text(report);
  for (auto match = std::sregex_iterator(text.begin(), text.end(), kSummary);
       match != std::sregex_iterator(); ++match) {
    total.bytes += std::stoull((*match)[1].str());
    total.allocations += std::stoull((*match)[2].str());
  }
  return total;
}

#ifdef VANDREL_SOAK_ASAN
namespace {

// Runs `check` with standard error going to a temporary file, and returns what it wrote there.
template <typename Check>
std::string CaptureStandardError(Check check) {
  std::FILE* capture = std::tmpfile();
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  if (capture == nullptr || saved < 0 || dup2(fileno(capture), STDERR_FILENO) < 0) {
    check();
    if (capture != nullptr) std::fclose(capture);
    if (saved >= 0) close(saved);
    return "";
  }
  check();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  std::string text;
  std::rewind(capture);
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, capture)) > 0;) {
    text.append(buffer, read);
  }
  std::fclose(capture);
  return text;
}

}  // namespace
#endif

std::optional<LeakSummary> CheckLeaks() {
#ifdef VANDREL_SOAK_ASAN
  bool leaked = false;
  const std::string report =
      CaptureStandardError([&leaked] { leaked = __lsan_do_recoverable_leak_check() != 0; });
  std::fputs(report.c_str(), stderr);
  LeakSummary summary = ParseLeakSummary(report);
  // A leak whose report could not be read still counts.
  if (leaked && summary.allocations == 0) summary.allocations = 1;
  return summary;
#else
  return std::nullopt;
#endif
}

std::optional<int> ThreadSanitizerReports() {
#ifdef VANDREL_SOAK_TSAN
  return thread_sanitizer_reports.load();
#else
  return std::nullopt;
#endif
}

}  // namespace vandrel::soak
