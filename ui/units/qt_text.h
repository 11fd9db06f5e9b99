// Texts on their way between the units (code page 936 bytes) and the
// toolkit (UTF-16), in one place for every unit, menu and window.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace horavia::ui {

inline QString FromCp936(std::string_view text) { return QString::fromStdU16String(platform::Cp936ToUtf16(text)); }
inline std::string ToCp936(const QString& text) { return platform::Utf16ToCp936(text.toStdU16String()); }

}  // namespace horavia::ui
