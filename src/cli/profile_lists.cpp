// vandrelctl profile list|select|add|copy|rename|delete|import|export|reset|link|unlink: a
// device's profile lists in the user's data folder, changed through the same operations as the
// program's profile rows. A change takes the desktop program's lock first; an operation that ends
// on a profile stores it as selected and, when the device is connected, applies it as selecting it
// does.
#include "cli/profile_lists.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/data_folders.h"
#include "cli/commands.h"
#include "cli/desktop_lock.h"
#include "cli/device_names.h"
#include "cli/english_texts.h"
#include "cli/output.h"
#include "cli/profile_apply.h"
#include "cli/profile_link.h"
#include "core/stored_name.h"
#include "platform/xdg_user_folders.h"
#include "profile/profile_links.h"
#include "profile/profile_operations.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kListsUsage =
    "profile list DEVICE | profile select|copy|delete|reset DEVICE KIND [NAME] | "
    "profile add DEVICE KIND | profile rename DEVICE KIND NAME NEW | "
    "profile import DEVICE KIND FILE | profile export DEVICE KIND FILE [NAME] | "
    "profile link DEVICE KIND NAME PATH | profile unlink DEVICE KIND NAME   "
    "(DEVICE: mouse, keyboard, pad; KIND: key, light, device)";

constexpr std::array<std::pair<std::string_view, ProfileKind>, 3> kKindWords = {
    {{"key", ProfileKind::kKey}, {"light", ProfileKind::kLight}, {"device", ProfileKind::kDevice}}};

std::string_view KindWord(ProfileKind kind) {
  for (const auto& [word, each] : kKindWords) {
    if (each == kind) return word;
  }
  return "";
}

// The command's device, kind and catalogue.
struct ProfileList {
  DeviceKind device;
  ProfileKind kind;
  ProfileCatalogue catalogue;
};

std::optional<DeviceKind> ParseDevice(const std::string& word, std::string& error) {
  const std::optional<DeviceKind> device = DeviceOfWord(word);
  if (!device) error = "unknown device \"" + word + "\" (mouse, keyboard, pad)";
  return device;
}

ProfileCatalogue CatalogueOf(DeviceKind device) {
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  const std::string folder = device == DeviceKind::kMouse      ? folders.GetMouseFolder()
                             : device == DeviceKind::kKeyboard ? folders.GetKeyboardFolder()
                                                               : folders.GetPadFolder();
  return ProfileCatalogue(device, folder, folders.GetProgramFolder());
}

// One row per profile of the kind, so that the text form lists them one a line.
void AddListRows(const ProfileCatalogue& catalogue, ProfileKind kind, Json& rows) {
  const std::optional<std::size_t> selected = catalogue.Selected(kind);
  const std::vector<std::string> names = catalogue.Names(kind);
  const std::vector<std::optional<std::string>> links = ReadLinks(catalogue, kind);
  for (std::size_t i = 0; i < names.size(); ++i) {
    Json row = {
        {"kind", KindWord(kind)}, {"number", i}, {"name", names[i]}, {"selected", selected == i}};
    if (i < links.size() && links[i]) row["program"] = *links[i];
    rows.push_back(std::move(row));
  }
}

int List(const Options& options, DeviceKind device) {
  const ProfileCatalogue catalogue = CatalogueOf(device);
  Json rows = Json::array();
  for (const ProfileKind kind : KindsOf(device)) AddListRows(catalogue, kind, rows);
  PrintDocument(options, {{"device", DeviceWord(device)},
                          {"catalogue", catalogue.file().path().string()},
                          {"profiles", rows}});
  return kExitSuccess;
}

// The profile called `name` (case ignored), or the selected one when `name` is empty.
std::optional<std::size_t> FindProfile(const ProfileList& list, const std::string& name) {
  if (name.empty()) return list.catalogue.Selected(list.kind);
  const std::vector<std::string> names = list.catalogue.Names(list.kind);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return i;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameStoredName(names[i], name)) return i;
  }
  return std::nullopt;
}

