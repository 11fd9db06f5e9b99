// pf.ini as the program reads it: the rows of the program's pf.ini table,
// looked up in section "配置" with the program's own INI engine in code page
// 936, every number turned into an integer by the program's own conversion
// (text that is not a number reads as 0), the prize keys judged by the
// program's own rules.
//
// Index
//   [keys]     what the keys mean out of range; reading them from the file
//   [section]  the key lines of the section, for unknown and doubled keys
//   [values]   reading and judging each value
//   [prizes]   the prize keys, judged as a whole
#include <cctype>
#include <string_view>

#include "app/prizes/prizes.h"
#include "app/settings_table.h"
#include "base/ascii.h"
#include "platform/ini.h"
#include "platform/text_codec.h"
#include "runtime/values.h"
#include "tools/skin/checks.h"

namespace horavia::tools::skin {

namespace {

using app::KeyOf;
using app::Limited;
using app::RowOf;
using app::SettingRow;
using app::SkinSetting;
using app::SkinSettingRows;
namespace prizes = app::prizes;

// [keys] -----------------------------------------------------------------------

// The keys are the rows of the program's pf.ini table; these say, key by
// key, what a value outside its row's range does in the program.
std::string OutOfRangeNote(SkinSetting setting, const SettingRow& row) {
  switch (setting) {
    case SkinSetting::End1Plays:
    case SkinSetting::End2Plays: return ": a negative count never ends the animation; write 0 to keep the end picture";
    case SkinSetting::End1X:
    case SkinSetting::End1Y:
    case SkinSetting::End2X:
    case SkinSetting::End2Y: return " lies outside the clock's 300 × 300 box (0 to 299)";
    case SkinSetting::RotateWheel:
      return ": only 1 (the wheel turns) and 0 (the needle turns) mean something; the program lets the needle turn";
    default: return " lies outside " + std::to_string(row.low) + " to " + std::to_string(row.high);
  }
}

// Where each key's value goes.
int* Target(SkinSettings& settings, SkinSetting setting) {
  switch (setting) {
    case SkinSetting::End1Plays: return &settings.ends[0].plays;
    case SkinSetting::End2Plays: return &settings.ends[1].plays;
    case SkinSetting::End1X: return &settings.ends[0].x;
    case SkinSetting::End1Y: return &settings.ends[0].y;
    case SkinSetting::End2X: return &settings.ends[1].x;
    case SkinSetting::End2Y: return &settings.ends[1].y;
    case SkinSetting::RotateWheel: return &settings.rotateWheel;
    default: return nullptr;  // the prize keys are read as a whole
  }
}

std::string NameOf(const SettingRow& row, int index = 0) { return platform::Cp936ToUtf8(KeyOf(row, index)); }

// The file's values as the program reads them: the row's default for a
// missing key. (pf.ini has no rows of truncated decimal numbers.)
class ContentSettings final : public app::SettingsSource {
 public:
  explicit ContentSettings(std::string_view content) : content_(content) {}
  std::optional<std::string> written(const SettingRow& row, int index = 0) const {
    return platform::IniLookup(content_, row.section, KeyOf(row, index));
  }
  std::string text(const SettingRow& row, int index = 0) const override {
    return written(row, index).value_or(row.fallback);
  }
  std::int32_t number(const SettingRow& row, int index = 0) const override {
    return Limited(row, runtime::TextToInt32(text(row, index).c_str()));
  }

