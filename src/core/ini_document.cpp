#include "core/ini_document.h"

#include <algorithm>

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
  bool line_end_known = false;
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    std::string_view text = bytes.substr(0, newline);
    std::string terminator;
    if (newline != std::string_view::npos) {
      terminator = "\n";
      if (text.ends_with('\r')) {
        text.remove_suffix(1);
        terminator = "\r\n";
      }
      if (!line_end_known) document.line_end_ = terminator;
      line_end_known = true;
    }
    document.lines_.push_back(ClassifyLine(std::string(text), std::move(terminator)));
    bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
  }
  return document;
}

IniDocument::Line IniDocument::ClassifyLine(std::string text, std::string terminator) {
  Line line{std::move(text), std::move(terminator), LineKind::kOther, {}, {}};
  const std::string_view trimmed = Trim(line.text);
  if (trimmed.starts_with('[')) {
    const std::size_t close = trimmed.rfind(']');
    if (close != 0 && close != std::string_view::npos) {
      line.kind = LineKind::kSection;
      line.name = Trim(trimmed.substr(1, close - 1));
      return line;
    }
  }
  if (trimmed.starts_with(';')) return line;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return line;
  const std::string_view name = Trim(trimmed.substr(0, equals));
  if (name.empty()) return line;
  line.kind = LineKind::kKey;
  line.name = name;
  line.value = Trim(trimmed.substr(equals + 1));
  return line;
}

std::string IniDocument::Serialize() const {
  std::string bytes(byte_order_mark_ ? kByteOrderMark : "");
  for (const Line& line : lines_) {
    bytes += line.text;
    bytes += line.terminator;
  }
  return bytes;
}

std::optional<IniDocument::SectionSpan> IniDocument::FindSection(std::string_view section,
                                                                 std::size_t from) const {
  const std::string_view wanted = Trim(section);
  for (std::size_t i = from; i < lines_.size(); ++i) {
    if (lines_[i].kind != LineKind::kSection || !EqualsIgnoringCase(lines_[i].name, wanted)) {
      continue;
    }
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != LineKind::kSection) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(SectionSpan span, std::string_view key) const {
  const std::string_view wanted = Trim(key);
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    if (lines_[i].kind == LineKind::kKey && EqualsIgnoringCase(lines_[i].name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return std::nullopt;
  const std::optional<std::size_t> index = FindKey(*span, key);
  if (!index) return std::nullopt;
  return std::string(CutToBuffer(StripMatchingQuotes(lines_[*index].value)));
}

std::string IniDocument::Get(std::string_view section, std::string_view key,
                             std::string_view default_value) const {
  std::optional<std::string> value = Find(section, key);
  return value ? std::move(*value) : std::string(CutToBuffer(default_value));
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int default_value) const {
  return ParseDecimalPrefix(Get(section, key, std::to_string(default_value)));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreakOrNul(section) || !IsWritableKey(key) || HasLineBreakOrNul(value)) return false;
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) {
    TerminateLastLine();
    InsertLine(lines_.size(), "[" + std::string(Trim(section)) + "]");
    InsertLine(lines_.size(), std::string(Trim(key)) + "=" + std::string(value));
    return true;
  }
  if (const std::optional<std::size_t> index = FindKey(*span, key)) {
    Line& line = lines_[*index];
    line = ClassifyLine(line.name + "=" + std::string(value), std::move(line.terminator));
    return true;
  }
  std::size_t after = span->header + 1;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    if (lines_[i].kind == LineKind::kKey) after = i + 1;
  }
  if (after == lines_.size()) TerminateLastLine();
  InsertLine(after, std::string(Trim(key)) + "=" + std::string(value));
  return true;
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return false;
  const std::string_view wanted = Trim(key);
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(span->header + 1);
  const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(span->end);
  const auto kept = std::remove_if(first, last, [&](const Line& line) {
    return line.kind == LineKind::kKey && EqualsIgnoringCase(line.name, wanted);
  });
  const bool removed = kept != last;
  lines_.erase(kept, last);
  return removed;
}

bool IniDocument::RemoveSection(std::string_view section) {
  bool removed = false;
  std::size_t from = 0;
  while (const std::optional<SectionSpan> span = FindSection(section, from)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
    from = span->header;
    removed = true;
  }
  return removed;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind != LineKind::kSection) continue;
    const bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
      return EqualsIgnoringCase(name, line.name);
    });
    if (!seen) names.push_back(line.name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const std::optional<SectionSpan> span = FindSection(section);
  if (!span) return names;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != LineKind::kKey) continue;
    const bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
      return EqualsIgnoringCase(name, line.name);
    });
    if (!seen) names.push_back(line.name);
  }
  return names;
}

void IniDocument::InsertLine(std::size_t index, std::string text) {
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                ClassifyLine(std::move(text), line_end_));
}

void IniDocument::TerminateLastLine() {
  if (!lines_.empty() && lines_.back().terminator.empty()) lines_.back().terminator = line_end_;
}

}  // namespace vandrel
