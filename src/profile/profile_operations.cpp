#include "profile/profile_operations.h"

#include <algorithm>
#include <system_error>

#include "core/stored_name.h"
#include "core/trace.h"

namespace vandrel {
namespace {

bool IsListed(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [name](const std::string& listed) { return SameStoredName(listed, name); });
}

ProfileChange NameChange(StoredNameProblem problem) {
  switch (problem) {
    case StoredNameProblem::kNone:
      return ProfileChange::kDone;
    case StoredNameProblem::kInvalid:
      return ProfileChange::kNameInvalid;
    case StoredNameProblem::kTooLong:
      return ProfileChange::kNameTooLong;
  }
  return ProfileChange::kNameInvalid;
}

ProfileOutcome Failed(ProfileChange change) {
  ProfileOutcome outcome;
  outcome.change = change;
  return outcome;
}

ProfileOutcome EndingOn(std::size_t number, std::string name) {
  ProfileOutcome outcome;
  outcome.number = number;
  outcome.name = std::move(name);
  return outcome;
}

void RemoveFile(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) Trace("profile: " + path.string() + " could not be removed: " + error.message());
}

}  // namespace

std::string_view MessageOf(ProfileChange change) {
  switch (change) {
    case ProfileChange::kDone:
    case ProfileChange::kNoSuchProfile:
      return "";
    case ProfileChange::kSourceMissing:
      return kDefaultMissingMessage;
    case ProfileChange::kSourceBad:
      return kDefaultBadMessage;
    case ProfileChange::kOnlyProfile:
      return "message_text_11";
    case ProfileChange::kNameEmpty:
      return "message_text_14";
    case ProfileChange::kNameTaken:
      return "message_text_15";
    case ProfileChange::kNameInvalid:
      return "message_text_profile_name_invalid";
    case ProfileChange::kNameTooLong:
      return "message_text_profile_name_long";
    case ProfileChange::kFileExists:
      return "message_text_profile_file_exists";
    case ProfileChange::kNotWritten:
      return "message_text_profile_write_failed";
  }
  return "";
}

ProfileOperations::ProfileOperations(const ProfileCatalogue& catalogue, ProfileSaver& saver,
                                     int keyboard_model)
    : catalogue_(catalogue), saver_(saver), keyboard_model_(keyboard_model) {}

const ProfileRow& ProfileOperations::RowOf(ProfileKind kind) const {
  return *FindProfileRow(catalogue_.device(), kind);
}

std::optional<ProfileOperations::Listed> ProfileOperations::Find(ProfileKind kind,
                                                                 std::size_t number) const {
  if (FindProfileRow(catalogue_.device(), kind) == nullptr) return std::nullopt;
  std::vector<std::string> names = catalogue_.Names(kind);
  if (number >= names.size()) return std::nullopt;
  const std::optional<std::filesystem::path> path = catalogue_.ProfilePath(kind, names[number]);
  if (!path) return std::nullopt;
  return Listed{std::move(names), *path};
}

bool ProfileOperations::Read(ProfileKind kind, const std::filesystem::path& path,
                             ProfileOutcome& outcome) const {
  ProfileReadout readout = ReadProfileFile(path, RowOf(kind).payload_size);
  if (readout.result == ProfileReadResult::kMissing) outcome.change = ProfileChange::kSourceMissing;
  if (readout.result == ProfileReadResult::kBadHeader) outcome.change = ProfileChange::kSourceBad;
  if (readout.result != ProfileReadResult::kOk) return false;
  outcome.payload = std::move(readout.payload);
  return true;
}

ProfileOutcome ProfileOperations::ActivateProfile(ProfileKind kind, std::size_t number) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  // Choosing a mouse key profile has never loaded it; its selection stays as it is.
  if (IsMouseKey(kind)) return EndingOn(number, listed->names[number]);
  saver_.Flush(catalogue_.device());
  if (!catalogue_.file().WriteString(SectionsOf(kind).select, "select", std::to_string(number))) {
    return Failed(ProfileChange::kNotWritten);
  }
  return Load(kind, *listed, number);
}

