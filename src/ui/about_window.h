// Ccopyright: the About window's behaviour without its drawing. "closebtn" closes it with 2;
// "NetText" opens the link chosen when the program was built: the project's homepage when one was
// given, else the README installed with the program. User-interface thread only.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/notification.h"

namespace vandrel {

inline constexpr std::string_view kAboutResource = "XML_COPYRIGHT";
inline constexpr std::string_view kAboutCloseButton = "closebtn";
inline constexpr std::string_view kAboutWebLink = "NetText";
inline constexpr std::string_view kAboutReleaseLabel = "about_release_label";
inline constexpr int kAboutClosed = 2;

// True for an absolute http or https address (scheme in any letter case) with a host and
// without white space or control characters.
[[nodiscard]] bool IsWebAddress(std::string_view address);

// What "NetText" opens and the text identifier it shows for it.
struct AboutLink {
  std::string url;
  std::string text_id;
};

// The homepage ("about_web") when it is a web address, else the README as a file:// address
// ("about_readme"); an absolute `readme` path is expected.
[[nodiscard]] AboutLink AboutLinkFor(std::string_view homepage,
                                     const std::filesystem::path& readme);

class WindowModel;

// Writes "Version" in the window's language and `version` into the About window's release label.
void ShowRelease(WindowModel& about, std::string_view version);

// Gives "NetText" the link's text, in the window's language.
void ShowLink(WindowModel& about, const AboutLink& link);

class Ccopyright {
 public:
  using OpenUrl = std::function<void(const std::string& url)>;

  // `open_url` opens `url` in the program the desktop has for it.
  Ccopyright(std::string url, OpenUrl open_url);

  // Acts on one of the window's notifications; returns the result it closes with, or nullopt
  // while it stays open.
  [[nodiscard]] std::optional<int> Handle(const Notification& notification);

 private:
  std::string url_;
  OpenUrl open_url_;
};

}  // namespace vandrel
