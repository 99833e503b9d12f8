// Trace lines: the system's debug output (what the original platform sent to the debugger). A
// line goes to standard error when the environment variable VANDREL_TRACE is set, and to every
// live TraceCapture. Traces carry no behaviour and there is no log file. Any thread.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

void Trace(std::string_view line);

// A message for the person running the program about something it refused (a file too large to
// read, say): "PROGRAM: MESSAGE" on standard error whether or not tracing is on, once per distinct
// message, and to every live TraceCapture each time. Any thread.
void Warn(std::string_view message);

// Collects the trace lines written while it lives, for tests.
class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  [[nodiscard]] std::vector<std::string> Lines() const;
  [[nodiscard]] bool Contains(std::string_view line) const;

 private:
  friend void Trace(std::string_view line);
  friend void Warn(std::string_view message);
  // Hands `line` to every live capture.
  static void CaptureLine(std::string_view line);

  // A message for the person running the program about something it refused (a file too large to
  // read, say): "PROGRAM: MESSAGE" on standard error whether or not tracing is on, once per
  // distinct message, and to every live TraceCapture each time. Any thread.
  void Warn(std::string_view message);

  mutable std::mutex mutex_;  // guards lines_
  std::vector<std::string> lines_;
};

}  // namespace vandrel
