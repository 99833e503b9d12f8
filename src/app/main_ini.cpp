#include "app/main_ini.h"

namespace vandrel {
namespace {

constexpr std::string_view kSection = "SKINIMAGE";
constexpr std::string_view kFlagsKey = "FLAGS";
constexpr std::string_view kImageKey = "IMAGE";
constexpr std::string_view kLanguageKey = "LANGUAGE";

}  // namespace

MainIni::MainIni(const DataFolders& folders)
    : file_(folders.GetDataFolder() + "main.ini", kMaxSettingsIniSize) {}

int MainIni::ReadSkinFlags() const { return file_.ReadInt(kSection, kFlagsKey); }

std::string MainIni::ReadSkinImage() const { return file_.ReadString(kSection, kImageKey); }

int MainIni::ReadLanguage() const { return file_.ReadInt(kSection, kLanguageKey); }

bool MainIni::WriteSkinFlags(int flags) const {
  return file_.WriteString(kSection, kFlagsKey, std::to_string(flags));
}

bool MainIni::WriteSkinImage(std::string_view image) const {
  return file_.WriteString(kSection, kImageKey, image);
}

bool MainIni::WriteLanguage(int language) const {
  return file_.WriteString(kSection, kLanguageKey, std::to_string(language));
}

}  // namespace vandrel
