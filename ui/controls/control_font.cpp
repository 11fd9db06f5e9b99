#include "ui/controls/control_font.h"

#include <QApplication>
#include <algorithm>
#include <cstring>

#include "ui/controls/unit_support.h"
#include "ui/forms/byte_stream.h"

namespace horavia::ui::controls {
namespace {

constexpr std::size_t kFaceOffset = 28;
constexpr std::size_t kFaceBytes = 32;
constexpr std::uint8_t kDefaultCharset = 1;

UnitFont DefaultGuiFont() {
  const QFont base = QApplication::font();
  UnitFont font;
  font.weight = base.bold() ? 700 : 400;
  font.italic = base.italic();
  // Heights are pixel heights; a negative one is the character height.
  font.height = -(base.pixelSize() > 0 ? base.pixelSize() : qRound(base.pointSizeF() * 96.0 / 72.0));
  return font;
}

}  // namespace

UnitFont FontFromRecord(std::span<const std::uint8_t> record) {
  if (record.size() != kLogicalFontSize) return DefaultGuiFont();
  ByteReader in(record);
  UnitFont font;
  font.height = in.i32();
  in.i32();  // width: the face's own
  font.angle = NormaliseAngle(in.i32());
  in.i32();  // orientation follows the angle
  font.weight = in.i32();
  std::span<const std::uint8_t> styles = in.take(8);
  font.italic = styles[0] != 0;
  font.underline = styles[1] != 0;
  font.strikeout = styles[2] != 0;
  std::span<const std::uint8_t> face = in.take(kFaceBytes);
  const auto end = std::find(face.begin(), face.end(), std::uint8_t{0});
  font.face.assign(face.begin(), end);
  return font;
}

std::vector<std::uint8_t> RecordFromFont(const UnitFont& font) {
  ByteWriter out;
  out.i32(font.height);
  out.i32(0);
  out.i32(font.angle);
  out.i32(font.angle);
  out.i32(font.weight);
  const std::uint8_t styles[8] = {font.italic, font.underline, font.strikeout, kDefaultCharset, 0, 0, 0, 0};
  out.raw(styles);
  std::uint8_t face[kFaceBytes] = {};
  std::memcpy(face, font.face.data(), std::min(font.face.size(), kFaceBytes - 1));
  out.raw(face);
  return out.take();
}

QFont QFontOf(const UnitFont& font) {
  QFont q = QApplication::font();
  if (!font.face.empty()) q.setFamily(FromCp936(font.face));
  if (font.height != 0) q.setPixelSize(std::max(1, font.height < 0 ? -font.height : font.height));
  q.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strikeout);
  return q;
}

}  // namespace horavia::ui::controls