ProfileOutcome ProfileOperations::LoadProfile(ProfileKind kind, std::size_t number) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  if (IsMouseKey(kind)) return EndingOn(number, listed->names[number]);
  saver_.Flush(catalogue_.device());
  return Load(kind, *listed, number);
}

ProfileOutcome ProfileOperations::Load(ProfileKind kind, const Listed& listed,
                                       std::size_t number) const {
  ProfileOutcome outcome = EndingOn(number, listed.names[number]);
  if (!Read(kind, listed.path, outcome)) outcome.payload.clear();
  return outcome;
}

bool ProfileOperations::IsMouseKey(ProfileKind kind) const {
  return catalogue_.device() == DeviceKind::kMouse && kind == ProfileKind::kKey;
}

ProfileOutcome ProfileOperations::Append(ProfileKind kind, const std::string& name,
                                         std::span<const std::uint8_t> payload, bool unlinked) {
  const std::optional<std::filesystem::path> path = catalogue_.ProfilePath(kind, name);
  if (!path) return Failed(NameChange(CheckStoredName(name, RowOf(kind).extension)));
  if (!WriteProfileFile(*path, RowOf(kind).header_kind, payload)) {
    return Failed(ProfileChange::kNotWritten);
  }
  const CatalogueSections& sections = SectionsOf(kind);
  const std::size_t number = catalogue_.Names(kind).size();
  const bool written = catalogue_.file().Update([&](IniDocument& document) {
    const std::string key = std::to_string(number);
    return document.Set(sections.count, "count", std::to_string(number + 1)) &&
           document.Set(sections.name, key, name) &&
           (!unlinked || document.Set(sections.like, key, "0"));
  });
  if (!written) {
    RemoveFile(*path);
    return Failed(ProfileChange::kNotWritten);
  }
  return EndingOn(number, name);
}

ProfileOutcome ProfileOperations::AddProfile(ProfileKind kind) {
  if (FindProfileRow(catalogue_.device(), kind) == nullptr) {
    return Failed(ProfileChange::kNoSuchProfile);
  }
  const std::vector<std::string> names = catalogue_.Names(kind);
  std::string name;
  for (int n = 1; name.empty() || IsListed(names, name); ++n) name = "profile" + std::to_string(n);
  ProfileOutcome source;
  if (!Read(kind, catalogue_.DefaultPath(kind, keyboard_model_), source)) return source;
  return Append(kind, name, source.payload, true);
}

ProfileOutcome ProfileOperations::DeleteProfile(ProfileKind kind, std::size_t number) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  if (listed->names.size() == 1) return Failed(ProfileChange::kOnlyProfile);
  saver_.Flush(catalogue_.device());
  const CatalogueSections& sections = SectionsOf(kind);
  const std::size_t count = listed->names.size() - 1;
  // The link of each later profile moves down with it; the old last keys stay behind, unread.
  const bool written = catalogue_.file().Update([&](IniDocument& document) {
    bool set = document.Set(sections.count, "count", std::to_string(count));
    for (std::size_t i = number; i < count && set; ++i) {
      const std::string key = std::to_string(i);
      const std::string next = std::to_string(i + 1);
      set = document.Set(sections.name, key, listed->names[i + 1]) &&
            document.Set(sections.like, key, document.Get(sections.like, next)) &&
            document.Set(sections.path, key, document.Get(sections.path, next));
    }
    return set;
  });
  if (!written) return Failed(ProfileChange::kNotWritten);
  RemoveFile(listed->path);
  return EndingOn(count - 1, listed->names[count]);
}

ProfileOutcome ProfileOperations::CopyProfile(ProfileKind kind, std::size_t number) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  std::string name = listed->names[number] + " copy";
  while (IsListed(listed->names, name)) name += " copy";
  saver_.Flush(catalogue_.device());
  ProfileOutcome source;
  if (!Read(kind, listed->path, source)) return source;
  return Append(kind, name, source.payload, false);
}

