// Fonts of the simple units, through the one logical-font converter the units
// share: stored data keeps a 60-byte record (empty for the default GUI font),
// the property entries exchange a UnitFont, the controls draw with a QFont.
#pragma once

#include <QFont>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/units/logical_font.h"

namespace horavia::ui::controls {

// The default GUI font for an empty record or one that is not 60 bytes long.
inline UnitFont FontFromRecord(std::span<const std::uint8_t> record) {
  return UnitFontFromRecord(record).value_or(DefaultGuiFont());
}
inline std::vector<std::uint8_t> RecordFromFont(const UnitFont& font) { return RecordFromUnitFont(font); }
// The angle is the caller's to apply, where it can rotate.
inline QFont QFontOf(const UnitFont& font) { return QFontFromUnitFont(font); }

}  // namespace horavia::ui::controls
