#include "app/settings.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/skins.h"
#include "platform/files.h"
#include "platform/text_codec.h"

namespace horavia::app {

std::string IniFileSettings::text(const SettingRow& row, int index) const {
  return Call(CoreCommand::ReadIniValue, {Text(file_), Text(row.section), Text(KeyOf(row, index)), Text(row.fallback)})
      .text();
}

std::int32_t IniFileSettings::number(const SettingRow& row, int index) const {
  const std::string value = text(row, index);
  if (row.type != SettingType::Number) return Limited(row, Call(CoreCommand::ToInteger, {Text(value)}).integer());
  const double read = Call(CoreCommand::ToFloat64, {Text(value)}).real();
  return Limited(row, Call(CoreCommand::ToInteger, {Real(read)}).integer());
}

std::string WritableHostFolder(const std::string& hostProgramFolder, bool make) {
  if (platform::IsWritableFolder(hostProgramFolder)) return hostProgramFolder;
  const std::string data = platform::UserDataFolder();
  if (data.empty()) return hostProgramFolder;
  const std::string folder = data + "/horavia";
  if (make && !platform::MakeFolders(folder)) return hostProgramFolder;
  return folder;
}

std::string SettingsHostPath(const std::string& hostProgramFolder) {
  return WritableHostFolder(hostProgramFolder, false) + "/" + platform::Cp936ToUtf8(kConstants.SettingsFile);
}

std::string ReadSetting(Setting setting) { return IniFileSettings(SettingsFile()).text(RowOf(setting)); }

std::int32_t ReadSettingNumber(Setting setting) { return IniFileSettings(SettingsFile()).number(RowOf(setting)); }

bool WriteSetting(Setting setting, const std::string& text) {
  const SettingRow& row = RowOf(setting);
  const std::string file = SettingsFile();
  const bool written =
      Call(CoreCommand::WriteIniValue, {Text(file), Text(row.section), Text(KeyOf(row)), Text(text)}).boolean();
  AppState& state = State();
  if (!written && !state.settingsWriteReported) {
    state.settingsWriteReported = true;
    std::fprintf(stderr, "horavia: cannot write the settings %s\n", platform::HostPath(file).c_str());
  }
  state.observers.notify([setting](AppObserver& o) { o.settingsChanged(setting); });
  return written;
}

bool WriteSetting(Setting setting, std::int32_t value) {
  return WriteSetting(setting, Call(CoreCommand::ToText, {Int(Limited(RowOf(setting), value))}).text());
}

}  // namespace horavia::app
