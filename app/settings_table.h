// The settings the program reads and writes, one row per key: the program's
// own "配置.ini" and a skin's "pf.ini". Reading, clamping and writing go
// through these rows, the skin tool judges a skin's values by them and a
// test holds the README's tables to them; adding a setting is one row here
// (and its enum name).
//
// Keys and defaults are code-page-936 texts of the constant block, as the
// files hold them.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>

#include "app/prizes/prizes.h"

namespace horavia::app {

enum class SettingType : std::uint8_t {
  Text,     // kept as read
  Integer,  // the runtime's integer reading: text that is no number reads 0
  Number,   // a decimal number truncated toward zero: "1.9" reads 1
};

// What a number outside its row's range becomes. Keep: read as it stands
// (the range says what means something, for the skin check and the README;
// the program has always read these keys so). Clamp: pulled into the range.
enum class OutOfRange : std::uint8_t { Keep, Clamp };

inline constexpr std::int32_t kNoLimitLow = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int32_t kNoLimitHigh = std::numeric_limits<std::int32_t>::max();

struct SettingRow {
  const char* key;       // code page 936; a numbered key is followed by 1…N
  const char* section;   // code page 936
  SettingType type;
  const char* fallback;  // the default, as the file would hold it
  std::int32_t low = kNoLimitLow;  // the range of a number
  std::int32_t high = kNoLimitHigh;
  OutOfRange outOfRange = OutOfRange::Keep;
  bool numbered = false;
};

// [配置.ini] in the program's writable folder.
enum class Setting : std::uint8_t {
  SkinName,  // 皮肤文件名
  Chime,     // 是否整点报时
  Device,    // 通道
  Volume,    // 音量
  ControlPort,   // 控制端口: 0 off, else the control interface's port
  ControlToken,  // 控制令牌: what every request to it must carry
  WindowLeft,    // 窗口左边: where the clock was last dragged to
  WindowTop,     // 窗口顶边
  ClickThrough,  // 鼠标穿透: clicks pass through the clock
  Opacity,       // 不透明度: percent
  SecondHand,    // 显示秒针: 0 hides it (and the clock wakes once a minute)
  Size,          // 大小: percent of the skin's 300 × 300
};

// [pf.ini] in a skin's folder.
enum class SkinSetting : std::uint8_t {
  End1Plays,      // 结束1
  End2Plays,      // 结束2
  End1X,          // 结束1x
  End1Y,          // 结束1y
  End2X,          // 结束2x
  End2Y,          // 结束2y
  RotateWheel,    // 转盘
  PrizeCount,     // 奖项数
  PrizeLabel,     // 奖项1 … 奖项N
  PrizeWeight,    // 权重1 … 权重N
  PrizeStart,     // 奖项起始角
  WriteLabels,    // 写奖项
  ResultSeconds,  // 显示结果秒数
};

std::span<const SettingRow> ProgramSettingRows();
std::span<const SettingRow> SkinSettingRows();
const SettingRow& RowOf(Setting setting);
const SettingRow& RowOf(SkinSetting setting);

// The key as the file spells it: a numbered row's key followed by the
// decimal number (1-based), any other row's key as it stands.
std::string KeyOf(const SettingRow& row, int number = 0);

// A number as the row takes it: clamped into its range when the row says
// so, else unchanged.
std::int32_t Limited(const SettingRow& row, std::int64_t value);

// Where a settings file's values come from: the program reads them through
// the runtime's INI and conversion commands, the skin tool through the INI
// engine directly. Missing keys give the row's default.
class SettingsSource {
 public:
  virtual ~SettingsSource() = default;
  virtual std::string text(const SettingRow& row, int index = 0) const = 0;
  // The number the program reads (integer or truncated number), limited.
  virtual std::int32_t number(const SettingRow& row, int index = 0) const = 0;
};

// The prize keys of a skin's pf.ini, read as far as the count says.
prizes::PrizeKeys ReadPrizeKeys(const SettingsSource& pf);

}  // namespace horavia::app
