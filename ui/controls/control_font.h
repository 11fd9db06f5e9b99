// Fonts of the simple units. Stored data keeps a font as a 60-byte logical
// font record (empty for the default GUI font); the property entries exchange
// it as a UnitFont; the controls draw with a QFont.
//
// Record layout, little-endian: height, width, escapement (the angle in
// tenths of a degree), orientation, weight (int32 each); italic, underline,
// strikeout, character set, output precision, clipping precision, quality,
// pitch and family (one byte each); the face name, 32 bytes, zero-padded.
//
// These three functions are the units' only way between the forms: when the
// shared logical-font converter joins the tree, they become calls to it.
#pragma once

#include <QFont>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/units/unit_interface.h"

namespace horavia::ui::controls {

inline constexpr std::size_t kLogicalFontSize = 60;

// The font of a record; the default GUI font for an empty record or one that
// is not 60 bytes long.
UnitFont FontFromRecord(std::span<const std::uint8_t> record);
// The record of a font (always 60 bytes).
std::vector<std::uint8_t> RecordFromFont(const UnitFont& font);
// The toolkit font: the face (or the default face), pixel height, weight and
// styles. The angle is the caller's to apply, where it can rotate.
QFont QFontOf(const UnitFont& font);

}  // namespace horavia::ui::controls
