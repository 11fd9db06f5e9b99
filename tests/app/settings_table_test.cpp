// The settings tables: every key of "配置.ini" and "pf.ini" once, with its
// type, default and range, and the README's tables of both files saying the
// same thing row for row.
#include "app/settings_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "runtime/values.h"

namespace horavia::app {
namespace {

std::string Utf8(const char* cp936) { return platform::Cp936ToUtf8(cp936); }

struct ExpectedRow {
  const char* key;  // UTF-8
  SettingType type;
  const char* fallback;
  std::int32_t low, high;
  OutOfRange outOfRange;
};

void ExpectRows(std::span<const SettingRow> rows, const std::vector<ExpectedRow>& expected) {
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(expected[i].key);
    EXPECT_EQ(Utf8(rows[i].key), expected[i].key);
    EXPECT_EQ(Utf8(rows[i].section), "配置");
    EXPECT_EQ(rows[i].type, expected[i].type);
    EXPECT_EQ(Utf8(rows[i].fallback), expected[i].fallback);
    EXPECT_EQ(rows[i].low, expected[i].low);
    EXPECT_EQ(rows[i].high, expected[i].high);
    EXPECT_EQ(rows[i].outOfRange, expected[i].outOfRange);
  }
}

constexpr auto kKeep = OutOfRange::Keep;
constexpr auto kAny = kNoLimitHigh;

TEST(SettingsTable, TheProgramsSettingsSlotBySlot) {
  ExpectRows(ProgramSettingRows(), {
                                       {"皮肤文件名", SettingType::Text, "蓝色", kNoLimitLow, kAny, kKeep},
                                       {"是否整点报时", SettingType::Number, "0", 0, 1, kKeep},
                                       {"通道", SettingType::Integer, "0", 0, 10, kKeep},
                                       {"音量", SettingType::Integer, "60", 1, 100, kKeep},
                                       {"控制端口", SettingType::Integer, "0", 0, 65535, kKeep},
                                       {"控制令牌", SettingType::Text, "", kNoLimitLow, kAny, kKeep},
                                       {"窗口左边", SettingType::Integer, "200", kNoLimitLow, kAny, kKeep},
                                       {"窗口顶边", SettingType::Integer, "200", kNoLimitLow, kAny, kKeep},
                                       {"鼠标穿透", SettingType::Integer, "0", 0, 1, kKeep},
                                       {"不透明度", SettingType::Integer, "100", 20, 100, OutOfRange::Clamp},
                                       {"显示秒针", SettingType::Integer, "1", 0, 1, kKeep},
                                       {"大小", SettingType::Integer, "100", 50, 200, OutOfRange::Clamp},
                                   });
  EXPECT_EQ(&RowOf(Setting::Volume), &ProgramSettingRows()[3]);
  EXPECT_EQ(&RowOf(Setting::ControlToken), &ProgramSettingRows()[5]);
  EXPECT_EQ(&RowOf(Setting::WindowLeft), &ProgramSettingRows()[6]);
  EXPECT_EQ(&RowOf(Setting::SecondHand), &ProgramSettingRows()[10]);
}

TEST(SettingsTable, TheSkinsSettingsSlotBySlot) {
  ExpectRows(SkinSettingRows(), {
                                    {"结束1", SettingType::Integer, "8", 0, kAny, kKeep},
                                    {"结束2", SettingType::Integer, "8", 0, kAny, kKeep},
                                    {"结束1x", SettingType::Integer, "0", 0, 299, kKeep},
                                    {"结束1y", SettingType::Integer, "0", 0, 299, kKeep},
                                    {"结束2x", SettingType::Integer, "0", 0, 299, kKeep},
                                    {"结束2y", SettingType::Integer, "0", 0, 299, kKeep},
                                    {"转盘", SettingType::Integer, "0", 0, 1, kKeep},
                                    {"奖项数", SettingType::Integer, "0", 0, 36, kKeep},
                                    {"奖项", SettingType::Text, "", kNoLimitLow, kAny, kKeep},
                                    {"权重", SettingType::Integer, "1", 0, kAny, kKeep},
                                    {"奖项起始角", SettingType::Integer, "0", 0, 359, kKeep},
                                    {"写奖项", SettingType::Integer, "0", 0, 1, kKeep},
                                    {"显示结果秒数", SettingType::Integer, "5", 0, 60, OutOfRange::Clamp},
                                });
  EXPECT_EQ(&RowOf(SkinSetting::RotateWheel), &SkinSettingRows()[6]);
  EXPECT_EQ(&RowOf(SkinSetting::ResultSeconds), &SkinSettingRows()[12]);
  for (std::size_t i = 0; i < SkinSettingRows().size(); ++i) {
    const bool numbered = i == static_cast<std::size_t>(SkinSetting::PrizeLabel) ||
                          i == static_cast<std::size_t>(SkinSetting::PrizeWeight);
    EXPECT_EQ(SkinSettingRows()[i].numbered, numbered) << i;
  }
}

TEST(SettingsTable, KeysAreUniqueAndDefaultsLieInTheirRanges) {
  for (std::span<const SettingRow> rows : {ProgramSettingRows(), SkinSettingRows()}) {
    std::set<std::string> keys;
    for (const SettingRow& row : rows) {
      EXPECT_TRUE(keys.insert(row.key).second) << Utf8(row.key);
      EXPECT_LE(row.low, row.high) << Utf8(row.key);
      if (row.type == SettingType::Text) continue;
      const std::int32_t fallback = runtime::TextToInt32(row.fallback);
      EXPECT_GE(fallback, row.low) << Utf8(row.key);
      EXPECT_LE(fallback, row.high) << Utf8(row.key);
    }
  }
}

TEST(SettingsTable, ARowKeepsOrClampsWhatLiesOutside) {
  SettingRow row{"k", "s", SettingType::Integer, "0", 1, 100};
  EXPECT_EQ(Limited(row, 150), 150);
  EXPECT_EQ(Limited(row, std::int64_t{1} << 40), kNoLimitHigh);  // still a 32-bit number
  row.outOfRange = OutOfRange::Clamp;
  EXPECT_EQ(Limited(row, 150), 100);
  EXPECT_EQ(Limited(row, -3), 1);
  EXPECT_EQ(Limited(row, 42), 42);
  row.numbered = true;
  EXPECT_EQ(KeyOf(row, 12), "k12");
  EXPECT_EQ(KeyOf(RowOf(Setting::Chime)), RowOf(Setting::Chime).key);
}

// [README] ---------------------------------------------------------------------

// One row of a README table of keys: the keys it names (UTF-8; "X1" … "XN"
// names the numbered key X), its default and its range as written.
struct ReadmeRow {
  std::vector<std::string> keys;
  std::string fallback;
  std::string range;
};

std::vector<std::string> Cells(std::string line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  std::string cell;
  std::getline(in, cell, '|');  // before the first bar
  while (std::getline(in, cell, '|')) {
    const std::size_t first = cell.find_first_not_of(' ');
    const std::size_t last = cell.find_last_not_of(' ');
    cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
  }
  if (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

// The quoted texts of a cell; a key followed by " …" is a numbered key
// whose first instance is written.
std::vector<std::string> Keys(const std::string& cell) {
  std::vector<std::string> keys;
  for (std::size_t open = cell.find('"'); open != std::string::npos; open = cell.find('"', open + 1)) {
    const std::size_t close = cell.find('"', open + 1);
    std::string key = cell.substr(open + 1, close - open - 1);
    open = close;
    if (cell.compare(close + 1, 4, " \u2026") == 0 && !key.empty() && key.back() == '1') {
      key.pop_back();
      key += "#";  // numbered
      keys.push_back(key);
      break;
    }
    keys.push_back(key);
  }
  return keys;
}

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

// The tables headed "| Key | Default | Range | Meaning |", by the file the
// text line before each names ("配置.ini" or "pf.ini").
std::map<std::string, std::vector<ReadmeRow>> ReadmeTables() {
  std::ifstream readme(std::string(HORAVIA_SOURCE_DIR) + "/README.md");
  std::map<std::string, std::vector<ReadmeRow>> tables;
  std::string line, file;
  bool inTable = false;
  while (std::getline(readme, line)) {
    const std::size_t bar = line.find_first_not_of(' ');
    const bool tableLine = bar != std::string::npos && line[bar] == '|';
    if (!tableLine) {
      inTable = false;
      if (line.find("pf.ini") != std::string::npos) file = "pf.ini";
      if (line.find("配置.ini") != std::string::npos) file = "配置.ini";
      continue;
    }
    const std::vector<std::string> cells = Cells(line.substr(bar));
    if (cells == std::vector<std::string>{"Key", "Default", "Range", "Meaning"}) {
      inTable = true;
      continue;
    }
    if (!inTable || cells.size() != 4 || cells[0].starts_with("---")) continue;
    tables[file].push_back({Keys(cells[0]), Unquoted(cells[1]), cells[2]});
  }
  return tables;
}

std::string RangeText(const SettingRow& row) {
  if (row.type == SettingType::Text || (row.low == kNoLimitLow && row.high == kNoLimitHigh)) return "";
  if (row.high == kNoLimitHigh) return std::to_string(row.low) + " or more";
  return std::to_string(row.low) + " to " + std::to_string(row.high);
}

void ExpectReadmeTable(const std::vector<ReadmeRow>& documented, std::span<const SettingRow> rows) {
  std::map<std::string, const ReadmeRow*> byKey;
  for (const ReadmeRow& entry : documented) {
    for (const std::string& key : entry.keys) EXPECT_TRUE(byKey.emplace(key, &entry).second) << key << " twice";
  }
  for (const SettingRow& row : rows) {
    const std::string key = Utf8(row.key) + (row.numbered ? "#" : "");
    SCOPED_TRACE(key);
    auto found = byKey.find(key);
    ASSERT_NE(found, byKey.end()) << "not in the README";
    EXPECT_EQ(found->second->fallback, Utf8(row.fallback));
    EXPECT_EQ(found->second->range, RangeText(row));
    byKey.erase(found);
  }
  for (const auto& [key, entry] : byKey) ADD_FAILURE() << key << " is in the README but not in the table";
}

TEST(SettingsTable, TheReadmeDocumentsEveryKeyWithItsDefaultAndRange) {
  std::map<std::string, std::vector<ReadmeRow>> tables = ReadmeTables();
  ASSERT_EQ(tables.size(), 2u);
  ExpectReadmeTable(tables["配置.ini"], ProgramSettingRows());
  ExpectReadmeTable(tables["pf.ini"], SkinSettingRows());
}

}  // namespace
}  // namespace horavia::app
