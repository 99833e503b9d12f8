#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include <numeric>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::uint8_t> Counting(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
  return bytes;
}

TEST(ProfileFileTest, AWrittenFileIsHeaderThenPayload) {
  const TempDir folder;
  const auto payload = Counting(64);
  ASSERT_TRUE(WriteProfileFile(folder.path() / "a.led", 3, payload));
  const std::string bytes = ReadFile(folder.path() / "a.led");
  ASSERT_EQ(bytes.size(), 80U);
  EXPECT_EQ(bytes.substr(0, 16), std::string("\xAA\x55\0\0\x03\0\0\0\0\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(bytes[16], 1);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[79]), 64);

  const ProfileReadout readout = ReadProfileFile(folder.path() / "a.led", 64);
  EXPECT_EQ(readout.result, ProfileReadResult::kOk);
  EXPECT_EQ(readout.header_kind, 3);
  EXPECT_EQ(readout.stored_payload_size, 64U);
  EXPECT_EQ(readout.payload, payload);
}

TEST(ProfileFileTest, ReadingTakesWhatThereIsUpToThePayloadSize) {
  const TempDir folder;
  const auto payload = Counting(10);
  ASSERT_TRUE(WriteProfileFile(folder.path() / "short.pro", 1, payload));
  const ProfileReadout shorter = ReadProfileFile(folder.path() / "short.pro", 12);
  ASSERT_EQ(shorter.result, ProfileReadResult::kOk);
  EXPECT_EQ(shorter.payload, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
  const ProfileReadout longer = ReadProfileFile(folder.path() / "short.pro", 4);
  EXPECT_EQ(longer.payload, (std::vector<std::uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(longer.stored_payload_size, 10U);

  // A header alone is a profile of zeros.
  WriteFile(folder.path() / "header.led", EncodeProfileFile(2, {}));
  const ProfileReadout empty = ReadProfileFile(folder.path() / "header.led", 64);
  EXPECT_EQ(empty.result, ProfileReadResult::kOk);
  EXPECT_EQ(empty.payload, std::vector<std::uint8_t>(64, 0));
}

TEST(ProfileFileTest, MissingAndForeignFilesAreToldApart) {
  const TempDir folder;
  EXPECT_EQ(ReadProfileFile(folder.path() / "none.led", 64).result, ProfileReadResult::kMissing);
  EXPECT_EQ(ReadProfileFile(folder.path(), 64).result, ProfileReadResult::kMissing);
  WriteFile(folder.path() / "swapped.led", std::string("\x55\xAA", 2) + std::string(78, '\0'));
  EXPECT_EQ(ReadProfileFile(folder.path() / "swapped.led", 64).result,
            ProfileReadResult::kBadHeader);
  WriteFile(folder.path() / "one.led", "\xAA");
  const ProfileReadout one = ReadProfileFile(folder.path() / "one.led", 64);
  EXPECT_EQ(one.result, ProfileReadResult::kBadHeader);
  EXPECT_EQ(one.payload, std::vector<std::uint8_t>(64, 0)) << "the buffer stays zero";
}

TEST(ProfileFileTest, EveryKindIsFoundByItsDeviceExtensionAndHeader) {
  for (const ProfileRow& row : ProfileRows()) {
    EXPECT_EQ(FindProfileRow(row.device, row.kind), &row);
    EXPECT_EQ(ProfileKindOfExtension(row.extension), row.kind);
    EXPECT_EQ(DeviceOfHeaderKind(row.header_kind), row.device);
  }
  EXPECT_EQ(FindProfileRow(DeviceKind::kPad, ProfileKind::kKey), nullptr);
  EXPECT_EQ(FindProfileRow(DeviceKind::kKeyboard, ProfileKind::kLight)->payload_size, 1958U);
  EXPECT_EQ(ProfileKindOfExtension(".PRO"), ProfileKind::kKey);
  EXPECT_EQ(ProfileKindOfExtension(".ini"), std::nullopt);
  EXPECT_EQ(DeviceOfHeaderKind(0), std::nullopt);
}

TEST(ProfileFileTest, AFailedWriteKeepsTheOldFile) {
  const TempDir folder;
  const auto old_payload = Counting(64);
  ASSERT_TRUE(WriteProfileFile(folder.path() / "keep.led", 2, old_payload));
  {
    const testing::FileSizeLimit full_disk(20);
    EXPECT_FALSE(WriteProfileFile(folder.path() / "keep.led", 2, Counting(64)));
  }
  EXPECT_EQ(ReadProfileFile(folder.path() / "keep.led", 64).payload, old_payload);
}

}  // namespace
}  // namespace vandrel
