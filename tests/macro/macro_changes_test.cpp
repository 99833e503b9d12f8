// The library changes the editor and vandrelctl share: the outcomes their own tests cannot reach,
// and what a change leaves in the folder when a write fails half way.
#include "macro/macro_changes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// The folder's macro files and folders: name and contents, "/" for a folder.
std::map<std::string, std::string> MacroEntries(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".mac") continue;
    entries[entry.path().filename()] = entry.is_directory() ? "/" : testing::ReadFile(entry);
  }
  return entries;
}

enum class Op { kAdd, kRename, kDelete, kImport };

MacroChange MakeChange(const MacroStore& store, const Names& names, Op op, std::size_t index,
                       std::string_view name, const fs::path& source) {
  switch (op) {
    case Op::kAdd:
      return AddLibraryMacro(store, names, name);
    case Op::kRename:
      return RenameLibraryMacro(store, names, index, name, Names{});
    case Op::kDelete:
      return DeleteLibraryMacro(store, names, index);
    case Op::kImport:
      return ImportLibraryMacro(store, names, source, name);
  }
  return MacroChange::kDone;
}

// The library: "a" with a file of no steps, "b" whose file is a folder (it cannot be removed),
// "x/y" that cannot name a file, and a stray file "s.mac". A catalogue that is a folder cannot be
// written. Renames store no steps first, which leaves the keyboard's file of "a" as it was.
TEST(MacroChangesTest, RefusalsAndUndoneChangesLeaveEveryMacroFileAsItWas) {
  using enum MacroChange;
  const Names library = {"a", "b", "x/y"};
  struct Case {
    const char* label;
    bool catalogue_blocked;
    Op op;
    std::size_t index;
    std::string name;
    MacroChange result;
    Names catalogue;  // as read after, when not blocked
  };
  const Case cases[] = {
      {"add", true, Op::kAdd, 0, "c", kCatalogueNotWritten, {}},
      {"rename to itself", false, Op::kRename, 0, "a", kUnchanged, library},
      {"rename past the end", false, Op::kRename, 3, "c", kNoSuchMacro, library},
      {"rename from a bad name", false, Op::kRename, 2, "c", kOldNameInvalid, library},
      {"rename: moved back", true, Op::kRename, 0, "c", kCatalogueNotWritten, {}},
      {"delete: file kept", true, Op::kDelete, 0, "", kCatalogueNotWritten, {}},
      {"delete: folder stays", false, Op::kDelete, 1, "", kFileNotRemoved, {"a", "x/y"}},
      {"delete past the end", false, Op::kDelete, 3, "", kNoSuchMacro, library},
      {"import onto a stray file", false, Op::kImport, 0, "s", kFileExists, library},
      {"import: file removed again", true, Op::kImport, 0, "c", kCatalogueNotWritten, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing::TempDir dir;
    const MacroStore store(DeviceKind::kKeyboard, dir.path());
    ASSERT_TRUE(store.WriteMacro("a", "a", Names{}));
    testing::WriteFile(store.MacroPath("s"), "stray");
    fs::create_directory(store.MacroPath("b"));
    testing::WriteFile(dir.path() / "in", "[MACROACTIONCOUNT]\r\ncount=0\r\n");
    if (c.catalogue_blocked) fs::create_directory(store.CataloguePath());
    ASSERT_EQ(store.RewriteCatalogue(library), !c.catalogue_blocked);
    const auto before = MacroEntries(dir.path());

    EXPECT_EQ(MakeChange(store, library, c.op, c.index, c.name, dir.path() / "in"), c.result);
    EXPECT_EQ(MacroEntries(dir.path()), before);
    if (!c.catalogue_blocked) {
      EXPECT_EQ(store.ReadCatalogue(), c.catalogue);
    }
  }
}

}  // namespace
}  // namespace vandrel
