// Property values between the runtime and the units: the kind codes of the
// type's property tables and how a value of each kind is converted on its way
// in and out, the numbers of the common properties, their clamps, and font
// facets.
//
// Numbers 0-7 are common to every unit but the menu item (left, top, width,
// height, tag, visible, disabled, mouse pointer); from 8 on they belong to the
// unit's type (queries 6 and 4) and their kind code decides how values are
// converted.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/property_rows.h"
#include "runtime/library_types.h"
#include "ui/units/unit_interface.h"

namespace horavia::ui {

// The kind codes live with the property tables (base/property_rows.h).
namespace property_kind = base::property_kind;

namespace common_property {
constexpr std::int32_t kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3, kTag = 4, kVisible = 5, kDisabled = 6,
                       kMousePointer = 7;
constexpr std::int32_t kFirstTypeProperty = base::kFirstTypeProperty;
}  // namespace common_property

// The eight properties every unit but the menu item has, first in every
// type's table.
inline constexpr std::array<runtime::PropertyInfo, common_property::kFirstTypeProperty> kCommonProperties = {{
    {"left", "left", property_kind::kInteger},
    {"top", "top", property_kind::kInteger},
    {"width", "width", property_kind::kInteger},
    {"height", "height", property_kind::kInteger},
    {"tag", "tag", property_kind::kText},
    {"visible", "visible", property_kind::kBoolean},
    {"disabled", "disabled", property_kind::kBoolean},
    {"MousePointer", "MousePointer", property_kind::kPointer},
}};

inline constexpr std::int32_t kMaxPosition = 32627;

// Positions clamp to -32627..32627, sizes to 0..32627.
constexpr std::int32_t ClampPosition(std::int64_t v) { return base::Clamp(v, -kMaxPosition, kMaxPosition); }
constexpr std::int32_t ClampSize(std::int64_t v) { return base::Clamp(v, 0, kMaxPosition); }
// Font angles in tenths of a degree, taken modulo 3600 and made non-negative.
constexpr std::int32_t NormaliseAngle(std::int64_t v) { return static_cast<std::int32_t>(((v % 3600) + 3600) % 3600); }

// Font facets by sub-index (-1: the whole font as a FontRecord).
namespace font_facet {
constexpr std::int32_t kWhole = -1, kAngle = 0, kBold = 1, kItalic = 2, kStrikeout = 3, kUnderline = 4,
                       kSize = 5, kFace = 6;
}  // namespace font_facet

// The whole font as a value: six 32-bit fields and the face name (a text
// pointer, pointer-sized on this host).
struct FontRecord {
  std::int32_t angle;
  std::int32_t bold;
  std::int32_t italic;
  std::int32_t strikeout;
  std::int32_t underline;
  std::int32_t size;
  const char* face;
};

// Size in points from a font height and back, at `dpi` pixels per inch
// (multiply, then divide, rounded).
std::int32_t FontPointsFromHeight(std::int32_t height, int dpi);
std::int32_t FontHeightFromPoints(std::int32_t points, int dpi);

// A raw value as the read entry returns it, by kind (texts and byte data
// become new runtime values); `subIndex` selects a font facet.
std::uint64_t ValueFromRaw(std::int32_t kind, const RawProperty& raw, std::int32_t subIndex, int dpi);
// A written value (low, high) as a raw value, by kind. A font facet is
// applied to `current`.
RawProperty RawFromValue(std::int32_t kind, std::uint32_t low, std::uint32_t high, std::int32_t subIndex,
                         const RawProperty& current, int dpi);

// The screen's vertical pixels per inch (96 without a screen), for font sizes.
int ScreenDpi();

// A pointer value as a property write carries it: the whole 64-bit value on a
// 64-bit host, the low dword alone on a 32-bit one.
const void* PointerOf(std::uint32_t low, std::uint32_t high);
// The bytes of a byte-set value (none: empty).
std::vector<std::uint8_t> BytesOfByteSet(const void* byteSet);
// Pointer data as stored: its first dword turned from the program's cursor
// number into the system cursor id.
std::vector<std::uint8_t> PointerDataForStorage(std::vector<std::uint8_t> bytes);

}  // namespace horavia::ui
