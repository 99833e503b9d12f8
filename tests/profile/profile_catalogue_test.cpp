// The catalogues: first start from the default files (the catalogue and the files byte for byte),
// a missing default stopping only its own device's later kinds, stale entries past the count, and
// names that must never become paths outside the data folder.
#include "profile/profile_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A default file whose payload bytes are all `fill`, so that copies can be told apart.
std::string DefaultBytes(const ProfileRow& row, char fill) {
  return EncodeProfileFile(row.header_kind, std::vector<std::uint8_t>(
                                                row.payload_size, static_cast<std::uint8_t>(fill)));
}

class CatalogueTest : public ::testing::Test {
 protected:
  ProfileCatalogue Catalogue(DeviceKind device) const {
    return ProfileCatalogue(device, data_.path(), program_.path());
  }
  // Every default file of `device` (the keyboard's of `model`), each with its own fill byte.
  void WriteDefaults(DeviceKind device, int model = 3) const {
    const ProfileCatalogue catalogue = Catalogue(device);
    char fill = 'a';
    for (const ProfileKind kind : KindsOf(device)) {
      WriteFile(catalogue.DefaultPath(kind, model),
                DefaultBytes(*FindProfileRow(device, kind), fill++));
    }
  }

  TempDir data_;
  TempDir program_;
};

TEST_F(CatalogueTest, FirstStartMakesProfile1OfEveryKindFromItsDefaultFile) {
  const struct {
    DeviceKind device;
    int model;
    std::string catalogue;
    std::string expected;
  } cases[] = {
      {DeviceKind::kMouse, 0, "msProfile.ini",
       "[PROFILEDEVICECOUNT]\r\ncount=1\r\n[PROFILELIKEDEVICEEXE]\r\n0=0\r\n[PROFILEDEVICENAME]\r\n"
       "0=profile1\r\n[PROFILEDEVICESELECT]\r\nselect=0\r\n"
       "[PROFILEDENGCOUNT]\r\ncount=1\r\n[PROFILELIKEDENGEXE]\r\n0=0\r\n[PROFILEDENGNAME]\r\n"
       "0=profile1\r\n[PROFILEDENGSELECT]\r\nselect=0\r\n"
       "[PROFILECOUNT]\r\ncount=1\r\n[PROFILELIKEEXE]\r\n0=0\r\n[PROFILENAME]\r\n"
       "0=profile1\r\n[PROFILESELECT]\r\nselect=0\r\n"},
      {DeviceKind::kPad, 3, "mpProfile.ini",
       "[PROFILEDENGCOUNT]\r\ncount=1\r\n[PROFILELIKEDENGEXE]\r\n0=0\r\n[PROFILEDENGNAME]\r\n"
       "0=profile1\r\n[PROFILEDENGSELECT]\r\nselect=0\r\n"},
      {DeviceKind::kKeyboard, 0, "kbProfile.ini", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.catalogue);
    WriteDefaults(c.device, c.model);
    const ProfileCatalogue catalogue = Catalogue(c.device);
    EXPECT_EQ(catalogue.LoadCatalogue(c.model), "");
    if (!c.expected.empty()) {
      EXPECT_EQ(ReadFile(data_.path() / c.catalogue), c.expected);
    }
    char fill = 'a';
    for (const ProfileKind kind : KindsOf(c.device)) {
      const ProfileRow& row = *FindProfileRow(c.device, kind);
      EXPECT_EQ(ReadFile(*catalogue.ProfilePath(kind, "profile1")), DefaultBytes(row, fill++));
      EXPECT_EQ(catalogue.Names(kind), std::vector<std::string>{"profile1"});
      EXPECT_EQ(catalogue.Selected(kind), 0U);
    }
    // A second start changes nothing.
    const std::string before = ReadFile(data_.path() / c.catalogue);
    EXPECT_EQ(catalogue.LoadCatalogue(c.model), "");
    EXPECT_EQ(ReadFile(data_.path() / c.catalogue), before);
  }
}

// The keyboard's first profiles come from the defaults of the model attached.
TEST_F(CatalogueTest, KeyboardDefaultsAreChosenByModel) {
  const std::pair<int, std::string> cases[] = {{0, "kbdengdefault.led"},
                                               {1, "kb15dengdefault.led"},
                                               {2, "kb16dengdefault.led"},
                                               {3, "kbAreadengdefault.led"}};
  for (const auto& [model, light] : cases) {
    EXPECT_EQ(Catalogue(DeviceKind::kKeyboard).DefaultPath(ProfileKind::kLight, model),
              program_.path() / light);
  }
  const ProfileRow& row = *FindProfileRow(DeviceKind::kKeyboard, ProfileKind::kLight);
  WriteDefaults(DeviceKind::kKeyboard, 3);
  WriteFile(program_.path() / "kbdengdefault.led", DefaultBytes(row, 'z'));
  WriteFile(program_.path() / "kbdevicedefault.config",
            DefaultBytes(*FindProfileRow(DeviceKind::kKeyboard, ProfileKind::kDevice), 'y'));
  WriteFile(program_.path() / "kbkeydefault.pro",
            DefaultBytes(*FindProfileRow(DeviceKind::kKeyboard, ProfileKind::kKey), 'x'));
  ASSERT_EQ(Catalogue(DeviceKind::kKeyboard).LoadCatalogue(0), "");
  EXPECT_EQ(ReadFile(data_.path() / "profile1.led"), DefaultBytes(row, 'z'));
}

