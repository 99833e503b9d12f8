#include <gtest/gtest.h>

#include "sim_host.h"

namespace vandrel::sim {
namespace {

using testing::Request;
using testing::SealChecksum;

class ViolationsTest : public testing::SimFixture {
 protected:
  void SetUp() override { PlugAndOpen(kMouseProductId); }

  // Sends `request` and expects it refused with `status` and counted as `violation`.
  void ExpectRefused(const Report& request, std::uint8_t status, Violation violation) {
    const int before = device_->Violations()[violation];
    EXPECT_EQ(Exchange(request), status) << ViolationName(violation);
    EXPECT_EQ(device_->Violations()[violation], before + 1) << ViolationName(violation);
  }
};

TEST_F(ViolationsTest, EachMalformedFrameIsRefusedAsBadFrame) {
  Report wrong_id = Request(1, 0);
  wrong_id[0] = 5;
  SealChecksum(wrong_id);
  ExpectRefused(wrong_id, kStatusBadFrame, Violation::kReportId);

  Report wrong_sum = Request(5, 1);
  wrong_sum[1] ^= 1;
  ExpectRefused(wrong_sum, kStatusBadFrame, Violation::kChecksum);

  Report status_set = Request(5, 1);
  status_set[7] = 1;
  SealChecksum(status_set);
  ExpectRefused(status_set, kStatusBadFrame, Violation::kStatusByte);

  Report garbage_after_payload = Request(6, 1, 0, {0});
  garbage_after_payload[9] = 0x42;
  SealChecksum(garbage_after_payload);
  ExpectRefused(garbage_after_payload, kStatusBadFrame, Violation::kPadding);
}

TEST_F(ViolationsTest, UnknownCommandsAndOutOfRangeRequestsAreRefused) {
  ExpectRefused(Request(4, 0), kStatusRefused, Violation::kUnknownCommand);
  ExpectRefused(Request(5, 57), kStatusRefused, Violation::kLength);
  ExpectRefused(Request(5, 0), kStatusRefused, Violation::kLength);
  ExpectRefused(Request(3, 32), kStatusRefused, Violation::kLength);
  ExpectRefused(Request(1, 1, 0, {1}), kStatusRefused, Violation::kLength);
  ExpectRefused(Request(7, 56, 512 - 55), kStatusRefused, Violation::kOffset);
  ExpectRefused(Request(6, 1, 64, {0}), kStatusRefused, Violation::kOffset);
  EXPECT_EQ(device_->ViolationCount(), 7);
}

// Key pages, macro and recoil memory are written inside a configuration bracket; slot switches,
// the live settings and reads are not.
TEST_F(ViolationsTest, KeyMacroAndRecoilWritesOutsideTheConfigurationBracketAreCounted) {
  const struct {
    Report request;
    bool needs_bracket;
  } requests[] = {
      {Request(9, 3, 126, {0x20, 0, 4}), true},
      {Request(21, 2, 0, {1, 2}), true},
      {Request(23, 2, 0, {3, 4}), true},
      {Request(6, 1, 0, {0}), false},
      {Request(5, 56, 64), false},
      {Request(8, 56, 0), false},
  };
  int expected = 0;
  for (const auto& [request, needs_bracket] : requests) {
    EXPECT_EQ(Exchange(request), kStatusAccepted) << int{request[3]};
    expected += needs_bracket ? 1 : 0;
    EXPECT_EQ(device_->Violations()[Violation::kOutsideBracket], expected) << int{request[3]};
    ASSERT_EQ(Exchange(Request(1, 0)), kStatusAccepted);
    EXPECT_EQ(Exchange(request), kStatusAccepted) << int{request[3]};
    ASSERT_EQ(Exchange(Request(2, 0)), kStatusAccepted);
    EXPECT_EQ(device_->Violations()[Violation::kOutsideBracket], expected) << int{request[3]};
  }
  EXPECT_EQ(device_->ViolationCount(), 3);
  // Counted, but carried out.
  EXPECT_EQ(device_->Memory().key_pages[128], 4);
  EXPECT_EQ(device_->Memory().recoil[1], 4);
}

TEST_F(ViolationsTest, ARefusedRequestChangesNothing) {
  const FirmwareImage before = device_->Memory();
  Report bad = Request(9, 3, 0, {0x20, 0, 4});
  bad[1] ^= 0xFF;
  EXPECT_EQ(Exchange(bad), kStatusBadFrame);
  EXPECT_EQ(Exchange(Request(9, 3, 4 * 126 + 510, {0x20, 0, 4})), kStatusRefused);
  EXPECT_EQ(device_->Memory(), before);
}

}  // namespace
}  // namespace vandrel::sim
