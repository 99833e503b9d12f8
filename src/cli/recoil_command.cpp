// vandrelctl recoil: the mouse's recoil tables in the user's data folder — list, show, import,
// export and restore without a device, as the Recoil tab does — and their download to the mouse.
#include <optional>
#include <string>
#include <vector>

#include "app/data_folders.h"
#include "cli/commands.h"
#include "cli/desktop_lock.h"
#include "cli/device_access.h"
#include "cli/output.h"
#include "core/file_io.h"
#include "macro/recoil_download.h"
#include "platform/xdg_user_folders.h"

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kRecoilUsage =
    "recoil list | recoil show TABLE | recoil import TABLE FILE | recoil export TABLE FILE | "
    "recoil restore TABLE | recoil download   (TABLE: a table's name or number)";

// The mouse's tables as the Recoil tab sees them, with the catalogue set up as the tab sets it up.
struct RecoilLibrary {
  explicit RecoilLibrary(const DataFolders& folders)
      : store(DeviceKind::kMouse, folders.GetMouseFolder()),
        program_folder(folders.GetProgramFolder()),
        tables(store, program_folder) {}

  MacroStore store;
  std::filesystem::path program_folder;
  RecoilTables tables;
};

// The table `word` names: its name as spelt, else without regard to case, else its number.
std::optional<int> FindTable(const std::vector<std::string>& names, const std::string& word) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == word) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameMacroName(names[i], word)) return static_cast<int>(i);
  }
  const bool number =
      !word.empty() && word.size() < 6 && word.find_first_not_of("0123456789") == std::string::npos;
  if (number && std::stoul(word) < names.size()) return std::stoi(word);
  return std::nullopt;
}

// A pull as a signed number of pixels: right and down positive, as the pointer moves.
Json Pull(const std::optional<RecoilMove>& move) {
  if (!move) return nullptr;
  return move->toward_flag ? -int{move->distance} : int{move->distance};
}

// Goes by the names read once, so that a damaged catalogue of thousands of tables is listed in
// one reading of it.
Json TableReport(const RecoilTables& tables, const std::vector<std::string>& names, int table) {
  const std::string& name = names[static_cast<std::size_t>(table)];
  const std::optional<std::filesystem::path> path = tables.PathOfName(name);
  return {{"number", table},
          {"name", name},
          {"file", path ? Json(path->string()) : Json(nullptr)},
          {"lines", path ? RecoilTables::ActionCountOf(*path) : 0}};
}

int List(const Options& options, const RecoilLibrary& library) {
  const std::vector<std::string> names = library.tables.Names();
  Json tables = Json::array();
  for (std::size_t i = 0; i < names.size(); ++i) {
    tables.push_back(TableReport(library.tables, names, static_cast<int>(i)));
  }
  PrintDocument(options,
                {{"catalogue", library.store.CataloguePath().string()}, {"tables", tables}});
  return kExitSuccess;
}

int Show(const Options& options, const RecoilLibrary& library, int table) {
  Json shots = Json::array();
  for (int shot = 0; shot < kRecoilShotCount; ++shot) {
    const RecoilShot values = library.tables.ReadShot(table, shot);
    shots.push_back({{"shot", shot + 1},
                     {"delay", values.delay},
                     {"x", Pull(values.horizontal)},
                     {"y", Pull(values.vertical)}});
  }
  Json document = TableReport(library.tables, library.tables.Names(), table);
  document["shots"] = shots;
  PrintDocument(options, document);
  return kExitSuccess;
}

int Export(const RecoilLibrary& library, int table, const std::string& target) {
  const std::optional<std::filesystem::path> path = library.tables.TablePath(table);
  if (!path) return FailDevice("the table's name cannot name a file here");
  if (CheckReadableFile(*path) == ReadStatus::kMissing) {
    return FailDevice("the table has no file yet: " + path->string() + " is missing");
  }
  if (!library.tables.Export(table, target)) {
    return FailDevice("cannot copy " + path->string() + " to " + target);
  }
  std::printf("recoil table %d written to %s\n", table, target.c_str());
  return kExitSuccess;
}

std::string ImportRefusal(RecoilImportResult result, const std::string& source) {
  switch (result) {
    case RecoilImportResult::kTooManyLines:
      return source + ": more than " + std::to_string(kMaxRecoilLines) +
             " action lines (30 shots of 6), too many for a recoil table";
    case RecoilImportResult::kTooLarge:
      return source + ": larger than " + std::to_string(kMaxImportedMacroBytes) +
             " bytes, too large for a recoil table";
    case RecoilImportResult::kNotText:
      return source + ": not UTF-8 text, so not a recoil table";
    default:
      return source + ": not a readable regular file";
  }
}