// A default that cannot be used stops its device's later kinds only.
TEST_F(CatalogueTest, AnUnusableDefaultLeavesItsKindAndTheLaterOnesEmpty) {
  const struct {
    std::string broken;
    std::string contents;  // empty: the file is removed
    std::string_view message;
    std::vector<std::size_t> counts;  // device, light, key
  } cases[] = {
      {"msdengdefault.led", "", kDefaultMissingMessage, {1, 0, 0}},
      {"msdevicedefault.config", "", kDefaultMissingMessage, {0, 0, 0}},
      {"mskeydefault.pro",
       std::string("\x55\xAA", 2) + std::string(200, '\0'),
       kDefaultBadMessage,
       {1, 1, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.broken);
    const TempDir data;
    WriteDefaults(DeviceKind::kMouse);
    WriteDefaults(DeviceKind::kPad);
    if (c.contents.empty()) {
      std::filesystem::remove(program_.path() / c.broken);
    } else {
      WriteFile(program_.path() / c.broken, c.contents);
    }
    const ProfileCatalogue mouse(DeviceKind::kMouse, data.path(), program_.path());
    const ProfileCatalogue pad(DeviceKind::kPad, data.path(), program_.path());
    EXPECT_EQ(mouse.LoadCatalogue(0), c.message);
    EXPECT_EQ(pad.LoadCatalogue(0), "");
    const ProfileKind kinds[] = {ProfileKind::kDevice, ProfileKind::kLight, ProfileKind::kKey};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(mouse.Names(kinds[i]).size(), c.counts[i]);
    EXPECT_EQ(pad.Names(ProfileKind::kLight).size(), 1U);
    EXPECT_FALSE(std::filesystem::exists(data.path() / "profile1.pro"));
  }
}

TEST_F(CatalogueTest, OnlyTheCountedEntriesAreProfilesAndASelectionMustNameOne) {
  const struct {
    std::string catalogue;
    std::vector<std::string> names;
    std::optional<std::size_t> selected;
  } cases[] = {
      {"[PROFILEDENGCOUNT]\ncount=2\n[PROFILEDENGNAME]\n0=a\n1=b\n2=stale\n"
       "[PROFILEDENGSELECT]\nselect=1\n",
       {"a", "b"},
       1},
      {"[PROFILEDENGCOUNT]\ncount=2\n[PROFILEDENGNAME]\n0=a\n1=b\n[PROFILEDENGSELECT]\nselect=2\n",
       {"a", "b"},
       std::nullopt},
      {"[PROFILEDENGCOUNT]\ncount=-3\n[PROFILEDENGSELECT]\nselect=0\n", {}, std::nullopt},
      {"[profiledengcount]\ncount = 1\n[PROFILEDENGNAME]\n0=\"spaced name\"\n", {"spaced name"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.catalogue);
    WriteFile(data_.path() / "mpProfile.ini", c.catalogue);
    const ProfileCatalogue pad = Catalogue(DeviceKind::kPad);
    EXPECT_EQ(pad.Names(ProfileKind::kLight), c.names);
    EXPECT_EQ(pad.Selected(ProfileKind::kLight), c.selected);
  }
}

// A catalogue edited by hand can name anything: no name that leaves the folder becomes a path.
TEST_F(CatalogueTest, NamesThatAreNotSafeFileNamesHaveNoPath) {
  const ProfileCatalogue mouse = Catalogue(DeviceKind::kMouse);
  const std::pair<std::string, bool> cases[] = {
      {"profile1", true},
      {"Fast & loud", true},
      {"配置", true},
      {"", false},
      {".", false},
      {"..", false},
      {"../../.bashrc", false},
      {"a/b", false},
      {std::string("a\0b", 3), false},
      {"tab\there", false},
      {"\x7F", false},
      {"\xC3\x28", false},
      {" padded", false},
      {"\"quoted\"", false},
      {std::string(251, 'n'), true},
      {std::string(252, 'n'), false},
  };
  for (const auto& [name, safe] : cases) {
    SCOPED_TRACE(name);
    const auto path = mouse.ProfilePath(ProfileKind::kLight, name);
    ASSERT_EQ(path.has_value(), safe);
    if (safe) {
      EXPECT_EQ(path->parent_path(), data_.path());
    }
  }
  WriteFile(data_.path() / "msProfile.ini",
            "[PROFILEDENGCOUNT]\ncount=1\n[PROFILEDENGNAME]\n0=../escape\n[PROFILEDENGSELECT]\n"
            "select=0\n");
  EXPECT_EQ(mouse.Names(ProfileKind::kLight), std::vector<std::string>{"../escape"});
  EXPECT_FALSE(mouse.SelectedPath(ProfileKind::kLight));
}

}  // namespace
}  // namespace vandrel
