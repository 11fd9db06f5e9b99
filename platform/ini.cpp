// Index
//   [lines]     splitting the bytes into lines and classifying them
//   [names]     trimming, case-insensitive two-byte-aware name matching
//   [lookup]    reading one value
//   [edits]     setting and removing, line by line
//   [files]     the file functions, written through a temporary file
#include "platform/ini.h"

#include <cstdint>
#include <vector>

#include "base/ascii.h"
#include "platform/files.h"

namespace horavia::platform {
namespace {

// [lines] --------------------------------------------------------------------

struct Line {
  std::size_t begin = 0;  // first byte
  std::size_t end = 0;    // one past the last byte before the line break
  std::size_t next = 0;   // first byte of the next line
  bool terminated = false;
};

// Lines end at "\n"; a "\r" before it belongs to the break. A last line
// without a break is still a line.
std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t newline = content.find('\n', start);
    Line line;
    line.begin = start;
    if (newline == std::string_view::npos) {
      line.end = line.next = content.size();
    } else {
      line.end = (newline > start && content[newline - 1] == '\r') ? newline - 1 : newline;
      line.next = newline + 1;
      line.terminated = true;
    }
    lines.push_back(line);
    start = line.next;
  }
  return lines;
}

// The line break new lines get: the file's own (from its first line), or
// "\r\n" for a file that has none yet.
std::string_view LineBreakOf(std::string_view content) {
  std::size_t newline = content.find('\n');
  if (newline == std::string_view::npos) return "\r\n";
  return (newline > 0 && content[newline - 1] == '\r') ? "\r\n" : "\n";
}

// [names] --------------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool IsLeadByte(char c) { return static_cast<std::uint8_t>(c) >= 0x80; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// ASCII letters match in either case; a two-byte character matches only
// itself (its trail byte may look like an ASCII letter).
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i]) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (base::ToAsciiUpper(a[i]) != base::ToAsciiUpper(b[i])) return false;
  }
  return true;
}

// A line is a section header when its first non-blank byte is "[". The name
// runs to the first "]" (found character by character, since a trail byte
// can be 0x5D) or to the end of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view s = Trim(line);
  if (s.empty() || s.front() != '[') return std::nullopt;
  s.remove_prefix(1);
  std::size_t i = 0;
  while (i < s.size() && s[i] != ']') i += (IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
  return Trim(s.substr(0, i < s.size() ? i : s.size()));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

// A key line holds "=" ("=" is below every trail byte, so a byte search is
// safe); the key is what precedes the first one.
std::optional<Entry> KeyEntry(std::string_view line) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The bytes of one line, without its break.
std::string_view Text(std::string_view content, const Line& line) {
  return content.substr(line.begin, line.end - line.begin);
}

// One section in the file: its header line and the lines up to the next
// header (exclusive).
struct SectionSpan {
  std::size_t header = 0;
  std::size_t endLine = 0;
};

std::vector<SectionSpan> SectionsNamed(std::string_view content, const std::vector<Line>& lines,
                                       std::string_view name) {
  std::vector<SectionSpan> found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto header = SectionName(Text(content, lines[i]));
    if (!header) continue;
    if (!found.empty() && found.back().endLine == 0) found.back().endLine = i;
    if (SameName(*header, name)) found.push_back({i, 0});
  }
  if (!found.empty() && found.back().endLine == 0) found.back().endLine = lines.size();
  return found;
}

// Key lines of one section with that key, in order.
std::vector<std::size_t> KeyLines(std::string_view content, const std::vector<Line>& lines,
                                  const SectionSpan& section, std::string_view key) {
  std::vector<std::size_t> found;
  for (std::size_t i = section.header + 1; i < section.endLine; ++i) {
    auto entry = KeyEntry(Text(content, lines[i]));
    if (entry && SameName(entry->key, key)) found.push_back(i);
  }
  return found;
}

// Removes whole lines (with their breaks) from the content.
std::string WithoutLines(std::string_view content, const std::vector<Line>& lines,
                         const std::vector<std::pair<std::size_t, std::size_t>>& lineRanges) {
  std::string out;
  out.reserve(content.size());
  std::size_t copied = 0;
  for (auto [first, last] : lineRanges) {  // [first, last) in line numbers, ascending
    if (first >= last) continue;
    out.append(content.substr(copied, lines[first].begin - copied));
    copied = lines[last - 1].next;
  }
  out.append(content.substr(copied));
  return out;
}