 private:
  std::string_view content_;
};
const std::string& Section() {
  static const std::string section = platform::Cp936ToUtf8(RowOf(SkinSetting::End1Plays).section);
  return section;
}

// [section] --------------------------------------------------------------------

std::string_view TrimBlanks(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The name of a "[...]" line (the INI engine's reading, simplified: names
// here are compared whole), or nothing.
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  return TrimBlanks(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct SectionKeys {
  bool found = false;
  std::vector<std::string> keys;  // code page 936, in file order
};

// The key names of the first section with that name, as the INI engine
// reads only the first.
SectionKeys KeysOf(std::string_view content, std::string_view section) {
  SectionKeys out;
  bool inside = false;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = content.substr(start, end - start);
    start = end + 1;
    if (const auto header = HeaderName(line)) {
      if (out.found) break;
      inside = base::EqualIgnoringAsciiCase(*header, section);
      out.found = inside;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inside && equals != std::string_view::npos) out.keys.emplace_back(TrimBlanks(line.substr(0, equals)));
  }
  return out;
}

// The number after a numbered row's key, or 0 when the key is not one.
int NumberedKey(std::string_view cp936Key, const SettingRow& row) {
  const std::string_view stem = row.key;
  if (!row.numbered || cp936Key.size() <= stem.size() || cp936Key.size() > stem.size() + 3) return 0;
  if (!base::EqualIgnoringAsciiCase(cp936Key.substr(0, stem.size()), stem)) return 0;
  int number = 0;
  for (const char c : cp936Key.substr(stem.size())) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

enum class KeyUse { Unknown, Read, BeyondTheCount };

KeyUse UseOf(std::string_view cp936Key, int prizeCount) {
  for (const SettingRow& row : SkinSettingRows()) {
    if (!row.numbered && base::EqualIgnoringAsciiCase(cp936Key, row.key)) return KeyUse::Read;
    const int number = NumberedKey(cp936Key, row);
    if (number >= 1) return number <= prizeCount ? KeyUse::Read : KeyUse::BeyondTheCount;
  }
  return KeyUse::Unknown;
}

// A value for a message: UTF-8, short, quoted.
std::string Shown(std::string_view cp936) {
  std::string text = platform::Cp936ToUtf8(cp936.substr(0, 40));
  if (cp936.size() > 40) text += "…";
  return "\"" + text + "\"";
}

void CheckKeyLines(std::string_view content, int prizeCount, Report& report) {
  const SectionKeys section = KeysOf(content, RowOf(SkinSetting::End1Plays).section);
  std::vector<std::string> seen;
  for (const std::string& key : section.keys) {
    const std::string name = platform::Cp936ToUtf8(key);
    const KeyUse use = UseOf(key, prizeCount);
    if (use == KeyUse::Unknown) {
      report.warning("pf.ini", "[配置] sets \"" + name + "\", which the program does not read");
      continue;
    }
    if (use == KeyUse::BeyondTheCount) {
      report.warning("pf.ini", "[配置] sets \"" + name + "\", but with 奖项数 = " + std::to_string(prizeCount) +
                                   " the program does not read it");
      continue;
    }
    bool twice = false;
    for (const std::string& earlier : seen) twice = twice || base::EqualIgnoringAsciiCase(earlier, key);
    if (twice) report.warning("pf.ini", name + " is set more than once; the program reads the first");
    seen.push_back(key);
  }
}

// [values] ---------------------------------------------------------------------

// A plain decimal integer that fits in 32 bits: an optional sign and digits.
bool PlainInteger(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty() || text.size() > 10) return false;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return std::stoll(std::string(text)) <= 2147483647LL;
}

// `value` as written, before the row limits it.
void JudgeValue(SkinSetting setting, int value, Report& report) {
  const SettingRow& row = RowOf(setting);
  const std::string shown = NameOf(row) + " = " + std::to_string(value);
  // The prize count is judged with the other prize keys; any start angle
  // comes round the circle.
  if (setting == SkinSetting::PrizeCount || setting == SkinSetting::PrizeStart) return;
  if (value < row.low || value > row.high) {
    if (row.outOfRange == app::OutOfRange::Clamp) {
      report.warning("pf.ini", shown + ": the program takes " + std::to_string(Limited(row, value)) + " (" +
                                   std::to_string(row.low) + " to " + std::to_string(row.high) + ")");
      return;
    }
    report.problem("pf.ini", shown + OutOfRangeNote(setting, row));
    return;
  }
  if ((setting == SkinSetting::End1Plays || setting == SkinSetting::End2Plays) && value == 0) {
    report.warning("pf.ini", shown + ": the end picture stays on screen until the program ends");
  }
}

// A file saved in UTF-8 has its Chinese names in bytes the program never
// matches, so the section is not found at all.
void CheckSection(std::string_view content, bool anyKeyFound, Report& report) {
  if (anyKeyFound || KeysOf(content, RowOf(SkinSetting::End1Plays).section).found) return;
  std::string_view utf8 = content;
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  if (KeysOf(utf8, Section()).found) {
    report.problem("pf.ini", "is saved as UTF-8, but the program reads it as code page 936 (GBK) and so finds no "
                             "[配置] section: every value takes its default. Save it as GBK");
    return;
  }
  if (content.find('=') != std::string_view::npos) {
    report.problem("pf.ini", "has no [配置] section: the program reads none of its values");
  }
}

// [prizes] ---------------------------------------------------------------------

std::string PrizeKeysOf(int prize) {
  return NameOf(RowOf(SkinSetting::PrizeLabel), prize) + " / " + NameOf(RowOf(SkinSetting::PrizeWeight), prize);
}

void CheckPrizes(const ContentSettings& pf, SkinSettings& settings, Report& report) {
  const prizes::PrizeKeys keys = app::ReadPrizeKeys(pf);
  const SettingRow& weightRow = RowOf(SkinSetting::PrizeWeight);
  for (int n = 1; n <= static_cast<int>(keys.weights.size()); ++n) {
    const std::optional<std::string> weight = pf.written(weightRow, n);
    if (weight && !PlainInteger(*weight)) {
      report.problem("pf.ini", NameOf(weightRow, n) + " = " + Shown(*weight) +
                                   " is not a whole number; the program reads it as " +
                                   std::to_string(keys.weights[static_cast<std::size_t>(n - 1)]));
    }
  }
  const prizes::PrizeReading reading = prizes::JudgePrizeKeys(keys);
  settings.prizes = reading.wheel;
  settings.writeLabels = pf.number(RowOf(SkinSetting::WriteLabels)) == 1;
  if (reading.problem != prizes::PrizeProblem::None) {
    report.problem("pf.ini", std::string("the prizes: ") + prizes::Describe(reading.problem) +
                                 (reading.prize > 0 ? " (" + PrizeKeysOf(reading.prize) + ")" : "") +
                                 "; the program takes the wheel to have no prizes");
  }
  const prizes::PrizeWheel& wheel = reading.wheel;
  for (int n = 1; n <= wheel.segments(); ++n) {
    if (!wheel.prizes[static_cast<std::size_t>(n - 1)].label.empty()) continue;
    report.warning("pf.ini", NameOf(RowOf(SkinSetting::PrizeLabel), n) +
                                 " is empty: its slice has no label, and winning it shows no banner");
  }
  if (settings.writeLabels && wheel.prizes.empty()) {
    report.warning("pf.ini", "写奖项 = 1, but the skin lists no prizes to write");
  }
  if (wheel.prizes.empty()) {
    report.info("pf.ini", "no prizes: a spin rests anywhere on the wheel, every angle alike");
    return;
  }
  std::string list;
  for (const prizes::Prize& prize : wheel.prizes) {
    list += (list.empty() ? "" : ", ") + platform::Cp936ToUtf8(prize.label) + " (" + std::to_string(prize.weight) + ")";
  }
  report.info("pf.ini", std::to_string(wheel.segments()) + " prizes from " + std::to_string(wheel.startAngle) +
                            "° clockwise, with their weights: " + list +
                            (settings.writeLabels ? "; the program writes them onto the wheel" : ""));
}

}  // namespace

SkinSettings CheckSettings(const FileBytes& file, Report& report) {
  SkinSettings settings;
  if (file.status == ReadStatus::TooLarge) {
    report.problem("pf.ini", "is larger than 1 MiB; not read. The defaults apply");
    return settings;
  }
  if (file.status != ReadStatus::Read) return settings;
  const std::string_view content(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
  const ContentSettings pf(content);
  bool anyKeyFound = false;
  for (std::size_t i = 0; i < SkinSettingRows().size(); ++i) {
    const auto setting = static_cast<SkinSetting>(i);
    const SettingRow& row = SkinSettingRows()[i];
    if (row.numbered) continue;  // with the prizes, below
    if (int* target = Target(settings, setting)) *target = pf.number(row);
    const std::optional<std::string> value = pf.written(row);
    if (!value) continue;
    anyKeyFound = true;
    if (row.type == app::SettingType::Text) continue;
    if (!PlainInteger(*value)) {
      report.problem("pf.ini", NameOf(row) + " = " + Shown(*value) + " is not a whole number; the program reads it as " +
                                   std::to_string(pf.number(row)));
      continue;
    }
    JudgeValue(setting, runtime::TextToInt32(value->c_str()), report);
  }
  CheckSection(content, anyKeyFound, report);
  CheckPrizes(pf, settings, report);
  CheckKeyLines(content, pf.number(RowOf(SkinSetting::PrizeCount)), report);

  const SkinSettings& s = settings;
  report.info("pf.ini", "the program reads 结束1 = " + std::to_string(s.ends[0].plays) + " at (" +
                            std::to_string(s.ends[0].x) + ", " + std::to_string(s.ends[0].y) + "), 结束2 = " +
                            std::to_string(s.ends[1].plays) + " at (" + std::to_string(s.ends[1].x) + ", " +
                            std::to_string(s.ends[1].y) + "), 转盘 = " + std::to_string(s.rotateWheel) +
                            (s.rotateWheel == 1 ? " (the wheel turns)" : " (the needle turns)"));
  return settings;
}

SkinSettings ReadSettings(const FileBytes& file) {
  Report unused;
  return CheckSettings(file, unused);
}

}  // namespace horavia::tools::skin
