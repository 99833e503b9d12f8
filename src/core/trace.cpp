#include "core/trace.h"

#include <errno.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace vandrel {
namespace {

std::mutex captures_mutex;  // guards captures
std::vector<TraceCapture*> captures;

std::mutex warned_mutex;  // guards warned
std::set<std::string, std::less<>> warned;

// One write per line, so lines of different threads never interleave.
void WriteLine(std::string text) {
  text.push_back('\n');
  std::fwrite(text.data(), 1, text.size(), stderr);
}

bool FirstTime(std::string_view message) {
  std::lock_guard lock(warned_mutex);
  return warned.emplace(message).second;
}

bool TraceToStandardError() {
  static const bool enabled = std::getenv("VANDREL_TRACE") != nullptr;
  return enabled;
}

}  // namespace

void Trace(std::string_view line) {
  if (TraceToStandardError()) WriteLine(std::string(line));
  TraceCapture::CaptureLine(line);
}

void Warn(std::string_view message) {
  if (FirstTime(message))
    WriteLine(std::string(program_invocation_short_name) + ": " + std::string(message));
  TraceCapture::CaptureLine(message);
}

void TraceCapture::CaptureLine(std::string_view line) {
  std::lock_guard lock(captures_mutex);
  for (TraceCapture* capture : captures) {
    std::lock_guard capture_lock(capture->mutex_);
    capture->lines_.emplace_back(line);
  }
}

TraceCapture::TraceCapture() {
  std::lock_guard lock(captures_mutex);
  captures.push_back(this);
}

TraceCapture::~TraceCapture() {
  std::lock_guard lock(captures_mutex);
  std::erase(captures, this);
}

std::vector<std::string> TraceCapture::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

bool TraceCapture::Contains(std::string_view line) const {
  std::lock_guard lock(mutex_);
  return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

}  // namespace vandrel