int Import(const Options& options, const RecoilLibrary& library, int table,
           const std::string& source) {
  const RecoilImportResult result = library.tables.Import(source, table);
  const std::optional<std::filesystem::path> path = library.tables.TablePath(table);
  switch (result) {
    case RecoilImportResult::kImported:
      PrintDocument(options, {{"imported", source}, {"number", table}, {"file", path->string()}});
      return kExitSuccess;
    case RecoilImportResult::kNoSuchTable:
      return FailDevice("the table's name cannot name a file here; nothing was changed");
    case RecoilImportResult::kWriteFailed:
      return FailDevice("cannot write " + path->string() + "; nothing was changed");
    default:
      return RefuseUsage(ImportRefusal(result, source) + "; nothing was changed");
  }
}

int Restore(const Options& options, const RecoilLibrary& library, int table) {
  const std::filesystem::path source =
      library.program_folder / (DefaultRecoilName(table) + std::string(kRecoilFileExtension));
  if (!library.tables.Restore(table)) {
    return FailDevice("cannot copy " + source.string() +
                      " over the table's file; nothing was changed");
  }
  PrintDocument(options, {{"restored", table}, {"from", source.string()}});
  return kExitSuccess;
}

int Download(const Options& options, const RecoilLibrary& library) {
  // Checked before the mouse is opened, so that a refusal sends nothing at all.
  const RecoilBlockResult block = BuildRecoilBlock(library.tables);
  if (block.too_long) {
    return RefuseUsage("the recoil tables need " + std::to_string(block.length) +
                       " bytes, more than the mouse's " + std::to_string(kRecoilBlockLimit) +
                       ": shorten them; nothing was sent");
  }
  if (block.block.empty())
    return RefuseUsage("the catalogue lists no recoil tables; nothing was sent");
  std::string error;
  const std::unique_ptr<DeviceSession> session = DeviceSession::Open(options, error);
  if (!session) return FailDevice(error);
  DeviceAccess devices(*session);
  if (!devices.Read(DeviceKind::kMouse, error)) return FailDevice(error);
  // The block checked above is the one sent: the files are read once.
  const RecoilDownloadResult result = SendRecoilBlock(devices.mouse().channel(), block);
  if (result.outcome != RecoilDownloadOutcome::kDone) {
    return FailDevice("the recoil tables did not reach the mouse (result " +
                      std::to_string(result.channel_result) + ")");
  }
  PrintDocument(options, {{"downloaded", "recoil"},
                          {"tables", library.tables.Names().size()},
                          {"bytes", result.length}});
  return kExitSuccess;
}

// The commands that change a table: refused while the desktop program runs, which shows them.
int RunChange(const Options& options, const RecoilLibrary& library,
              const std::vector<std::string>& words, int table) {
  std::string error;
  const std::optional<SingleInstance> lock = LockOutDesktopProgram(error);
  if (!lock) return FailDevice(error);
  if (words[0] == "import") return Import(options, library, table, words[2]);
  return Restore(options, library, table);
}

int RunOnTable(const Options& options, const RecoilLibrary& library,
               const std::vector<std::string>& words) {
  const std::optional<int> table = FindTable(library.tables.Names(), words[1]);
  if (!table) return RefuseUsage("the mouse has no recoil table \"" + words[1] + "\"");
  const std::string& command = words[0];
  if (command == "show" && words.size() == 2) return Show(options, library, *table);
  if (command == "export" && words.size() == 3) return Export(library, *table, words[2]);
  if ((command == "import" && words.size() == 3) || (command == "restore" && words.size() == 2)) {
    return RunChange(options, library, words, *table);
  }
  return RefuseUsage(kRecoilUsage);
}

}  // namespace

int RunRecoil(const Options& options) {
  const std::vector<std::string>& words = options.arguments;
  if (words.empty()) return RefuseUsage(kRecoilUsage);
  const XdgUserFolders user_folders;
  const DataFolders folders(user_folders);
  const RecoilLibrary library(folders);
  // As the Recoil tab does when the mouse page is set up: a new data folder gets the defaults.
  if (!library.store.InitialiseRecoil(library.program_folder)) {
    return FailDevice("cannot set up the recoil tables in " + folders.GetMouseFolder());
  }
  if (words[0] == "list" && words.size() == 1) return List(options, library);
  if (words[0] == "download" && words.size() == 1) return Download(options, library);
  if (words.size() >= 2) return RunOnTable(options, library, words);
  return RefuseUsage(kRecoilUsage);
}

}  // namespace vandrel::cli
