// Unit properties by number, behind the runtime's read and write entries:
// the common properties 0-7 of every unit, the type's own from 8 on (through
// its query 6 and 4 functions, converted by kind), and the menu item's four
// (caption, checked, disabled, visible).
#pragma once

#include <cstdint>

namespace horavia::ui {

class WindowEngine;

std::uint64_t ReadUnitProperty(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId,
                               std::int32_t property, std::int32_t subIndex);
void WriteUnitProperty(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                       std::int32_t subIndex, std::uint32_t low, std::uint32_t high);

}  // namespace horavia::ui
