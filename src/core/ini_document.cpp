#include "core/ini_document.h"

#include <algorithm>
#include <optional>

#include "core/decimal.h"

namespace vandrel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string_view StripMatchingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// UTF-16 units the UTF-8 sequence starting with `lead` takes: a four-byte sequence is a surrogate
// pair. Bytes that start no valid sequence count as one unit each.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  return 1;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Cuts `value` to what the original's reading buffer holds, never inside a character.
std::string_view CutToBuffer(std::string_view value) {
  constexpr std::size_t kUnits = kIniValueBufferChars - 1;
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < value.size()) {
    std::size_t length = SequenceLength(static_cast<unsigned char>(value[i]));
    const bool complete =
        i + length <= value.size() &&
        std::all_of(value.begin() + static_cast<std::ptrdiff_t>(i + 1),
                    value.begin() + static_cast<std::ptrdiff_t>(i + length),
                    [](char c) { return IsContinuation(static_cast<unsigned char>(c)); });
    if (!complete) length = 1;
    const std::size_t needed = length == 4 ? 2 : 1;
    if (units + needed > kUnits) break;
    units += needed;
    i += length;
  }
  return value.substr(0, i);
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

struct ParsedLine {
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key's value, trimmed, quotes kept
};

// The section header in `text`, as Windows reads one: a line starting with '[' names the section
// up to its last ']', or up to the end of the line when there is none.
std::optional<std::string_view> SectionName(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (!trimmed.starts_with('[')) return std::nullopt;
  const std::size_t close = trimmed.rfind(']');
  return Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
}

// The key in `text`: a name (not empty, not a comment) before the first '='.
std::optional<ParsedLine> KeyLine(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.starts_with(';') || trimmed.starts_with('[')) return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view name = Trim(trimmed.substr(0, equals));
  if (name.empty()) return std::nullopt;
  return ParsedLine{name, Trim(trimmed.substr(equals + 1))};
}

// The position a list key names: "0" or a decimal number without leading zeros; a key spelt
// otherwise is never looked up by a list index.
std::optional<std::size_t> ListIndex(std::string_view name) {
  constexpr std::size_t kMaxDigits = 9;
  if (name.empty() || name.size() > kMaxDigits || (name.size() > 1 && name.front() == '0')) {
    return std::nullopt;
  }
  std::size_t index = 0;
  for (const char c : name) {
    if (c < '0' || c > '9') return std::nullopt;
    index = index * 10 + static_cast<std::size_t>(c - '0');
  }
  return index;
}

bool IsWritableKey(std::string_view key) {
  const std::string_view trimmed = Trim(key);
  return !trimmed.empty() && trimmed.front() != '[' && trimmed.front() != ';' &&
         key.find('=') == std::string_view::npos && !HasLineBreakOrNul(key);
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument document;
  if (bytes.starts_with(kByteOrderMark)) {
    document.byte_order_mark_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  document.text_ = bytes;
  const std::string_view text = document.text_;
  bool line_end_known = false;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t newline = text.find('\n', begin);
    std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    if (newline != std::string_view::npos) {
      const bool crlf = end > begin && text[end - 1] == '\r';
      if (crlf) --end;
      if (!line_end_known) document.line_end_ = crlf ? "\r\n" : "\n";
      line_end_known = true;
    }
    const std::string_view line = text.substr(begin, end - begin);
    if (SectionName(line)) {
      document.entries_.push_back({begin, line.size(), LineKind::kSection});
    } else if (KeyLine(line)) {
      document.entries_.push_back({begin, line.size(), LineKind::kKey});
    }
    begin = newline == std::string_view::npos ? text.size() : newline + 1;
  }
  return document;
}

std::string IniDocument::Serialize() const {
  return std::string(byte_order_mark_ ? kByteOrderMark : "") + text_;
}

std::string_view IniDocument::LineText(std::size_t entry) const {
  return std::string_view(text_).substr(entries_[entry].begin, entries_[entry].length);
}

std::string_view IniDocument::NameOf(std::size_t entry) const {
  const std::string_view line = LineText(entry);
  if (entries_[entry].kind == LineKind::kSection) return SectionName(line).value_or("");
  return KeyLine(line).value_or(ParsedLine{}).name;
}

std::size_t IniDocument::LineEnd(std::size_t entry) const {
  std::size_t end = entries_[entry].begin + entries_[entry].length;
  if (end < text_.size() && text_[end] == '\r') ++end;
  return end < text_.size() ? end + 1 : end;
}

std::size_t IniDocument::SpanEnd(SectionSpan span) const {
  return span.end < entries_.size() ? entries_[span.end].begin : text_.size();
}

