// vandrelctl macro: the macro libraries of the mouse and the keyboard in the user's data folder,
// without a device.
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/english_texts.h"
#include "cli/macro_changes.h"
#include "cli/macro_library.h"
#include "cli/macro_steps.h"
#include "cli/output.h"
#include "core/file_io.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kMacroUsage =
    "macro list DEVICE | macro show DEVICE NAME | macro add DEVICE [NAME] | "
    "macro rename DEVICE OLD NEW | macro delete DEVICE NAME | macro export DEVICE NAME FILE | "
    "macro import DEVICE FILE [NAME]   (DEVICE: mouse or keyboard)";

int NoSuchMacro(const MacroLibrary& library, const std::string& name) {
  return RefuseUsage("the " + library.device + " has no macro \"" + name + "\"");
}

int List(const Options& options, const MacroLibrary& library) {
  Json macros = Json::array();
  for (std::size_t i = 0; i < library.names.size(); ++i) {
    macros.push_back({{"number", i},
                      {"name", library.names[i]},
                      {"steps", library.store.ReadMacro(library.names[i]).size()}});
  }
  PrintDocument(options, {{"device", library.device},
                          {"catalogue", library.store.CataloguePath().string()},
                          {"macros", macros}});
  return kExitSuccess;
}

int Show(const Options& options, const MacroLibrary& library, const std::string& name) {
  const std::optional<std::size_t> index = library.Find(name);
  if (!index) return NoSuchMacro(library, name);
  const std::string& found = library.names[*index];
  const EnglishTexts texts = EnglishTexts::Load();
  Json steps = Json::array();
  for (const std::string& line : library.store.ReadMacro(found)) {
    steps.push_back(MacroStepReport(line, texts));
  }
  PrintDocument(options, {{"device", library.device},
                          {"number", *index},
                          {"name", found},
                          {"file", library.store.MacroPath(found).string()},
                          {"steps", steps}});
  return kExitSuccess;
}

int Export(const MacroLibrary& library, const std::string& name, const std::string& target) {
  const std::optional<std::size_t> index = library.Find(name);
  if (!index) return NoSuchMacro(library, name);
  const std::string& found = library.names[*index];
  const std::filesystem::path source = library.store.MacroPath(found);
  if (CheckReadableFile(source) == ReadStatus::kMissing) {
    return FailDevice("macro \"" + found +
                      "\" has no file yet (it has no steps): " + source.string() + " is missing");
  }
  if (!library.store.ExportMacro(found, target)) {
    return FailDevice("cannot copy " + source.string() + " to " + target);
  }
  std::printf("macro \"%s\" written to %s\n", found.c_str(), target.c_str());
  return kExitSuccess;
}

// The commands that only read the library.
int RunReading(const Options& options, const std::vector<std::string>& words) {
  std::string error;
  const std::optional<MacroLibrary> library = OpenMacroLibrary(words[1], error);
  if (!library) return RefuseUsage(error);
  const std::string& command = words[0];
  if (command == "list" && words.size() == 2) return List(options, *library);
  if (command == "show" && words.size() == 3) return Show(options, *library, words[2]);
  if (command == "export" && words.size() == 4) return Export(*library, words[2], words[3]);
  return RefuseUsage(kMacroUsage);
}

}  // namespace

int RunMacro(const Options& options) {
  const std::vector<std::string>& words = options.arguments;
  if (words.size() < 2) return RefuseUsage(kMacroUsage);
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  const std::string& command = words[0];
  if (command == "add" && rest.size() <= 2) return AddMacro(options, rest);
  if (command == "rename" && rest.size() == 3) return RenameMacro(options, rest);
  if (command == "delete" && rest.size() == 2) return DeleteMacro(options, rest);
  if (command == "import" && rest.size() <= 3 && rest.size() >= 2) {
    return ImportMacro(options, rest);
  }
  if (command == "list" || command == "show" || command == "export") {
    return RunReading(options, words);
  }
  return RefuseUsage(kMacroUsage);
}

}  // namespace vandrel::cli
