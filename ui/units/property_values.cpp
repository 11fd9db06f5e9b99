// Index
//   [kinds]     value conversion by kind code, font facets
//   [values]    the converters the property entries use
#include "ui/units/property_values.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstring>

#include "runtime/runtime_app.h"
#include "runtime/values.h"
#include "ui/units/cursors.h"

namespace horavia::ui {
namespace {

std::uint64_t ValueOfPointer(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

// [kinds] ----------------------------------------------------------------------

enum class KindClass { Number, Wide, Boolean, Choice, Bytes, Pointer, Font, Text };

KindClass Classify(std::int32_t kind) {
  using namespace property_kind;
  switch (kind) {
    case kInteger:
    case kInteger2:
    case kValue:
    case kValue2:
    case kColour: return KindClass::Number;
    case kWide:
    case kWide2: return KindClass::Wide;
    case kBoolean: return KindClass::Boolean;
    case kChoice: return KindClass::Choice;
    case kPicture:
    case kIcon:
    case kSound:
    case kOtherFile:
    case kOtherFile2: return KindClass::Bytes;
    case kPointer: return KindClass::Pointer;
    case kFont: return KindClass::Font;
    default: return KindClass::Text;
  }
}


std::int32_t ReadDword(const std::vector<std::uint8_t>& b) {
  return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}
void WriteDword(std::vector<std::uint8_t>& b, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

// Pointer data: the first dword names a system cursor in storage and a
// cursor number for the program.
std::vector<std::uint8_t> PointerDataForProgram(std::vector<std::uint8_t> bytes) {
  if (bytes.size() >= 4) WriteDword(bytes, CursorNumberFromSystemId(ReadDword(bytes)));
  return bytes;
}


std::uint64_t NewByteSet(const std::vector<std::uint8_t>& bytes) {
  return ValueOfPointer(runtime::MakeByteSet(bytes.data(), bytes.size()));
}

std::string FaceOrDefault(const char* face) {
  if (face == nullptr) return {};
  std::size_t n = std::strlen(face);
  return n >= 1 && n <= 31 ? std::string(face, n) : std::string();
}

std::uint64_t FontFacet(const UnitFont& font, std::int32_t subIndex, int dpi) {
  switch (subIndex) {
    case font_facet::kAngle: return static_cast<std::uint32_t>(font.angle);
    case font_facet::kBold: return font.weight >= 700 ? 1 : 0;
    case font_facet::kItalic: return font.italic ? 1 : 0;
    case font_facet::kStrikeout: return font.strikeout ? 1 : 0;
    case font_facet::kUnderline: return font.underline ? 1 : 0;
    case font_facet::kSize: return static_cast<std::uint32_t>(FontPointsFromHeight(font.height, dpi));
    case font_facet::kFace: return ValueOfPointer(runtime::CopyText(font.face));
    case font_facet::kWhole: {
      auto* record = static_cast<FontRecord*>(runtime::Runtime().heap().allocate(sizeof(FontRecord)));
      *record = {font.angle, font.weight >= 700 ? 1 : 0, font.italic, font.strikeout, font.underline,
                 FontPointsFromHeight(font.height, dpi), runtime::CopyText(font.face)};
      return ValueOfPointer(record);
    }
    default: return 0;
  }
}

UnitFont WithFacet(UnitFont font, std::int32_t subIndex, std::uint32_t low, std::uint32_t high, int dpi) {
  auto value = static_cast<std::int32_t>(low);
  switch (subIndex) {
    case font_facet::kAngle: font.angle = NormaliseAngle(value); break;
    case font_facet::kBold: font.weight = value != 0 ? 700 : 0; break;
    case font_facet::kItalic: font.italic = value != 0; break;
    case font_facet::kStrikeout: font.strikeout = value != 0; break;
    case font_facet::kUnderline: font.underline = value != 0; break;
    case font_facet::kSize: font.height = FontHeightFromPoints(value, dpi); break;
    case font_facet::kFace: font.face = FaceOrDefault(static_cast<const char*>(PointerOf(low, high))); break;
    case font_facet::kWhole: {
      const auto* record = static_cast<const FontRecord*>(PointerOf(low, high));
      if (record == nullptr) break;
      font.angle = NormaliseAngle(record->angle);
      font.weight = record->bold != 0 ? 700 : 0;
      font.italic = record->italic != 0;
      font.strikeout = record->strikeout != 0;
      font.underline = record->underline != 0;
      font.height = FontHeightFromPoints(record->size, dpi);
      font.face = FaceOrDefault(record->face);
      break;
    }
    default: break;
  }
  return font;
}

}  // namespace

// [values] ---------------------------------------------------------------------

const void* PointerOf(std::uint32_t low, std::uint32_t high) {
  std::uint64_t v = static_cast<std::uint64_t>(high) << 32 | low;
  if constexpr (sizeof(void*) == 4) v = low;
  return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(v));
}

std::vector<std::uint8_t> BytesOfByteSet(const void* byteSet) {
  runtime::ByteSetView view = runtime::ByteSetBytes(byteSet);
  if (view.data == nullptr || view.size == 0) return {};
  return {view.data, view.data + view.size};
}

std::vector<std::uint8_t> PointerDataForStorage(std::vector<std::uint8_t> bytes) {
  if (bytes.size() >= 4) WriteDword(bytes, SystemIdFromCursorNumber(ReadDword(bytes)));
  return bytes;
}

int ScreenDpi() {
  QScreen* screen = QGuiApplication::primaryScreen();
  int dpi = screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
  return dpi > 0 ? dpi : 96;
}

std::int32_t FontPointsFromHeight(std::int32_t height, int dpi) {
  if (dpi <= 0) return 0;
  std::int64_t h = height < 0 ? -static_cast<std::int64_t>(height) : height;
  return static_cast<std::int32_t>((h * 72 + dpi / 2) / dpi);
}

std::int32_t FontHeightFromPoints(std::int32_t points, int dpi) {
  std::int64_t p = points < 0 ? -static_cast<std::int64_t>(points) : points;
  return static_cast<std::int32_t>(-((p * dpi + 36) / 72));
}

std::uint64_t ValueFromRaw(std::int32_t kind, const RawProperty& raw, std::int32_t subIndex, int dpi) {
  switch (Classify(kind)) {
    case KindClass::Number:
    case KindClass::Choice: return static_cast<std::uint32_t>(raw.number);
    case KindClass::Wide: return static_cast<std::uint64_t>(raw.number);
    case KindClass::Boolean: return raw.number == 1 ? 1 : 0;
    case KindClass::Bytes: return NewByteSet(raw.bytes);
    case KindClass::Pointer: return NewByteSet(PointerDataForProgram(raw.bytes));
    case KindClass::Font: return FontFacet(raw.font, subIndex, dpi);
    case KindClass::Text: return ValueOfPointer(runtime::CopyText(raw.text));
  }
  return 0;
}

RawProperty RawFromValue(std::int32_t kind, std::uint32_t low, std::uint32_t high, std::int32_t subIndex,
                         const RawProperty& current, int dpi) {
  RawProperty raw;
  switch (Classify(kind)) {
    case KindClass::Number: raw.number = static_cast<std::int32_t>(low); break;
    case KindClass::Wide: raw.number = static_cast<std::int64_t>(static_cast<std::uint64_t>(high) << 32 | low); break;
    case KindClass::Boolean: raw.number = low != 0 ? 1 : 0; break;
    case KindClass::Choice: raw.number = static_cast<std::int32_t>(low) < 0 ? 0 : static_cast<std::int32_t>(low); break;
    case KindClass::Bytes: raw.bytes = BytesOfByteSet(PointerOf(low, high)); break;
    case KindClass::Pointer: raw.bytes = PointerDataForStorage(BytesOfByteSet(PointerOf(low, high))); break;
    case KindClass::Font: raw.font = WithFacet(current.font, subIndex, low, high, dpi); break;
    case KindClass::Text: {
      const char* text = static_cast<const char*>(PointerOf(low, high));
      raw.text = text != nullptr ? text : "";
      break;
    }
  }
  return raw;
}

}  // namespace horavia::ui