// Applies the profile the operation ended on to the connected device; a device that is not
// connected takes it at the next start of the desktop program (device profiles) or the next
// selection.
int SelectAndApply(const Options& options, ProfileOperations& operations, const ProfileList& list,
                   std::size_t number) {
  const ProfileOutcome selected = operations.ActivateProfile(list.kind, number);
  if (selected.change != ProfileChange::kDone) {
    return FailDevice("cannot store the selection in " + list.catalogue.file().path().string());
  }
  std::printf("\"%s\" selected\n", selected.name.c_str());
  if (selected.payload.empty()) return kExitSuccess;
  std::string error;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  DeviceAccess* devices = nullptr;
  std::optional<DeviceAccess> access;
  if (session) devices = &access.emplace(*session);
  if (devices == nullptr || !devices->Read(list.device, error)) {
    std::printf("not applied now: %s\n", error.c_str());
    return kExitSuccess;
  }
  const ProfileInput input{FindProfileRow(list.device, list.kind), selected.payload};
  if (const std::optional<FieldProblem> problem = ApplyProfileToDevice(input, *devices)) {
    return RefuseUsage("\"" + selected.name + "\": " + problem->field + " is " +
                       std::to_string(problem->value) + "; the " +
                       std::string(DeviceWord(list.device)) + " takes " + problem->allowed +
                       ". Nothing was sent");
  }
  if (!devices->ApplyPending(list.device, error)) return FailDevice(error);
  std::printf("applied to the %s\n", DeviceWord(list.device).data());
  return kExitSuccess;
}

// The keyboard's default files depend on its model: it is read from the connected keyboard.
std::optional<int> KeyboardModel(const Options& options, std::string& error) {
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return std::nullopt;
  DeviceAccess devices(*session);
  if (!devices.Read(DeviceKind::kKeyboard, error)) return std::nullopt;
  return devices.keyboard_model();
}

int RefuseUnknown(const ProfileList& list, const std::string& name) {
  return RefuseUsage("the " + std::string(DeviceWord(list.device)) + " has no " +
                     std::string(KindWord(list.kind)) + " profile" +
                     (name.empty() ? " selected" : " \"" + name + "\""));
}

int Refuse(const ProfileList& list, const ProfileOutcome& outcome, const std::string& name) {
  if (outcome.change == ProfileChange::kNoSuchProfile) return RefuseUnknown(list, name);
  const std::string text = EnglishTexts::Load().Text(MessageOf(outcome.change));
  if (outcome.change == ProfileChange::kNotWritten) return FailDevice(text);
  return RefuseUsage(text + " Nothing was changed");
}

// link NAME PATH, unlink NAME: the profile's link to a program; nothing is selected or applied.
int ChangeLink(const std::string& command, const ProfileList& list,
               const std::vector<std::string>& words) {
  const std::optional<std::size_t> number = FindProfile(list, words[0]);
  if (!number) return RefuseUnknown(list, words[0]);
  const LinkTarget target{list.catalogue, list.kind, *number,
                          std::string(DeviceWord(list.device)) + " " +
                              std::string(KindWord(list.kind)) + " profile \"" +
                              list.catalogue.Names(list.kind).at(*number) + "\""};
  return command == "link" ? LinkToProgram(target, words[1]) : UnlinkFromProgram(target);
}

