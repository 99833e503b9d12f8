// Thread names: what `top -H`, perf and /proc/PID/task/TID/comm show for each of the program's
// threads, so that a user (or we) can tell where the time goes. Any thread.
#pragma once

#include <cstddef>
#include <string_view>

namespace vandrel {

// Linux keeps at most this many bytes of a thread's name.
inline constexpr std::size_t kThreadNameLimit = 15;

// Names the calling thread; a name longer than the limit is cut to it. A name given at compile
// time is better checked with FitsThreadName, so that nothing is cut.
void NameThisThread(std::string_view name);

[[nodiscard]] constexpr bool FitsThreadName(std::string_view name) {
  return !name.empty() && name.size() <= kThreadNameLimit;
}

}  // namespace vandrel
