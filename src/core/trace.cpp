#include "core/trace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vandrel {
namespace {

std::mutex captures_mutex;  // guards captures
std::vector<TraceCapture*> captures;

bool TraceToStandardError() {
  static const bool enabled = std::getenv("VANDREL_TRACE") != nullptr;
  return enabled;
}

}  // namespace

void Trace(std::string_view line) {
  if (TraceToStandardError()) {
    // One write per line, so lines of different threads never interleave.
    std::string text(line);
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stderr);
  }
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
