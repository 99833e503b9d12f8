// The operations on a device's profile lists: the names they choose, the files and catalogue keys
// they leave (byte for byte), the links moving down on delete, what a refused name or a missing
// file leaves untouched, and the saver's waiting rewrites written before the selection changes.
#include "profile/profile_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string ProfileBytes(const ProfileRow& row, char fill) {
  return EncodeProfileFile(row.header_kind, std::vector<std::uint8_t>(
                                                row.payload_size, static_cast<std::uint8_t>(fill)));
}

// Records, at each flush, what the catalogue listed then.
class RecordingSaver final : public ProfileSaver {
 public:
  explicit RecordingSaver(const ProfileCatalogue& catalogue) : catalogue_(catalogue) {}
  void SaveSelected(DeviceKind, unsigned) override {}
  void Flush(DeviceKind device) override {
    flushed.push_back(device);
    names_at_flush = catalogue_.Names(ProfileKind::kLight);
  }
  std::vector<DeviceKind> flushed;
  std::vector<std::string> names_at_flush;

 private:
  const ProfileCatalogue& catalogue_;
};

class OperationsTest : public ::testing::Test {
 protected:
  // The kind's list: `names` with files filled 'A', 'B' …, profile `selected` stored as chosen,
  // and profile i linked to "/usr/bin/game<i>" when listed in `linked`.
  void List(ProfileKind kind, const std::vector<std::string>& names, std::size_t selected = 0,
            const std::vector<std::size_t>& linked = {}) {
    const CatalogueSections& sections = SectionsOf(kind);
    ASSERT_TRUE(catalogue_.file().Update([&](IniDocument& document) {
      bool set = document.Set(sections.count, "count", std::to_string(names.size())) &&
                 document.Set(sections.select, "select", std::to_string(selected));
      for (std::size_t i = 0; i < names.size(); ++i) {
        const bool link = std::find(linked.begin(), linked.end(), i) != linked.end();
        const std::string key = std::to_string(i);
        set = set && document.Set(sections.name, key, names[i]) &&
              document.Set(sections.like, key, link ? "1" : "0") &&
              document.Set(sections.path, key, link ? "/usr/bin/game" + key : " ");
        WriteFile(*catalogue_.ProfilePath(kind, names[i]),
                  ProfileBytes(Row(kind), static_cast<char>('A' + i)));
      }
      return set;
    }));
  }
  const ProfileRow& Row(ProfileKind kind) const { return *FindProfileRow(device_, kind); }
  std::string Key(std::string_view section, std::size_t number) const {
    return catalogue_.file().ReadString(section, std::to_string(number), "-");
  }
  void WriteDefault(ProfileKind kind, char fill) const {
    WriteFile(catalogue_.DefaultPath(kind, 0), ProfileBytes(Row(kind), fill));
  }
  std::string Catalogue() const { return ReadFile(catalogue_.file().path()); }

  TempDir data_;
  TempDir program_;
  DeviceKind device_ = DeviceKind::kMouse;
  ProfileCatalogue catalogue_{device_, data_.path(), program_.path()};
  RecordingSaver saver_{catalogue_};
  ProfileOperations operations_{catalogue_, saver_, 0};
};

TEST_F(OperationsTest, AddTakesTheFirstFreeNumberAndTheDefaultFile) {
  const struct {
    std::vector<std::string> names;
    std::string added;
  } cases[] = {
      {{"profile1", "Profile2"}, "profile3"},
      {{"profile2", "other"}, "profile1"},
      {{"PROFILE1", "profile3", "profile2"}, "profile4"},
  };
  WriteDefault(ProfileKind::kLight, 'd');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.added);
    List(ProfileKind::kLight, c.names, 1);
    const ProfileOutcome outcome = operations_.AddProfile(ProfileKind::kLight);
    ASSERT_EQ(outcome.change, ProfileChange::kDone);
    EXPECT_EQ(outcome.name, c.added);
    EXPECT_EQ(outcome.number, c.names.size());
    std::vector<std::string> expected = c.names;
    expected.push_back(c.added);
    EXPECT_EQ(catalogue_.Names(ProfileKind::kLight), expected);
    EXPECT_EQ(Key("PROFILELIKEDENGEXE", c.names.size()), "0");
    EXPECT_EQ(catalogue_.Selected(ProfileKind::kLight), 1U);
    EXPECT_EQ(ReadFile(*catalogue_.ProfilePath(ProfileKind::kLight, c.added)),
              ProfileBytes(Row(ProfileKind::kLight), 'd'));
    std::filesystem::remove(*catalogue_.ProfilePath(ProfileKind::kLight, c.added));
  }
}

