// Fuzz entry point for "配置.ini" as the program reads and writes it. The
// input is
//   [setting] [value length] value  file
// (the setting taken modulo the number of settings, the length modulo 64,
// cut short when the input is): the file is written as the program's
// settings file, every setting is read as start-up reads it, then the one
// setting is written as the menu or the settings window writes it. A write
// that succeeds must read back as written (a number limited by its row, a
// text as a fresh file gives it back) and leave every other setting as it
// read before.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/settings.h"
#include "app/skins.h"
#include "fuzz/app/fuzz_folder.h"
#include "platform/ini.h"
#include "platform/text_codec.h"

using namespace horavia::app;
using horavia::fuzz::Check;

namespace {

constexpr std::array kSettings = {Setting::SkinName, Setting::Chime, Setting::Device, Setting::Volume};

// Every setting as start-up reads it: the skin's name as text, the others
// as numbers.
std::array<std::string, kSettings.size()> ReadAll() {
  std::array<std::string, kSettings.size()> values;
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    const Setting setting = kSettings[i];
    values[i] = setting == Setting::SkinName ? ReadSetting(setting) : std::to_string(ReadSettingNumber(setting));
  }
  return values;
}

// The text a value written into an empty file reads back as (trimmed,
// unquoted, cut at a NUL), or nothing when such a file cannot hold it.
std::optional<std::string> ReadBackFromFreshFile(const SettingRow& row, std::string_view value) {
  return horavia::platform::IniLookup(horavia::platform::IniSetValue("", row.section, row.key, value), row.section,
                                      row.key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool folderSet = [] {
    State().dataFolder = NewText(horavia::fuzz::FuzzFolder());
    return true;
  }();
  (void)folderSet;
  if (size < 2) return 0;
  const std::size_t which = data[0] % kSettings.size();
  const std::size_t length = std::min<std::size_t>(data[1] % 64, size - 2);
  const std::string value(reinterpret_cast<const char*>(data + 2), length);
  horavia::fuzz::WriteFuzzFile(horavia::platform::HostPath(SettingsFile()), data + 2 + length, size - 2 - length);

  const auto before = ReadAll();
  const Setting setting = kSettings[which];
  const SettingRow& row = RowOf(setting);
  std::string expected = value;
  bool written = false;
  if (setting == Setting::SkinName) {
    // A name that no file gives back as written (spaces around it, quotes,
    // a NUL) is not asked of the read.
    written = WriteSetting(setting, value) && ReadBackFromFreshFile(row, value) == std::optional<std::string>(value);
  } else {
    std::int32_t number = 0;
    std::memcpy(&number, value.data(), std::min<std::size_t>(value.size(), sizeof number));
    written = WriteSetting(setting, number);
    expected = std::to_string(Limited(row, number));
  }
  const auto after = ReadAll();
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (i != which) Check(after[i] == before[i]);
  }
  if (written) Check(after[which] == expected);
  return 0;
}
