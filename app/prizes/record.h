// The record of spins, "转盘记录.csv": one line per spin, appended whole, in
// UTF-8 with a header line. Writing and reading its lines are pure functions
// here; the file itself is the application's.
//
// Columns: time (ISO 8601 with the offset from UTC), skin, segment number
// (0 when the wheel has no prizes), label, rest angle of the turning object
// (0..359), and what started the spin (mouse, api, hotkey, or a name an
// interface client gave). Fields with a comma, a quote or a line break are
// quoted, quotes doubled.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace horavia::app::prizes {

inline constexpr std::string_view kRecordHeader = "time,skin,segment,label,angle,source\n";

// What starts a spin, as the record names it.
inline constexpr std::string_view kSourceMouse = "mouse";
inline constexpr std::string_view kSourceApi = "api";
inline constexpr std::string_view kSourceHotkey = "hotkey";
inline constexpr std::size_t kLongestSource = 32;

// A source name as the record keeps it: at most 32 bytes, line breaks and
// other control characters dropped, cut at a whole UTF-8 character.
std::string CleanSource(std::string_view source);

struct SpinRecord {
  std::string time;   // ISO 8601, e.g. 2027-01-15T10:10:30+08:00
  std::string skin;   // UTF-8
  int segment = 0;
  std::string label;  // UTF-8
  int angle = 0;
  std::string source;
};

struct CivilTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  int utcOffsetSeconds = 0;
};
std::string IsoTime(const CivilTime& time);

// One line of the file, ending in "\n".
std::string RecordLine(const SpinRecord& record);

// The newest `limit` records of the file's text (or of its tail), newest
// first. The header, lines that do not hold a record and a last line
// without its line break (a write cut short) are skipped; so is the first
// line when `startsInsideALine` (a tail read from the middle of the file).
std::vector<SpinRecord> NewestRecords(std::string_view text, std::size_t limit, bool startsInsideALine = false);

}  // namespace horavia::app::prizes