ProfileOutcome ProfileOperations::RenameProfile(ProfileKind kind, std::size_t number,
                                                std::string_view new_name) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  if (new_name.empty()) return Failed(ProfileChange::kNameEmpty);
  if (IsListed(listed->names, new_name)) return Failed(ProfileChange::kNameTaken);
  const std::optional<std::filesystem::path> path = catalogue_.ProfilePath(kind, new_name);
  if (!path) return Failed(NameChange(CheckStoredName(new_name, RowOf(kind).extension)));
  std::error_code error;
  if (std::filesystem::symlink_status(*path, error).type() !=
      std::filesystem::file_type::not_found) {
    return Failed(ProfileChange::kFileExists);
  }
  saver_.Flush(catalogue_.device());
  ProfileOutcome source;
  if (!Read(kind, listed->path, source)) return source;
  if (!WriteProfileFile(*path, RowOf(kind).header_kind, source.payload)) {
    return Failed(ProfileChange::kNotWritten);
  }
  const bool written =
      catalogue_.file().WriteString(SectionsOf(kind).name, std::to_string(number), new_name);
  if (!written) {
    RemoveFile(*path);
    return Failed(ProfileChange::kNotWritten);
  }
  RemoveFile(listed->path);
  return EndingOn(number, std::string(new_name));
}

ProfileOutcome ProfileOperations::ImportProfile(ProfileKind kind,
                                                const std::filesystem::path& source,
                                                std::optional<std::size_t> into) {
  if (FindProfileRow(catalogue_.device(), kind) == nullptr) {
    return Failed(ProfileChange::kNoSuchProfile);
  }
  ProfileOutcome imported;
  if (!Read(kind, source, imported)) return imported;
  // A device profile comes in as a new profile; the other kinds replace the selected one.
  if (kind == ProfileKind::kDevice) {
    const std::vector<std::string> names = catalogue_.Names(kind);
    std::string name;
    for (int n = 1; name.empty() || IsListed(names, name); ++n) {
      name = "profile" + std::to_string(n);
    }
    return Append(kind, name, imported.payload, true);
  }
  const std::optional<std::size_t> selected = into ? into : catalogue_.Selected(kind);
  const std::optional<Listed> listed = selected ? Find(kind, *selected) : std::nullopt;
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  saver_.Flush(catalogue_.device());
  if (!WriteProfileFile(listed->path, RowOf(kind).header_kind, imported.payload)) {
    return Failed(ProfileChange::kNotWritten);
  }
  return EndingOn(*selected, listed->names[*selected]);
}

ProfileOutcome ProfileOperations::ExportProfile(ProfileKind kind, std::size_t number,
                                                const std::filesystem::path& target) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  saver_.Flush(catalogue_.device());
  ProfileOutcome outcome = EndingOn(number, listed->names[number]);
  if (!Read(kind, listed->path, outcome)) return Failed(outcome.change);
  if (!WriteProfileFile(target, RowOf(kind).header_kind, outcome.payload)) {
    return Failed(ProfileChange::kNotWritten);
  }
  outcome.payload.clear();
  return outcome;
}

ProfileOutcome ProfileOperations::ResetProfile(ProfileKind kind, std::size_t number) {
  const std::optional<Listed> listed = Find(kind, number);
  if (!listed) return Failed(ProfileChange::kNoSuchProfile);
  ProfileOutcome outcome = EndingOn(number, listed->names[number]);
  if (!Read(kind, catalogue_.DefaultPath(kind, keyboard_model_), outcome)) {
    return Failed(outcome.change);
  }
  saver_.Flush(catalogue_.device());
  if (!WriteProfileFile(listed->path, RowOf(kind).header_kind, outcome.payload)) {
    return Failed(ProfileChange::kNotWritten);
  }
  return outcome;
}

}  // namespace vandrel
