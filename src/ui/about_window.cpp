#include "ui/about_window.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/trace.h"
#include "ui/control.h"
#include "ui/toolkit.h"

namespace vandrel {
namespace {

// `prefix` is in lower case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
           return std::tolower(static_cast<unsigned char>(c)) == lower;
         });
}

bool IsSafeCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte != 0x7F;
}

// A path's bytes as an address: letters, digits, "-._~" and "/" as they are, all others
// percent-encoded, so that spaces and non-ASCII names survive.
std::string FileUrl(const std::filesystem::path& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : path.string()) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || std::string_view("-._~/").find(c) != std::string_view::npos) {
      url += c;
    } else {
      url += {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
    }
  }
  return url;
}

}  // namespace

bool IsWebAddress(std::string_view address) {
  std::string_view rest;
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (StartsWithIgnoringCase(address, scheme)) rest = address.substr(scheme.size());
  }
  const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
  return !host.empty() && std::ranges::all_of(address, IsSafeCharacter);
}

AboutLink AboutLinkFor(std::string_view homepage, const std::filesystem::path& readme) {
  if (IsWebAddress(homepage)) return {std::string(homepage), "about_web"};
  if (!homepage.empty()) Trace("the homepage is not an http or https address: the README instead");
  return {FileUrl(readme), "about_readme"};
}

void ShowLink(WindowModel& about, const AboutLink& link) {
  Control* button = about.Find(kAboutWebLink);
  if (button == nullptr) return;
  button->SetResourceText(true);
  button->SetText(link.text_id);
}

void ShowRelease(WindowModel& about, std::string_view version) {
  Control* label = about.Find(kAboutReleaseLabel);
  if (label == nullptr) return;
  label->SetText(about.Texts().Lookup("about_release") + " " + std::string(version));
}

Ccopyright::Ccopyright(std::string url, OpenUrl open_url)
    : url_(std::move(url)), open_url_(std::move(open_url)) {}

std::optional<int> Ccopyright::Handle(const Notification& notification) {
  if (notification.type != notify::kClick) return std::nullopt;
  const std::string& name = notification.sender->Name();
  if (name == kAboutCloseButton) return kAboutClosed;
  if (name == kAboutWebLink && open_url_) open_url_(url_);
  return std::nullopt;
}

}  // namespace vandrel