std::optional<IniDocument::SectionSpan> IniDocument::FindSection(std::string_view section,
                                                                 std::size_t from) const {
  const std::string_view wanted = Trim(section);
  for (std::size_t i = from; i < entries_.size(); ++i) {
    if (entries_[i].kind != LineKind::kSection || !EqualsIgnoringCase(NameOf(i), wanted)) continue;
    std::size_t end = i + 1;
    while (end < entries_.size() && entries_[end].kind != LineKind::kSection) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(SectionSpan span, std::string_view key) const {
  const std::string_view wanted = Trim(key);
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    if (EqualsIgnoringCase(NameOf(i), wanted)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return std::nullopt;
  const std::optional<std::size_t> index = FindKey(*span, key);
  if (!index) return std::nullopt;
  const std::string_view value = KeyLine(LineText(*index)).value_or(ParsedLine{}).value;
  return std::string(CutToBuffer(StripMatchingQuotes(value)));
}

std::string IniDocument::Get(std::string_view section, std::string_view key,
                             std::string_view default_value) const {
  std::optional<std::string> value = Find(section, key);
  return value ? std::move(*value) : std::string(CutToBuffer(default_value));
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int default_value) const {
  return ParseDecimalPrefix(Get(section, key, std::to_string(default_value)));
}

std::vector<std::string> IniDocument::GetList(std::string_view section, std::size_t count,
                                              std::string_view default_value) const {
  std::vector<std::optional<std::string_view>> found(count);
  if (const std::optional<SectionSpan> span = FindSection(section)) {
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
      const ParsedLine line = KeyLine(LineText(i)).value_or(ParsedLine{});
      const std::optional<std::size_t> index = ListIndex(line.name);
      // Only the first of duplicate keys is seen, as by Find.
      if (index && *index < count && !found[*index]) found[*index] = line.value;
    }
  }
  std::vector<std::string> values;
  values.reserve(count);
  for (const std::optional<std::string_view>& value : found) {
    values.emplace_back(CutToBuffer(value ? StripMatchingQuotes(*value) : default_value));
  }
  return values;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreakOrNul(section) || !IsWritableKey(key) || HasLineBreakOrNul(value)) return false;
  const std::string key_line = std::string(Trim(key)) + "=" + std::string(value);
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) {
    TerminateLastLine();
    InsertLine(text_.size(), entries_.size(), "[" + std::string(Trim(section)) + "]");
    InsertLine(text_.size(), entries_.size(), key_line);
    return true;
  }
  if (const std::optional<std::size_t> index = FindKey(*span, key)) {
    const Entry& line = entries_[*index];
    const std::string replaced = std::string(NameOf(*index)) + "=" + std::string(value);
    ReplaceText(line.begin, line.begin + line.length, replaced, *index + 1);
    entries_[*index].length = replaced.size();
    return true;
  }
  const std::size_t after = span->end - 1;  // the section's last key, or its header
  if (LineEnd(after) == text_.size()) TerminateLastLine();
  InsertLine(LineEnd(after), span->end, key_line);
  return true;
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return false;
  const std::string_view wanted = Trim(key);
  bool removed = false;
  for (std::size_t i = span->end; i-- > span->header + 1;) {
    if (!EqualsIgnoringCase(NameOf(i), wanted)) continue;
    ReplaceText(entries_[i].begin, LineEnd(i), "", i + 1);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    removed = true;
  }
  return removed;
}

bool IniDocument::RemoveSection(std::string_view section) {
  bool removed = false;
  std::size_t from = 0;
  while (const std::optional<SectionSpan> span = FindSection(section, from)) {
    ReplaceText(entries_[span->header].begin, SpanEnd(*span), "", span->end);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(span->header),
                   entries_.begin() + static_cast<std::ptrdiff_t>(span->end));
    from = span->header;
    removed = true;
  }
  return removed;
}

std::vector<std::string> IniDocument::UniqueNames(std::size_t from, std::size_t to,
                                                  LineKind kind) const {
  std::vector<std::string> names;
  for (std::size_t i = from; i < to; ++i) {
    if (entries_[i].kind != kind) continue;
    const std::string_view name = NameOf(i);
    const bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& known) {
      return EqualsIgnoringCase(known, name);
    });
    if (!seen) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> IniDocument::SectionNames() const {
  return UniqueNames(0, entries_.size(), LineKind::kSection);
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return {};
  return UniqueNames(span->header + 1, span->end, LineKind::kKey);
}

void IniDocument::InsertLine(std::size_t offset, std::size_t index, std::string_view line) {
  ReplaceText(offset, offset, std::string(line) + line_end_, index);
  const LineKind kind = SectionName(line) ? LineKind::kSection : LineKind::kKey;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index),
                  Entry{offset, line.size(), kind});
}

void IniDocument::ReplaceText(std::size_t begin, std::size_t end, std::string_view text,
                              std::size_t first_moved_entry) {
  text_.replace(begin, end - begin, text);
  for (std::size_t i = first_moved_entry; i < entries_.size(); ++i) {
    entries_[i].begin = entries_[i].begin + text.size() - (end - begin);
  }
}

void IniDocument::TerminateLastLine() {
  if (!text_.empty() && text_.back() != '\n') text_ += line_end_;
}

}  // namespace vandrel