TEST_F(OperationsTest, ASourceThatCannotBeReadChangesNothing) {
  List(ProfileKind::kDevice, {"profile1", "b"}, 1);
  List(ProfileKind::kLight, {"profile1", "b"}, 1);
  WriteFile(data_.path() / "bad.config", "\x55\x55 not a profile");
  WriteFile(catalogue_.DefaultPath(ProfileKind::kLight, 0), "\x55\xAA");
  std::filesystem::remove(*catalogue_.ProfilePath(ProfileKind::kDevice, "b"));
  const std::string catalogue = Catalogue();
  const struct {
    const char* operation;
    std::function<ProfileOutcome()> run;
    ProfileChange change;
  } cases[] = {
      {"add without default", [&] { return operations_.AddProfile(ProfileKind::kDevice); },
       ProfileChange::kSourceMissing},
      {"add with bad default", [&] { return operations_.AddProfile(ProfileKind::kLight); },
       ProfileChange::kSourceBad},
      {"copy of a lost file", [&] { return operations_.CopyProfile(ProfileKind::kDevice, 1); },
       ProfileChange::kSourceMissing},
      {"rename of a lost file",
       [&] { return operations_.RenameProfile(ProfileKind::kDevice, 1, "c"); },
       ProfileChange::kSourceMissing},
      {"import of a bad file",
       [&] { return operations_.ImportProfile(ProfileKind::kDevice, data_.path() / "bad.config"); },
       ProfileChange::kSourceBad},
      {"import of nothing",
       [&] { return operations_.ImportProfile(ProfileKind::kLight, data_.path() / "none.led"); },
       ProfileChange::kSourceMissing},
      {"reset with bad default", [&] { return operations_.ResetProfile(ProfileKind::kLight, 1); },
       ProfileChange::kSourceBad},
      {"export of a lost file",
       [&] { return operations_.ExportProfile(ProfileKind::kDevice, 1, data_.path() / "x"); },
       ProfileChange::kSourceMissing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operation);
    EXPECT_EQ(c.run().change, c.change);
    EXPECT_EQ(Catalogue(), catalogue);
    EXPECT_FALSE(std::filesystem::exists(data_.path() / "c.config"));
    EXPECT_FALSE(std::filesystem::exists(data_.path() / "profile2.config"));
    EXPECT_FALSE(std::filesystem::exists(data_.path() / "x"));
    EXPECT_EQ(ReadFile(*catalogue_.ProfilePath(ProfileKind::kLight, "b")),
              ProfileBytes(Row(ProfileKind::kLight), 'B'));
  }
  EXPECT_EQ(MessageOf(ProfileChange::kSourceMissing), "message_text_8");
  EXPECT_EQ(MessageOf(ProfileChange::kSourceBad), "message_text_9");
}

TEST_F(OperationsTest, CopyAddsCopyUntilTheNameIsFree) {
  const struct {
    std::vector<std::string> names;
    std::size_t copied;
    std::string copy;
  } cases[] = {
      {{"a", "a copy"}, 0, "a copy copy"},
      {{"A COPY", "a"}, 1, "a copy copy"},
      {{"x", "y"}, 1, "y copy"},
      {{"a copy copy", "a", "a copy"}, 1, "a copy copy copy"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.copy);
    List(ProfileKind::kLight, c.names);
    const std::string like_key = std::to_string(c.names.size());
    const ProfileOutcome outcome = operations_.CopyProfile(ProfileKind::kLight, c.copied);
    ASSERT_EQ(outcome.change, ProfileChange::kDone);
    EXPECT_EQ(outcome.name, c.copy);
    EXPECT_EQ(outcome.number, c.names.size());
    EXPECT_EQ(catalogue_.Names(ProfileKind::kLight).back(), c.copy);
    EXPECT_EQ(ReadFile(*catalogue_.ProfilePath(ProfileKind::kLight, c.copy)),
              ProfileBytes(Row(ProfileKind::kLight), static_cast<char>('A' + c.copied)));
    std::filesystem::remove(*catalogue_.ProfilePath(ProfileKind::kLight, c.copy));
  }
}

