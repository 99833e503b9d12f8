// The skin's pictures: every image a layout, the style sheet or the code names is a file of the
// skin folder. A missing one fails silently at run time (a blank thumbnail, a button without its
// hover picture), so only a test notices.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "macro/editor_traits.h"
#include "ui/control.h"
#include "ui/skin.h"
#include "ui/skin_frame.h"

namespace vandrel {
namespace {

using ::testing::IsSupersetOf;
using ::testing::UnorderedElementsAre;

const std::filesystem::path kSkinFolder = std::filesystem::path(VANDREL_SOURCE_DIR) / "skin";

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool EndsWithPictureType(std::string_view value) {
  return value.ends_with(".png") || value.ends_with(".svg");
}

// The files named by a layout's properties: every "…image" property, any "file='…'" string, and
// user data that is a picture's name (the skin window's thumbnails carry theirs there).
std::set<std::string> ImagesOfLayout(const std::string& text) {
  static const std::regex property(
      R"re(<property name="([A-Za-z_]+)"[^>]*>\s*<string>([^<]*)</string>)re");
  std::set<std::string> images;
  for (std::sregex_iterator it(text.begin(), text.end(), property), end; it != end; ++it) {
    const std::string name = (*it)[1];
    const std::string value = (*it)[2];
    const bool image = name.ends_with("image") || value.find("file='") != std::string::npos ||
                       (name == "userdata" && EndsWithPictureType(value));
    if (image && !SkinImageFile(value).empty()) images.insert(SkinImageFile(value));
  }
  return images;
}

// The files a style sheet names as "url(skin:…)".
std::set<std::string> ImagesOfStyleSheet(const std::string& text) {
  static const std::regex url(R"re(url\(\s*skin:([^)\s]+)\s*\))re");
  std::set<std::string> images;
  for (std::sregex_iterator it(text.begin(), text.end(), url), end; it != end; ++it) {
    images.insert((*it)[1]);
  }
  return images;
}

// Every picture the skin folder's layouts and style sheet name.
std::set<std::string> ImagesOfSkin() {
  std::set<std::string> images;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kSkinFolder)) {
    const std::filesystem::path& path = entry.path();
    std::set<std::string> found;
    if (path.extension() == ".xml") found = ImagesOfLayout(ReadText(path));
    if (path.extension() == ".qss") found = ImagesOfStyleSheet(ReadText(path));
    images.insert(found.begin(), found.end());
  }
  return images;
}

TEST(SkinImagesTest, TheSearchFindsEveryWayALayoutOrAStyleSheetNamesAPicture) {
  const struct {
    std::string_view text;
    std::set<std::string> images;
  } layouts[] = {
      {R"(<property name="normalimage" stdset="0"><string>file='kb/a.png'</string></property>)",
       {"kb/a.png"}},
      {R"(<property name="hotimage"><string>kb/b.png</string></property>)", {"kb/b.png"}},
      {R"(<property name="bkimage" stdset="0">
            <string>file='ms/c.svg' corner='2,2,2,2'</string></property>)",
       {"ms/c.svg"}},
      {R"(<property name="userdata" stdset="0"><string>common/d.png</string></property>)",
       {"common/d.png"}},
      {R"(<property name="userdata" stdset="0"><string>file='e.png'</string></property>)",
       {"e.png"}},
      {R"(<property name="userdata" stdset="0"><string>12</string></property>)", {}},
      {R"(<property name="text"><string>picture.png</string></property>)", {}},
      {R"(<property name="keysetimage" stdset="0"><string></string></property>)", {}},
  };
  for (const auto& c : layouts) EXPECT_EQ(ImagesOfLayout(std::string(c.text)), c.images) << c.text;
  EXPECT_THAT(
      ImagesOfStyleSheet("A { image: url(skin:macro/a.png); } B { image: url( skin:b.png ) }"
                         " C { image: url(:/elsewhere.png); }"),
      UnorderedElementsAre("macro/a.png", "b.png"));
}

TEST(SkinImagesTest, EveryPictureTheSkinOrTheCodeNamesIsAFileOfTheSkin) {
  std::set<std::string> images = ImagesOfSkin();
  // One of each way of naming a picture, so that a search that finds nothing cannot pass.
  EXPECT_THAT(images, IsSupersetOf({"kb/key_set.png", "common/skin_1.png", "ms/mouse_body.png",
                                    "macro/step_up.png"}));
  for (std::string_view named : {kDefaultSkinPicture, kUptopHotImage, kUptopUnusedImage}) {
    images.insert(SkinImageFile(named));
  }
  for (const std::string& image : images) {
    EXPECT_TRUE(std::filesystem::is_regular_file(kSkinFolder / image)) << image;
  }
}

// The skin window's thumbnails show the picture they choose.
TEST(SkinImagesTest, EachThumbnailShowsThePictureItChooses) {
  Skin skin(kSkinFolder);
  ASSERT_TRUE(skin.LoadIndex());
  const auto window = BuildWindow(skin, kSkinWindowResource, std::make_shared<TextResources>());
  ASSERT_NE(window, nullptr);
  const std::vector<Control*> thumbnails = window->FindAll(kSkinPictureButton);
  EXPECT_GE(thumbnails.size(), 2u);
  for (const Control* thumbnail : thumbnails) {
    EXPECT_EQ(SkinImageFile(thumbnail->BackgroundImage()), thumbnail->UserData());
  }
}

}  // namespace
}  // namespace vandrel
