// The About window: the version in the window's language, the close button, and the link that
// opens the homepage given at build time, else the installed README.
#include "ui/about_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/control.h"
#include "ui/skin.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(skin_.LoadIndex());
    window_ = BuildWindow(skin_, kAboutResource, texts_);
    ASSERT_NE(window_, nullptr);
    link_ = window_->Find(kAboutWebLink);
    close_ = window_->Find(kAboutCloseButton);
    ASSERT_NE(link_, nullptr);
    ASSERT_NE(close_, nullptr);
  }

  // The addresses a click on "NetText" opens, and its text, with the program built with
  // `homepage`.
  std::pair<std::vector<std::string>, std::string> Clicked(std::string_view homepage) {
    const AboutLink link = AboutLinkFor(homepage, "/usr/share/doc/vandrel/README.md");
    ShowLink(*window_, link);
    std::vector<std::string> opened;
    Ccopyright about(link.url, [&opened](const std::string& url) { opened.push_back(url); });
    EXPECT_EQ(about.Handle({notify::kClick, link_}), std::nullopt);
    return {opened, link_->Text()};
  }

  Skin skin_{std::filesystem::path(VANDREL_SOURCE_DIR) / "skin"};
  std::shared_ptr<TextResources> texts_ = std::make_shared<TextResources>();
  std::unique_ptr<WindowModel> window_;
  Control* link_ = nullptr;
  Control* close_ = nullptr;
};

TEST_F(AboutWindowTest, TheLinkOpensTheHomepageOrElseTheInstalledReadme) {
  ASSERT_TRUE(texts_->LoadLanguage("lan_en.xml", skin_.Folder() / "lan_en.xml"));
  const std::string readme = "file:///usr/share/doc/vandrel/README.md";
  const struct {
    std::string_view homepage;
    std::string opened;
    std::string text;
  } cases[] = {
      {"https://vandrel.example/support?lang=en", "https://vandrel.example/support?lang=en",
       "Visit the Vandrel website"},
      {"HTTP://Vandrel.example", "HTTP://Vandrel.example", "Visit the Vandrel website"},
      {"", readme, "Read the guide"},
      // Never a program, a script or a local file given as the homepage.
      {"file:///etc/passwd", readme, "Read the guide"},
      {"/usr/bin/xterm", readme, "Read the guide"},
      {"javascript:alert(1)", readme, "Read the guide"},
      {"https://", readme, "Read the guide"},
      {"http:///x", readme, "Read the guide"},
      {"https://vandrel.example/a b", readme, "Read the guide"},
      {"https://vandrel.example/\n--x", readme, "Read the guide"},
      {"ftp://vandrel.example", readme, "Read the guide"},
      {"httpsx://vandrel.example", readme, "Read the guide"},
  };
  for (const auto& [homepage, opened, text] : cases) {
    EXPECT_THAT(Clicked(homepage), Pair(ElementsAre(opened), text)) << homepage;
  }
}

TEST_F(AboutWindowTest, TheReadmeAddressEncodesWhatAnAddressCannotHold) {
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {"/opt/vandrel/share/doc/vandrel/README.md",
       "file:///opt/vandrel/share/doc/vandrel/README.md"},
      {"/home/a b/doc/READ~ME_1-2.md", "file:///home/a%20b/doc/READ~ME_1-2.md"},
      {"/srv/#?%/é.md", "file:///srv/%23%3F%25/%C3%A9.md"},
  };
  for (const auto& [readme, url] : cases) {
    EXPECT_EQ(AboutLinkFor("", readme).url, url) << readme;
  }
}

TEST_F(AboutWindowTest, CloseButtonClosesWithTwoAndOtherControlsKeepItOpen) {
  Ccopyright about("https://vandrel.example", [](const std::string&) {});
  EXPECT_EQ(about.Handle({notify::kClick, close_}), kAboutClosed);
  EXPECT_EQ(about.Handle({notify::kMouseEnter, close_}), std::nullopt);
  EXPECT_EQ(about.Handle({notify::kClick, &window_->Root()}), std::nullopt);
}

TEST_F(AboutWindowTest, TheReleaseLabelShowsTheVersionInTheWindowsLanguage) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"lan_en.xml", "Version 2.4.1"}, {"lan_cn.xml", "版本 2.4.1"}, {"lan_sn.xml", "版本 2.4.1"}};
  for (const auto& [file, shown] : cases) {
    ASSERT_TRUE(texts_->LoadLanguage(file, skin_.Folder() / file));
    ShowRelease(*window_, "2.4.1");
    const Control* label = window_->Find(kAboutReleaseLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Text(), shown) << file;
  }
}

}  // namespace
}  // namespace vandrel