TEST_F(OperationsTest, DeleteMovesTheLaterLinksDownAndEndsOnTheLast) {
  List(ProfileKind::kLight, {"p0", "p1", "p2", "p3"}, 1, {2, 3});
  const ProfileOutcome outcome = operations_.DeleteProfile(ProfileKind::kLight, 1);
  ASSERT_EQ(outcome.change, ProfileChange::kDone);
  EXPECT_EQ(outcome.number, 2U);
  EXPECT_EQ(outcome.name, "p3");
  EXPECT_EQ(catalogue_.Names(ProfileKind::kLight), (std::vector<std::string>{"p0", "p2", "p3"}));
  const struct {
    std::size_t number;
    std::string like;
    std::string path;
  } links[] = {{0, "0", ""}, {1, "1", "/usr/bin/game2"}, {2, "1", "/usr/bin/game3"}};
  for (const auto& link : links) {
    EXPECT_EQ(Key("PROFILELIKEDENGEXE", link.number), link.like);
    EXPECT_EQ(Key("DENGPROCESS", link.number), link.path);
  }
  EXPECT_FALSE(std::filesystem::exists(data_.path() / "p1.led"));
  EXPECT_TRUE(std::filesystem::exists(data_.path() / "p3.led"));
  // The saver wrote what it held while the old list still named its files.
  EXPECT_EQ(saver_.flushed, std::vector<DeviceKind>{DeviceKind::kMouse});
  EXPECT_EQ(saver_.names_at_flush, (std::vector<std::string>{"p0", "p1", "p2", "p3"}));

  List(ProfileKind::kKey, {"only"});
  const std::string catalogue = Catalogue();
  const ProfileOutcome only = operations_.DeleteProfile(ProfileKind::kKey, 0);
  EXPECT_EQ(only.change, ProfileChange::kOnlyProfile);
  EXPECT_EQ(MessageOf(only.change), "message_text_11");
  EXPECT_EQ(Catalogue(), catalogue);
  EXPECT_TRUE(std::filesystem::exists(data_.path() / "only.pro"));
}

TEST_F(OperationsTest, RenameRefusesWhatCannotBeAFileOfTheFolder) {
  const struct {
    std::string name;
    ProfileChange change;
    std::string_view message;
  } cases[] = {
      {"one", ProfileChange::kNameTaken, "message_text_15"},
      {"TWO", ProfileChange::kNameTaken, "message_text_15"},
      {"", ProfileChange::kNameEmpty, "message_text_14"},
      {"..", ProfileChange::kNameInvalid, "message_text_profile_name_invalid"},
      {"../../escaped", ProfileChange::kNameInvalid, "message_text_profile_name_invalid"},
      {"tab\there", ProfileChange::kNameInvalid, "message_text_profile_name_invalid"},
      {std::string("nul\0x", 5), ProfileChange::kNameInvalid, "message_text_profile_name_invalid"},
      {std::string(300, 'n'), ProfileChange::kNameTooLong, "message_text_profile_name_long"},
      {"stray", ProfileChange::kFileExists, "message_text_profile_file_exists"},
  };
  List(ProfileKind::kKey, {"one", "two"});
  WriteFile(data_.path() / "stray.pro", "kept");
  const std::string catalogue = Catalogue();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProfileOutcome outcome = operations_.RenameProfile(ProfileKind::kKey, 0, c.name);
    EXPECT_EQ(outcome.change, c.change);
    EXPECT_EQ(MessageOf(outcome.change), c.message);
    EXPECT_EQ(Catalogue(), catalogue);
    EXPECT_EQ(ReadFile(data_.path() / "one.pro"), ProfileBytes(Row(ProfileKind::kKey), 'A'));
    EXPECT_EQ(ReadFile(data_.path() / "stray.pro"), "kept");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data_.path()), {}), 4);
  EXPECT_TRUE(saver_.flushed.empty());

  const ProfileOutcome renamed = operations_.RenameProfile(ProfileKind::kKey, 0, "Löwe 2");
  ASSERT_EQ(renamed.change, ProfileChange::kDone);
  EXPECT_EQ(catalogue_.Names(ProfileKind::kKey), (std::vector<std::string>{"Löwe 2", "two"}));
  EXPECT_FALSE(std::filesystem::exists(data_.path() / "one.pro"));
  EXPECT_EQ(ReadFile(data_.path() / "Löwe 2.pro"), ProfileBytes(Row(ProfileKind::kKey), 'A'));
  EXPECT_EQ(saver_.flushed.size(), 1U);
}

