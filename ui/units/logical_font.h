// Fonts as the forms store them: a 60-byte logical-font record, little
// endian:
//   0 height (int32; negative: character height, positive: cell height)
//   4 width, 8 escapement (tenths of a degree), 12 orientation, 16 weight
//  20 italic, 21 underline, 22 strikeout, 23 character set,
//  24 output precision, 25 clip precision, 26 quality, 27 pitch and family
//  28 face name: 32 bytes, code page 936, zero-terminated
// One converter for every unit: record <-> UnitFont <-> QFont.
#pragma once

#include <QFont>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ui/units/unit_interface.h"

namespace horavia::ui {

inline constexpr std::size_t kLogicalFontSize = 60;
inline constexpr std::size_t kLogicalFontFaceOffset = 28;
inline constexpr std::size_t kLogicalFontFaceSize = 32;

// Nothing unless the record is exactly 60 bytes.
std::optional<UnitFont> UnitFontFromRecord(std::span<const std::uint8_t> record);
// The record for `font`. Fields a UnitFont does not carry (width,
// orientation, character set, precisions, quality, pitch) are kept from
// `base` when that is a record; a face longer than 31 bytes is cut at a
// character boundary.
std::vector<std::uint8_t> RecordFromUnitFont(const UnitFont& font, std::span<const std::uint8_t> base = {});
// The record with its face name replaced (the text conversion request).
std::vector<std::uint8_t> RecordWithFace(std::span<const std::uint8_t> record, const std::string& face);

// The toolkit font: pixel size from the height, weight, styles and face
// (empty: the default face), with a CJK face behind it for characters the
// face lacks.
QFont QFontFromUnitFont(const UnitFont& font);
// The unit font of a toolkit font, its height as a negative character
// height in pixels.
UnitFont UnitFontFromQFont(const QFont& font);
// The font of units without one of their own.
UnitFont DefaultGuiFont();

}  // namespace horavia::ui
