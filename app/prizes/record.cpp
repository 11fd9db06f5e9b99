#include "app/prizes/record.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace horavia::app::prizes {
namespace {

std::string Quoted(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string out = "\"";
  for (const char c : field) {
    if (c == '\r' || c == '\n') {
      out += ' ';
      continue;
    }
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// The fields of one line, or nothing when its quotes do not close.
std::optional<std::vector<std::string>> Fields(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
      continue;
    }
    if (c == ',') {
      fields.emplace_back();
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else {
      fields.back() += c;
    }
  }
  if (quoted) return std::nullopt;
  return fields;
}

std::optional<int> WholeNumber(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<SpinRecord> Parse(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::optional<std::vector<std::string>> fields = Fields(line);
  if (!fields || fields->size() != 6) return std::nullopt;
  const std::vector<std::string>& f = *fields;
  const std::optional<int> segment = WholeNumber(f[2], 0, 1000);
  const std::optional<int> angle = WholeNumber(f[4], 0, 359);
  if (!segment || !angle || f[0].empty()) return std::nullopt;
  return SpinRecord{f[0], f[1], *segment, f[3], *angle, f[5]};
}

}  // namespace

std::string CleanSource(std::string_view source) {
  std::string out;
  for (const char c : source) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) continue;
    out += c;
  }
  if (out.size() <= kLongestSource) return out;
  std::size_t cut = kLongestSource;
  while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  out.resize(cut);
  return out;
}

std::string IsoTime(const CivilTime& t) {
  const int offset = t.utcOffsetSeconds / 60;
  const int magnitude = offset < 0 ? -offset : offset;
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}

std::string RecordLine(const SpinRecord& r) {
  return Quoted(r.time) + "," + Quoted(r.skin) + "," + std::to_string(r.segment) + "," + Quoted(r.label) + "," +
         std::to_string(r.angle) + "," + Quoted(r.source) + "\n";
}

std::vector<SpinRecord> NewestRecords(std::string_view text, std::size_t limit, bool startsInsideALine) {
  std::vector<SpinRecord> records;
  // Only whole lines count: drop a first line that began before the text
  // and a last one whose write never finished.
  if (startsInsideALine) {
    const std::size_t first = text.find('\n');
    text = first == std::string_view::npos ? std::string_view() : text.substr(first + 1);
  }
  const std::size_t lastBreak = text.rfind('\n');
  text = lastBreak == std::string_view::npos ? std::string_view() : text.substr(0, lastBreak);
  while (!text.empty() && records.size() < limit) {
    const std::size_t start = text.rfind('\n');
    const std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
    text = start == std::string_view::npos ? std::string_view() : text.substr(0, start);
    if (std::optional<SpinRecord> record = Parse(line)) records.push_back(std::move(*record));
  }
  return records;
}

}  // namespace horavia::app::prizes
