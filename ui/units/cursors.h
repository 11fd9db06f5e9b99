// The cursor table: program-visible cursor numbers 0-14 and the system
// cursor ids they stand for, and unit cursors made from mouse-pointer data.
#pragma once

#include <QCursor>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace horavia::ui {

struct CursorEntry {
  std::int32_t number = 0;
  std::int32_t systemId = 0;
  Qt::CursorShape shape = Qt::ArrowCursor;
};

inline constexpr std::int32_t kHandCursorId = 32649;

inline constexpr std::array<CursorEntry, 15> kCursorTable = {{
    {0, 0, Qt::ArrowCursor},           // default (none set)
    {1, 32512, Qt::ArrowCursor},       // arrow
    {2, 32515, Qt::CrossCursor},       // cross
    {3, 32513, Qt::IBeamCursor},       // text beam
    {4, 32514, Qt::WaitCursor},        // hourglass
    {5, 32651, Qt::WhatsThisCursor},   // arrow with question mark
    {6, 32650, Qt::BusyCursor},        // arrow with hourglass
    {7, 32648, Qt::ForbiddenCursor},   // forbidden
    {8, 32646, Qt::SizeAllCursor},     // four-way size
    {9, 32643, Qt::SizeBDiagCursor},   // diagonal, north-east to south-west
    {10, 32645, Qt::SizeVerCursor},    // vertical size
    {11, 32642, Qt::SizeFDiagCursor},  // diagonal, north-west to south-east
    {12, 32644, Qt::SizeHorCursor},    // horizontal size
    {13, 32516, Qt::UpArrowCursor},    // up arrow
    {14, kHandCursorId, Qt::PointingHandCursor},  // hand
}};

// Stored system id -> cursor number, and back; values outside the table pass
// through unchanged.
std::int32_t CursorNumberFromSystemId(std::int32_t systemId);
std::int32_t SystemIdFromCursorNumber(std::int32_t number);

// The unit's own cursor from its mouse-pointer data; nothing for empty data
// or pointer 0 (the class cursor shows then).
std::optional<QCursor> MakeUnitCursor(std::span<const std::uint8_t> pointerData);

}  // namespace horavia::ui
