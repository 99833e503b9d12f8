#include "core/bytes.h"

#include <gtest/gtest.h>

#include <array>

namespace vandrel {
namespace {

TEST(BytesTest, LittleEndianValuesLandLowByteFirst) {
  std::array<std::uint8_t, 8> bytes{};
  WriteLe16(bytes, 1, 0x1234);
  WriteLe32(bytes, 3, 0xA1B2C3D4);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 8>{0x00, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0x00}));
  EXPECT_EQ(ReadLe16(bytes, 1), 0x1234);
  EXPECT_EQ(ReadLe32(bytes, 3), 0xA1B2C3D4U);
  // A checksum of 0x0024 as the command reports carry it in bytes 1-2.
  const std::array<std::uint8_t, 3> report{0x04, 0x24, 0x00};
  EXPECT_EQ(ReadLe16(report, 1), 0x0024);
}

static_assert(ReadLe16(std::array<std::uint8_t, 2>{0xFF, 0x7F}, 0) == 0x7FFF);

}  // namespace
}  // namespace vandrel
