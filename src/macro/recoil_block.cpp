// The block of every recoil table that command 23 carries.
#include <map>

#include "core/bytes.h"
#include "macro/recoil_tables.h"

namespace vandrel {
namespace {

constexpr std::uint16_t kMagic = 0x55AA;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kLengthField = 2;
constexpr std::size_t kCountField = 4;
constexpr std::size_t kOffsetSize = 2;
constexpr std::size_t kRecordHeaderSize = 4;  // action count, 2 reserved bytes
constexpr std::size_t kEntrySize = 4;         // delay (16-bit), code, value

// Each table's file, or nullopt for a name that cannot be one (such a table has no actions).
using Paths = std::vector<std::optional<std::filesystem::path>>;

// The length of the block, counted from the files' action counts only, each file read once, so
// that a damaged catalogue of thousands of tables costs little and builds no block.
[[nodiscard]] std::size_t BlockLength(const Paths& paths) {
  std::size_t length = kHeaderSize + (kOffsetSize + kRecordHeaderSize) * paths.size();
  std::map<std::filesystem::path, std::size_t> lines_of;
  for (const std::optional<std::filesystem::path>& path : paths) {
    if (!path) continue;
    auto [known, added] = lines_of.try_emplace(*path, 0);
    if (added) known->second = RecoilTables::ActionCountOf(*path);
    length += kEntrySize * known->second;
  }
  return length;
}

using Records = std::vector<std::vector<MacroAction>>;

[[nodiscard]] std::size_t LengthOf(const Records& records) {
  std::size_t length = kHeaderSize + (kOffsetSize + kRecordHeaderSize) * records.size();
  for (const std::vector<MacroAction>& actions : records) length += kEntrySize * actions.size();
  return length;
}

void PutRecord(std::vector<std::uint8_t>& block, std::size_t at,
               const std::vector<MacroAction>& actions) {
  WriteLe16(block, at, static_cast<std::uint16_t>(actions.size()));
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const std::size_t entry = at + kRecordHeaderSize + kEntrySize * i;
    WriteLe16(block, entry, actions[i].delay);
    block[entry + 2] = actions[i].code;
    block[entry + 3] = actions[i].value;
  }
}

[[nodiscard]] std::vector<std::uint8_t> Encode(const Records& records) {
  std::vector<std::uint8_t> block(LengthOf(records), 0);
  WriteLe16(block, 0, kMagic);
  WriteLe16(block, kLengthField, static_cast<std::uint16_t>(block.size()));
  WriteLe16(block, kCountField, static_cast<std::uint16_t>(records.size()));
  std::size_t record = kHeaderSize + kOffsetSize * records.size();
  for (std::size_t k = 0; k < records.size(); ++k) {
    WriteLe16(block, kHeaderSize + kOffsetSize * k, static_cast<std::uint16_t>(record));
    PutRecord(block, record, records[k]);
    record += kRecordHeaderSize + kEntrySize * records[k].size();
  }
  return block;
}

}  // namespace

RecoilBlockResult BuildRecoilBlock(const RecoilTables& tables) {
  Paths paths;
  for (const std::string& name : tables.Names()) paths.push_back(tables.PathOfName(name));
  if (paths.empty()) return {};
  RecoilBlockResult result;
  result.length = BlockLength(paths);
  if (result.length <= kRecoilBlockLimit) {
    // Encoded from one reading of the files: one that changed since it was counted changes the
    // length, not the bounds of the block.
    Records records;
    for (const std::optional<std::filesystem::path>& path : paths) {
      records.push_back(path ? RecoilTables::ReadActionsOf(*path) : std::vector<MacroAction>{});
    }
    result.length = LengthOf(records);
    if (result.length <= kRecoilBlockLimit) result.block = Encode(records);
  }
  result.too_long = result.length > kRecoilBlockLimit;
  return result;
}

}  // namespace vandrel