TEST_F(OperationsTest, ImportAddsADeviceProfileAndReplacesTheSelectedOfTheOthers) {
  List(ProfileKind::kDevice, {"profile1"});
  List(ProfileKind::kLight, {"l0", "l1"}, 1);
  List(ProfileKind::kKey, {"k0", "k1"}, 0);
  const struct {
    ProfileKind kind;
    std::string file;
    std::size_t number;
    std::string name;
    std::size_t count;
  } cases[] = {
      {ProfileKind::kDevice, "in.config", 1, "profile2", 2},
      {ProfileKind::kLight, "in.led", 1, "l1", 2},
      {ProfileKind::kKey, "in.pro", 0, "k0", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    // Only a header: the payload reads as zeros.
    WriteFile(program_.path() / c.file, EncodeProfileFile(Row(c.kind).header_kind, {}));
    const ProfileOutcome outcome = operations_.ImportProfile(c.kind, program_.path() / c.file);
    ASSERT_EQ(outcome.change, ProfileChange::kDone);
    EXPECT_EQ(outcome.number, c.number);
    EXPECT_EQ(outcome.name, c.name);
    EXPECT_EQ(catalogue_.Names(c.kind).size(), c.count);
    EXPECT_EQ(ReadFile(*catalogue_.ProfilePath(c.kind, c.name)),
              EncodeProfileFile(Row(c.kind).header_kind,
                                std::vector<std::uint8_t>(Row(c.kind).payload_size, 0)));
  }
  EXPECT_EQ(ReadFile(data_.path() / "l0.led"), ProfileBytes(Row(ProfileKind::kLight), 'A'));
  EXPECT_EQ(ReadFile(data_.path() / "k1.pro"), ProfileBytes(Row(ProfileKind::kKey), 'B'));
}

TEST_F(OperationsTest, ExportWritesTheRowsSizeAndHeaderKind) {
  device_ = DeviceKind::kKeyboard;
  const ProfileCatalogue keyboard(device_, data_.path(), program_.path());
  ProfileOperations operations(keyboard, saver_, 0);
  for (const ProfileKind kind : KindsOf(device_)) {
    const ProfileRow& row = Row(kind);
    WriteFile(*keyboard.ProfilePath(kind, "p"), ProfileBytes(row, 'e'));
    ASSERT_TRUE(keyboard.file().Update([&](IniDocument& document) {
      return document.Set(SectionsOf(kind).count, "count", "1") &&
             document.Set(SectionsOf(kind).name, "0", "p");
    }));
    const std::filesystem::path target = program_.path() / ("out" + std::string(row.extension));
    ASSERT_EQ(operations.ExportProfile(kind, 0, target).change, ProfileChange::kDone);
    const std::string file = ReadFile(target);
    EXPECT_EQ(file, ProfileBytes(row, 'e'));
    ASSERT_EQ(file.size(), kProfileHeaderSize + row.payload_size);
    EXPECT_EQ(file.substr(0, 6), std::string("\xAA\x55\0\0\x01\0", 6));
  }
  EXPECT_EQ(std::filesystem::file_size(program_.path() / "out.led"), 16U + 1958U);
}

TEST_F(OperationsTest, ActivateStoresTheSelectionAndHandsBackThePayload) {
  List(ProfileKind::kLight, {"a", "b"}, 0);
  List(ProfileKind::kKey, {"a", "b"}, 0);
  const struct {
    ProfileKind kind;
    std::string select;
    std::size_t payload_size;
    std::size_t flushes;
  } cases[] = {
      {ProfileKind::kLight, "1", 64, 1},
      // The mouse's key profiles are neither chosen nor loaded by a selection.
      {ProfileKind::kKey, "0", 0, 1},
  };
  for (const auto& c : cases) {
    const ProfileOutcome outcome = operations_.ActivateProfile(c.kind, 1);
    EXPECT_EQ(outcome.change, ProfileChange::kDone);
    EXPECT_EQ(catalogue_.file().ReadString(SectionsOf(c.kind).select, "select"), c.select);
    EXPECT_EQ(outcome.payload.size(), c.payload_size);
    if (c.payload_size != 0) {
      EXPECT_EQ(outcome.payload[0], 'B');
    }
    EXPECT_EQ(saver_.flushed.size(), c.flushes);
  }
  EXPECT_EQ(operations_.ActivateProfile(ProfileKind::kLight, 2).change,
            ProfileChange::kNoSuchProfile);
}

TEST_F(OperationsTest, ResetRewritesTheProfileFromTheDefault) {
  List(ProfileKind::kDevice, {"a", "b"}, 1);
  WriteDefault(ProfileKind::kDevice, 'z');
  const ProfileOutcome outcome = operations_.ResetProfile(ProfileKind::kDevice, 1);
  ASSERT_EQ(outcome.change, ProfileChange::kDone);
  EXPECT_EQ(outcome.payload, std::vector<std::uint8_t>(576, 'z'));
  EXPECT_EQ(ReadFile(data_.path() / "b.config"), ProfileBytes(Row(ProfileKind::kDevice), 'z'));
  EXPECT_EQ(ReadFile(data_.path() / "a.config"), ProfileBytes(Row(ProfileKind::kDevice), 'A'));
}

}  // namespace
}  // namespace vandrel
