// Where the settings and the skins live.
#pragma once

#include <string>

#include "runtime/values.h"

namespace horavia::app {

// The settings file, "配置.ini" in the program folder (code page 936).
std::string SettingsFile();
// The current skin's folder, ending in "\".
std::string SkinFolder();
// The program's full path, as the autostart value holds it.
std::string ProgramPath();

// The main window's outline from a picture box's picture, white cut away.
void ShapeWindowFrom(const runtime::UnitRef& pictureBox);

}  // namespace horavia::app
