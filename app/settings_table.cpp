#include "app/settings_table.h"

#include <algorithm>

#include "app/literals.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using enum SettingType;

// In the order of Setting. The window's place is any point: one that no
// screen shows falls back to the default when the clock starts
// (app/desktop.h). An opacity below 20 would lose the clock, so it is
// clamped; so is a size beyond what a screen holds or a hand can grab.
const SettingRow kProgramRows[] = {
    {L.KeySkinName, L.SettingsSection, Text, L.DefaultSkin},
    {L.KeyChime, L.SettingsSection, Number, L.DefaultZero, 0, 1},
    {L.KeyDevice, L.SettingsSection, Integer, L.DefaultZero, 0, 10},
    {L.KeyVolume, L.SettingsSection, Integer, L.DefaultVolume, 1, 100},
    {L.KeyControlPort, L.SettingsSection, Integer, L.DefaultZero, 0, 65535},
    {L.KeyControlToken, L.SettingsSection, Text, L.Empty},
    {L.KeyWindowLeft, L.SettingsSection, Integer, L.DefaultPlace},
    {L.KeyWindowTop, L.SettingsSection, Integer, L.DefaultPlace},
    {L.KeyClickThrough, L.SettingsSection, Integer, L.DefaultZero, 0, 1},
    {L.KeyOpacity, L.SettingsSection, Integer, L.DefaultPercent, 20, 100, OutOfRange::Clamp},
    {L.KeySecondHand, L.SettingsSection, Integer, L.DefaultOne, 0, 1},
    {L.KeySize, L.SettingsSection, Integer, L.DefaultPercent, 50, 200, OutOfRange::Clamp},
};

// In the order of SkinSetting. The end pictures' places lie in the 300 × 300
// box; a count of 0 keeps the picture for good. A count of prizes or a
// weight out of range means no prizes at all (app/prizes/prizes.h), which
// is why they are kept as read; the result's seconds are clamped.
const SettingRow kSkinRows[] = {
    {L.KeyEnd1, L.SettingsSection, Integer, L.DefaultEndPlays, 0},
    {L.KeyEnd2, L.SettingsSection, Integer, L.DefaultEndPlays, 0},
    {L.KeyEnd1X, L.SettingsSection, Integer, L.DefaultZero, 0, 299},
    {L.KeyEnd1Y, L.SettingsSection, Integer, L.DefaultZero, 0, 299},
    {L.KeyEnd2X, L.SettingsSection, Integer, L.DefaultZero, 0, 299},
    {L.KeyEnd2Y, L.SettingsSection, Integer, L.DefaultZero, 0, 299},
    {L.KeyRotateWheel, L.SettingsSection, Integer, L.DefaultZero, 0, 1},
    {L.KeyPrizeCount, L.SettingsSection, Integer, L.DefaultZero, 0, prizes::kMostPrizes},
    {L.KeyPrizeLabel, L.SettingsSection, Text, L.Empty, kNoLimitLow, kNoLimitHigh, OutOfRange::Keep, true},
    {L.KeyPrizeWeight, L.SettingsSection, Integer, L.DefaultOne, 0, kNoLimitHigh, OutOfRange::Keep, true},
    {L.KeyPrizeStart, L.SettingsSection, Integer, L.DefaultZero, 0, 359},
    {L.KeyWriteLabels, L.SettingsSection, Integer, L.DefaultZero, 0, 1},
    {L.KeyResultSeconds, L.SettingsSection, Integer, L.DefaultResultSeconds, 0, 60, OutOfRange::Clamp},
};

}  // namespace

std::span<const SettingRow> ProgramSettingRows() { return kProgramRows; }
std::span<const SettingRow> SkinSettingRows() { return kSkinRows; }

const SettingRow& RowOf(Setting setting) { return kProgramRows[static_cast<std::size_t>(setting)]; }
const SettingRow& RowOf(SkinSetting setting) { return kSkinRows[static_cast<std::size_t>(setting)]; }

std::string KeyOf(const SettingRow& row, int number) {
  std::string key = row.key;
  if (row.numbered) key += std::to_string(number);
  return key;
}

prizes::PrizeKeys ReadPrizeKeys(const SettingsSource& pf) {
  prizes::PrizeKeys keys;
  keys.count = pf.number(RowOf(SkinSetting::PrizeCount));
  keys.startAngle = pf.number(RowOf(SkinSetting::PrizeStart));
  if (keys.count < prizes::kFewestPrizes || keys.count > prizes::kMostPrizes) return keys;
  for (int n = 1; n <= keys.count; ++n) {
    keys.labels.push_back(pf.text(RowOf(SkinSetting::PrizeLabel), n));
    keys.weights.push_back(pf.number(RowOf(SkinSetting::PrizeWeight), n));
  }
  return keys;
}

std::int32_t Limited(const SettingRow& row, std::int64_t value) {
  if (row.outOfRange == OutOfRange::Clamp) value = std::clamp<std::int64_t>(value, row.low, row.high);
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), kNoLimitHigh));
}

}  // namespace horavia::app
