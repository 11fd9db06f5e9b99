// Settings read and written through the runtime's INI and conversion
// commands, in code page 936, by the rows of app/settings_table.h: the
// program's "配置.ini" key by key at the moment a value changes, and a
// skin's "pf.ini".
#pragma once

#include <cstdint>
#include <string>

#include "app/settings_table.h"

namespace horavia::app {

// One INI file read as the program reads it: the row's default for a
// missing key, numbers through the runtime's conversions, then limited.
class IniFileSettings : public SettingsSource {
 public:
  explicit IniFileSettings(std::string file) : file_(std::move(file)) {}
  std::string text(const SettingRow& row, int index = 0) const override;
  std::int32_t number(const SettingRow& row, int index = 0) const override;

 private:
  std::string file_;  // a runtime path (code page 936)
};

// The folder the program writes to, as a host path: the program folder
// when it may write there (a folder copied anywhere, the build folder),
// else, installed for all users, the user's data folder "horavia", made
// when `make` says so (the program) and not when it does not (the command
// line, which only asks the running program). The program folder when
// neither will do.
std::string WritableHostFolder(const std::string& hostProgramFolder, bool make);
// "配置.ini" as a host path, where a program in that folder keeps it.
std::string SettingsHostPath(const std::string& hostProgramFolder);

// "配置.ini" in the program's writable folder.
std::string ReadSetting(Setting setting);
std::int32_t ReadSettingNumber(Setting setting);
// Written at once; a number is limited by its row and written as decimal
// text. False when the file could not be written (a read-only folder, a
// full disk): the file keeps what it held, the program says so once on
// standard error and goes on with the value it has.
bool WriteSetting(Setting setting, const std::string& text);
bool WriteSetting(Setting setting, std::int32_t value);

}  // namespace horavia::app
