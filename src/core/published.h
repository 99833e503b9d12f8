// Published<T>: the last value of T that a thread made public, for readers on other threads. A
// reader always gets one whole value, never half of one publication and half of the next, and no
// side takes a lock: the value travels in atomic words guarded by a sequence number (odd while a
// publication is under way). Publishers take turns through that number; a reader that met a
// publication in progress reads again.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace vandrel {

template <typename T>
requires std::is_trivially_copyable_v<T> && std::is_default_constructible_v<T>
class Published {
 public:
  Published() { Publish(T{}); }
  explicit Published(const T& value) { Publish(value); }
  Published(const Published&) = delete;
  Published& operator=(const Published&) = delete;

  // Any thread.
  void Publish(const T& value) {
    Words words{};
    std::memcpy(words.data(), &value, sizeof(T));
    const std::uint64_t begun = BeginPublication();
    // Release stores: no word can be seen before the odd sequence number that announces it.
    for (std::size_t i = 0; i < kWordCount; ++i) {
      words_[i].store(words[i], std::memory_order_release);
    }
    sequence_.store(begun + 1, std::memory_order_release);
  }

  // Any thread.
  [[nodiscard]] T Read() const {
    Words words{};
    for (;;) {
      const std::uint64_t before = sequence_.load(std::memory_order_acquire);
      if ((before & 1U) != 0) continue;
      // Acquire loads: the sequence number is read again only after every word.
      for (std::size_t i = 0; i < kWordCount; ++i) {
        words[i] = words_[i].load(std::memory_order_acquire);
      }
      if (sequence_.load(std::memory_order_relaxed) == before) break;
    }
    T value;
    // T is trivially copyable, though its default constructor need not be trivial (members
    // with initialisers), which the compiler's memcpy check would otherwise object to.
    std::memcpy(static_cast<void*>(&value), words.data(), sizeof(T));
    return value;
  }

  // How many values were published; a reader compares it to skip a value it already has.
  [[nodiscard]] std::uint64_t Version() const {
    return sequence_.load(std::memory_order_acquire) / 2;
  }

 private:
  static constexpr std::size_t kWordCount = (sizeof(T) + 7) / 8;
  using Words = std::array<std::uint64_t, kWordCount>;

  // Makes the sequence odd for this publisher; the result is the odd value.
  std::uint64_t BeginPublication() {
    std::uint64_t current = sequence_.load(std::memory_order_relaxed);
    for (;;) {
      if ((current & 1U) != 0) {
        current = sequence_.load(std::memory_order_relaxed);
        continue;
      }
      if (sequence_.compare_exchange_weak(current, current + 1, std::memory_order_acquire,
                                          std::memory_order_relaxed)) {
        return current + 1;
      }
    }
  }

  std::atomic<std::uint64_t> sequence_{0};
  std::array<std::atomic<std::uint64_t>, kWordCount> words_{};
};

}  // namespace vandrel
