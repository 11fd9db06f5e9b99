#include "ui/units/cursors.h"

#include <QPixmap>

#include "ui/units/pictures.h"

namespace horavia::ui {
namespace {

std::int32_t FirstDword(std::span<const std::uint8_t> data) {
  if (data.size() < 4) return data.empty() ? 0 : static_cast<std::int8_t>(data[0]);
  return static_cast<std::int32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
}

std::optional<QCursor> CursorFromFile(std::span<const std::uint8_t> file) {
  std::optional<QImage> image = DecodePictureImage(file);
  if (!image) return std::nullopt;
  return QCursor(QPixmap::fromImage(*image));
}

}  // namespace

std::int32_t CursorNumberFromSystemId(std::int32_t systemId) {
  for (const CursorEntry& e : kCursorTable)
    if (e.systemId == systemId) return e.number;
  return systemId;
}

std::int32_t SystemIdFromCursorNumber(std::int32_t number) {
  if (number < 0 || number >= static_cast<std::int32_t>(kCursorTable.size())) return number;
  return kCursorTable[static_cast<std::size_t>(number)].systemId;
}

std::optional<QCursor> MakeUnitCursor(std::span<const std::uint8_t> data) {
  std::int32_t pointer = FirstDword(data);
  if (data.empty() || pointer == 0) return std::nullopt;
  if (pointer == -1) return CursorFromFile(data.subspan(4));
  // A longer block may be a cursor file in its own right.
  if (data.size() > 10) {
    if (std::optional<QCursor> file = CursorFromFile(data)) return file;
  }
  std::int32_t systemId = SystemIdFromCursorNumber(pointer);
  for (const CursorEntry& e : kCursorTable) {
    if (e.systemId == systemId && e.number != 0) return QCursor(e.shape);
  }
  return std::nullopt;
}

}  // namespace horavia::ui
