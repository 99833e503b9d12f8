// IniDocument: the contents of one private-profile INI file, read and changed with the rules of
// the Windows profile functions, so that files written by the original program read the same here
// and files written here read the same there.
//
// Reading: sections and keys match without regard to ASCII case; only the first of duplicate
// sections, and the first of duplicate keys in it, is seen; white space around names and values is
// trimmed; a value wrapped in matching single or double quotes comes back without them; a value
// comes back as the 260-character buffer of the original holds it (at most 259 UTF-16 units, cut
// at a character boundary). CRLF and LF line ends, a UTF-8 byte-order mark, blank lines, ';'
// comments and lines that are neither sections nor keys are tolerated, and kept on writing. A line
// that starts with '[' is a section header: its name runs to the last ']' or, when the line has
// none, to the end of the line.
//
// Writing keeps every other line as it was: a key is replaced in place, a new key goes after the
// last key of its section, a new section at the end. New lines use the line end the document
// already uses (CRLF for a new document, as the original program writes).
//
// A document is a plain value; it is not shared between threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// The reading buffer of the original: values come back with at most kIniValueBufferChars - 1
// UTF-16 units.
inline constexpr std::size_t kIniValueBufferChars = 260;

class IniDocument {
 public:
  // Never fails: whatever cannot be understood is kept as an opaque line.
  [[nodiscard]] static IniDocument Parse(std::string_view bytes);
  [[nodiscard]] std::string Serialize() const;

  // The value of `key` in `section`, as read; nullopt when the section or the key is missing.
  [[nodiscard]] std::optional<std::string> Find(std::string_view section,
                                                std::string_view key) const;
  // The value, or `default_value` (cut to the buffer too) when the section or key is missing.
  [[nodiscard]] std::string Get(std::string_view section, std::string_view key,
                                std::string_view default_value = "0") const;
  // The value (default "0" as text) read with the decimal-prefix rule.
  [[nodiscard]] int GetInt(std::string_view section, std::string_view key,
                           int default_value = 0) const;

  // The values of the keys "0", "1" … `count` - 1 of `section`, each as Get gives it, found in
  // one pass over the section, so that a list of thousands of keys costs one reading.
  [[nodiscard]] std::vector<std::string> GetList(std::string_view section, std::size_t count,
                                                 std::string_view default_value = "0") const;

  // Writes `key`=`value`, creating the section when missing. Refused (false, nothing changed) when
  // a name or the value would not read back as written: a line break or NUL anywhere, an empty
  // key, a key with '=' or starting with '[' or ';'.
  [[nodiscard]] bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes `key` (and any duplicates of it) from the first `section`; true when one was there.
  bool RemoveKey(std::string_view section, std::string_view key);
  // Removes every section named `section` with its lines, so that no stale duplicate shows
  // through afterwards; true when one was there.
  bool RemoveSection(std::string_view section);

  // Section names in file order, first occurrence only.
  [[nodiscard]] std::vector<std::string> SectionNames() const;
  // Key names of the first `section`, in file order, first occurrence only.
  [[nodiscard]] std::vector<std::string> KeyNames(std::string_view section) const;

 private:
  enum class LineKind : std::uint8_t { kSection, kKey };

  // A section or key line. Every other line (blank, comment, not understood) lives only in text_,
  // so that the document costs little more than the file.
  struct Entry {
    std::size_t begin;   // offset of the line in text_
    std::size_t length;  // without its line end
    LineKind kind;
  };

  struct SectionSpan {
    std::size_t header;  // index of the section's entry
    std::size_t end;     // index after the section's last entry
  };

  [[nodiscard]] std::string_view LineText(std::size_t entry) const;
  [[nodiscard]] std::string_view NameOf(std::size_t entry) const;
  // Offset just past the entry's line end (or the end of the text for an unterminated last line).
  [[nodiscard]] std::size_t LineEnd(std::size_t entry) const;
  // Offset where the section's lines end: the next section's header or the end of the text.
  [[nodiscard]] std::size_t SpanEnd(SectionSpan span) const;
  [[nodiscard]] std::optional<SectionSpan> FindSection(std::string_view section,
                                                       std::size_t from = 0) const;
  [[nodiscard]] std::optional<std::size_t> FindKey(SectionSpan span, std::string_view key) const;
  [[nodiscard]] std::vector<std::string> UniqueNames(std::size_t from, std::size_t to,
                                                     LineKind kind) const;
  // Puts `line` and a line end at `offset` (a line start) as entry number `index`.
  void InsertLine(std::size_t offset, std::size_t index, std::string_view line);
  // Replaces the text from `begin` to `end` with `text`, moving the entries after it.
  void ReplaceText(std::size_t begin, std::size_t end, std::string_view text,
                   std::size_t first_moved_entry);
  void TerminateLastLine();

  bool byte_order_mark_ = false;
  std::string line_end_ = "\r\n";
  std::string text_;            // the file without its byte-order mark
  std::vector<Entry> entries_;  // in file order
};

}  // namespace vandrel