// Runs the change `words` ask for (after the subcommand's DEVICE KIND) on a locked list.
int Change(const Options& options, const std::string& command, const ProfileList& list,
           const std::vector<std::string>& words) {
  NoProfileSaver saver;
  std::optional<int> model;
  if (list.device == DeviceKind::kKeyboard && (command == "add" || command == "reset")) {
    std::string error;
    const std::optional<int> read = KeyboardModel(options, error);
    if (!read) return FailDevice("the keyboard's model chooses its default files: " + error);
    model = read;
  }
  // As the desktop program does at its start: a list never made gets its first profile.
  if (list.device != DeviceKind::kKeyboard || model) {
    const std::string_view message = list.catalogue.LoadCatalogue(model.value_or(0));
    if (!message.empty()) return FailDevice(EnglishTexts::Load().Text(message));
  }
  if (command == "link" || command == "unlink") return ChangeLink(command, list, words);
  ProfileOperations operations(list.catalogue, saver, model.value_or(0));
  // The profile named on the command line: import names a file only, export a file first.
  const std::string file = command == "import" || command == "export" ? words[0] : "";
  const std::string name = command == "import"   ? ""
                           : command == "export" ? (words.size() > 1 ? words[1] : "")
                                                 : (words.empty() ? "" : words[0]);
  const std::optional<std::size_t> number = FindProfile(list, name);
  const std::size_t at = number.value_or(SIZE_MAX);
  ProfileOutcome outcome;
  if (command == "select") {
    if (!number) {
      outcome.change = ProfileChange::kNoSuchProfile;
      return Refuse(list, outcome, name);
    }
    return SelectAndApply(options, operations, list, *number);
  }
  if (command == "add") outcome = operations.AddProfile(list.kind);
  if (command == "copy") outcome = operations.CopyProfile(list.kind, at);
  if (command == "delete") outcome = operations.DeleteProfile(list.kind, at);
  if (command == "reset") outcome = operations.ResetProfile(list.kind, at);
  if (command == "rename") outcome = operations.RenameProfile(list.kind, at, words.at(1));
  if (command == "import") outcome = operations.ImportProfile(list.kind, file);
  if (command == "export") outcome = operations.ExportProfile(list.kind, at, file);
  if (outcome.change != ProfileChange::kDone) return Refuse(list, outcome, name);
  std::printf("%s %s profile \"%s\": %s\n", DeviceWord(list.device).data(),
              KindWord(list.kind).data(), outcome.name.c_str(), command.c_str());
  if (command == "rename" || command == "export") return kExitSuccess;
  if (command == "reset" && list.catalogue.Selected(list.kind) != outcome.number) {
    return kExitSuccess;
  }
  return SelectAndApply(options, operations, list, outcome.number);
}

// How many words each change takes after DEVICE KIND: at least, at most.
std::optional<std::pair<std::size_t, std::size_t>> WordsOf(const std::string& command) {
  if (command == "add") return std::pair{0U, 0U};
  if (command == "select" || command == "copy" || command == "delete" || command == "reset") {
    return std::pair{0U, 1U};
  }
  if (command == "rename" || command == "link") return std::pair{2U, 2U};
  if (command == "unlink") return std::pair{1U, 1U};
  if (command == "import") return std::pair{1U, 1U};
  if (command == "export") return std::pair{1U, 2U};
  return std::nullopt;
}

}  // namespace

bool IsProfileListCommand(const std::string& command) {
  return command == "list" || WordsOf(command).has_value();
}

int RunProfileLists(const Options& options) {
  const std::vector<std::string>& words = options.arguments;
  std::string error;
  if (words.size() < 2) return RefuseUsage(kListsUsage);
  const std::optional<DeviceKind> device = ParseDevice(words[1], error);
  if (!device) return RefuseUsage(error);
  if (words[0] == "list")
    return words.size() == 2 ? List(options, *device) : RefuseUsage(kListsUsage);
  const auto counts = WordsOf(words[0]);
  if (!counts || words.size() < 3) return RefuseUsage(kListsUsage);
  const std::vector<std::string> rest(words.begin() + 3, words.end());
  if (rest.size() < counts->first || rest.size() > counts->second) return RefuseUsage(kListsUsage);
  const auto kind = std::find_if(kKindWords.begin(), kKindWords.end(),
                                 [&](const auto& entry) { return entry.first == words[2]; });
  if (kind == kKindWords.end() || FindProfileRow(*device, kind->second) == nullptr) {
    return RefuseUsage(
        "the " + words[1] + " keeps " +
        (*device == DeviceKind::kPad ? "light profiles only" : "key, light and device profiles"));
  }
  const std::optional<SingleInstance> lock = LockOutDesktopProgram(error);
  if (!lock) return FailDevice(error);
  const ProfileList list{*device, kind->second, CatalogueOf(*device)};
  return Change(options, words[0], list, rest);
}

}  // namespace vandrel::cli
