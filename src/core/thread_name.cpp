#include "core/thread_name.h"

#include <pthread.h>

#include <algorithm>
#include <array>

namespace vandrel {

void NameThisThread(std::string_view name) {
  std::array<char, kThreadNameLimit + 1> text{};  // zero-filled: the copy stays terminated
  std::copy_n(name.begin(), std::min(name.size(), kThreadNameLimit), text.begin());
  // Only a name too long fails, which the copy rules out.
  (void)pthread_setname_np(pthread_self(), text.data());
}

}  // namespace vandrel
