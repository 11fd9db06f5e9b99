#include "ui/units/logical_font.h"

#include <QApplication>
#include <QFontInfo>
#include <algorithm>
#include <cstring>

#include "ui/units/qt_text.h"

namespace horavia::ui {

namespace {

// The installed face that carries Chinese characters.
constexpr const char* kCjkFace = "WenQuanYi Micro Hei";
constexpr std::int32_t kNormalWeight = 400;
constexpr std::uint8_t kDefaultCharacterSet = 1;

std::int32_t ReadInt(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | bytes[at + static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(v);
}

void WriteInt(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The longest prefix of at most `limit` bytes that does not split a
// two-byte character.
std::size_t WholeCharacters(const std::string& text, std::size_t limit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t width = static_cast<std::uint8_t>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
    if (at + width > limit) break;
    at += width;
  }
  return at;
}

void WriteFace(std::vector<std::uint8_t>& record, const std::string& face) {
  std::fill_n(record.begin() + kLogicalFontFaceOffset, kLogicalFontFaceSize, 0);
  const std::size_t n = WholeCharacters(face, kLogicalFontFaceSize - 1);
  std::memcpy(record.data() + kLogicalFontFaceOffset, face.data(), n);
}

}  // namespace

std::optional<UnitFont> UnitFontFromRecord(std::span<const std::uint8_t> record) {
  if (record.size() != kLogicalFontSize) return std::nullopt;
  UnitFont font;
  font.height = ReadInt(record, 0);
  font.angle = ReadInt(record, 8);
  font.weight = ReadInt(record, 16);
  font.italic = record[20] != 0;
  font.underline = record[21] != 0;
  font.strikeout = record[22] != 0;
  const auto* face = reinterpret_cast<const char*>(record.data() + kLogicalFontFaceOffset);
  font.face.assign(face, strnlen(face, kLogicalFontFaceSize));
  return font;
}

std::vector<std::uint8_t> RecordFromUnitFont(const UnitFont& font, std::span<const std::uint8_t> base) {
  std::vector<std::uint8_t> record(kLogicalFontSize, 0);
  if (base.size() == kLogicalFontSize) {
    std::copy(base.begin(), base.end(), record.begin());
  } else {
    record[23] = kDefaultCharacterSet;
    WriteInt(record, 12, font.angle);  // a new font's characters turn with its baseline
  }
  WriteInt(record, 0, font.height);
  WriteInt(record, 8, font.angle);
  WriteInt(record, 16, font.weight);
  record[20] = font.italic ? 1 : 0;
  record[21] = font.underline ? 1 : 0;
  record[22] = font.strikeout ? 1 : 0;
  WriteFace(record, font.face);
  return record;
}

std::vector<std::uint8_t> RecordWithFace(std::span<const std::uint8_t> record, const std::string& face) {
  std::vector<std::uint8_t> out(record.begin(), record.end());
  if (out.size() == kLogicalFontSize) WriteFace(out, face);
  return out;
}

QFont QFontFromUnitFont(const UnitFont& font) {
  QFont q = QApplication::font();
  QStringList families;
  if (!font.face.empty()) families << FromCp936(font.face);
  families << q.families() << QString::fromLatin1(kCjkFace);
  q.setFamilies(families);
  if (font.height != 0) q.setPixelSize(std::max(1, std::abs(font.height)));
  q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? kNormalWeight : font.weight, 1, 1000)));
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strikeout);
  return q;
}

UnitFont UnitFontFromQFont(const QFont& q) {
  UnitFont font;
  const QFontInfo info(q);
  font.height = -info.pixelSize();
  font.weight = q.weight();
  font.italic = q.italic();
  font.underline = q.underline();
  font.strikeout = q.strikeOut();
  font.face = ToCp936(info.family());
  return font;
}

UnitFont DefaultGuiFont() { return UnitFontFromQFont(QApplication::font()); }

}  // namespace horavia::ui