// Cuts text to fit a buffer of bufferSize bytes with its terminator, never
// leaving half of a two-byte character at the end.
std::string FitBuffer(std::string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::size_t limit = bufferSize - 1;
  if (text.size() <= limit) return std::string(text);
  std::size_t i = 0;
  while (i < limit) {
    std::size_t step = IsLeadByte(text[i]) ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return std::string(text.substr(0, i));
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

// [lookup] -------------------------------------------------------------------

std::optional<std::string> IniLookup(std::string_view content, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  std::vector<Line> lines = SplitLines(content);
  std::vector<SectionSpan> sections = SectionsNamed(content, lines, section);
  if (sections.empty()) return std::nullopt;
  std::vector<std::size_t> keys = KeyLines(content, lines, sections.front(), key);
  if (keys.empty()) return std::nullopt;
  std::string_view value = Unquote(KeyEntry(Text(content, lines[keys.front()]))->value);
  // A NUL byte ends the text as the caller will see it.
  return std::string(value.substr(0, value.find('\0')));
}

// [edits] --------------------------------------------------------------------

std::string IniSetValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  std::string_view lineBreak = LineBreakOf(content);
  std::string entry = std::string(key) + "=" + std::string(value);
  std::vector<Line> lines = SplitLines(content);
  std::vector<SectionSpan> sections = SectionsNamed(content, lines, section);

  std::string out(content);
  if (sections.empty()) {
    if (!out.empty() && out.back() != '\n') out += lineBreak;
    out += "[" + std::string(section) + "]";
    out += lineBreak;
    out += entry;
    out += lineBreak;
    return out;
  }

  const SectionSpan& target = sections.front();
  std::vector<std::size_t> keys = KeyLines(content, lines, target, key);
  if (!keys.empty()) {
    const Line& line = lines[keys.front()];
    out.replace(line.begin, line.end - line.begin, entry);
    return out;
  }

  // After the section's last non-blank line, so that blank lines keep
  // separating it from the next section.
  std::size_t last = target.header;
  for (std::size_t i = target.header + 1; i < target.endLine; ++i) {
    if (!Trim(Text(content, lines[i])).empty()) last = i;
  }
  const Line& after = lines[last];
  if (after.terminated) {
    out.insert(after.next, entry + std::string(lineBreak));
  } else {
    out.insert(after.next, std::string(lineBreak) + entry);
  }
  return out;
}

std::string IniRemoveKey(std::string_view content, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  std::vector<Line> lines = SplitLines(content);
  std::vector<SectionSpan> sections = SectionsNamed(content, lines, section);
  if (sections.empty()) return std::string(content);
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  for (std::size_t i : KeyLines(content, lines, sections.front(), key)) ranges.emplace_back(i, i + 1);
  return WithoutLines(content, lines, ranges);
}

std::string IniRemoveSection(std::string_view content, std::string_view section) {
  section = Trim(section);
  std::vector<Line> lines = SplitLines(content);
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  for (const SectionSpan& s : SectionsNamed(content, lines, section)) ranges.emplace_back(s.header, s.endLine);
  return WithoutLines(content, lines, ranges);
}

// [files] --------------------------------------------------------------------

namespace {

// Whether a section and key, once written, can be found again: a name with
// "]" or a lead byte that swallows the closing bracket, or a key with "=",
// cannot, and writing it would only add unreachable lines.
bool NamesReadBack(std::string_view section, std::string_view key) {
  return IniLookup(IniSetValue("", section, key, "x"), section, key).has_value();
}

}  // namespace

std::string ReadIniString(const std::string& hostPath, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) {
  // Trailing blanks of the default are dropped, as the profile functions do.
  while (!defaultValue.empty() && (defaultValue.back() == ' ' || defaultValue.back() == '\t')) {
    defaultValue.remove_suffix(1);
  }
  auto bytes = ReadWholeFile(hostPath);
  if (!bytes) return FitBuffer(defaultValue, bufferSize);
  std::string_view content(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  auto value = IniLookup(content, section, key);
  return FitBuffer(value ? std::string_view(*value) : defaultValue, bufferSize);
}

bool WriteIniString(const std::string& hostPath, std::string_view section, std::optional<std::string_view> key,
                    std::optional<std::string_view> value) {
  if (HasLineBreak(section) || (key && HasLineBreak(*key)) || (value && HasLineBreak(*value))) return false;
  if (key && value && !NamesReadBack(section, *key)) return false;
  auto bytes = ReadWholeFile(hostPath);
  bool removing = !key || !value;
  if (!bytes && removing) return true;  // nothing to remove from a missing file
  std::string_view content;
  if (bytes) content = std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size());

  std::string updated;
  if (!key) {
    updated = IniRemoveSection(content, section);
  } else if (!value) {
    updated = IniRemoveKey(content, section, *key);
  } else {
    updated = IniSetValue(content, section, *key, *value);
  }
  if (bytes && updated == content) return true;
  return ReplaceFile(hostPath, updated);
}

}  // namespace horavia::platform
