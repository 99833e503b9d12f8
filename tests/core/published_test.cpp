#include "core/published.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

#include "support/deadline.h"

namespace vandrel {
namespace {

// A frame-sized value that a publisher always fills with one value: a reader that ever sees two
// values in one read has seen half of one publication and half of another.
struct Uniform {
  std::array<std::uint8_t, 520> bytes{};
  [[nodiscard]] bool IsWhole() const {
    for (const std::uint8_t byte : bytes) {
      if (byte != bytes[0]) return false;
    }
    return true;
  }
};

Uniform Filled(int value) {
  Uniform uniform;
  uniform.bytes.fill(static_cast<std::uint8_t>(value));
  return uniform;
}

TEST(PublishedTest, ReadsTheLastValuePublishedAndCountsPublications) {
  Published<Uniform> published;
  EXPECT_EQ(published.Read().bytes[0], 0);
  const std::uint64_t before = published.Version();
  published.Publish(Filled(7));
  published.Publish(Filled(9));
  EXPECT_EQ(published.Read().bytes, Filled(9).bytes);
  EXPECT_EQ(published.Version(), before + 2);
}

TEST(PublishedTest, ReadersNeverSeeHalfAPublicationWhileTwoThreadsPublish) {
  constexpr int kPublications = 100000;
  Published<Uniform> published;
  std::atomic<bool> reading{false};
  std::atomic<bool> done{false};
  int torn = 0;
  std::thread reader([&] {
    while (!done.load()) {
      if (!published.Read().IsWhole()) ++torn;
      reading = true;
    }
  });
  const bool reader_started = testing::PollUntil([&] { return reading.load(); });
  const auto publish = [&](int first) {
    for (int value = first; value < kPublications; value += 2) published.Publish(Filled(value));
  };
  std::thread even(publish, 0);
  std::thread odd(publish, 1);
  even.join();
  odd.join();
  done = true;
  reader.join();
  ASSERT_TRUE(reader_started) << "the reader never read";
  EXPECT_EQ(torn, 0);
  EXPECT_TRUE(published.Read().IsWhole());
  EXPECT_EQ(published.Version(), 1U + kPublications);
}

}  // namespace
}  // namespace vandrel
