// The animation box (type 8) and its object template (type 9) of the
// extended library, and the library's seven commands.
#pragma once

#include <array>

#include "runtime/library_types.h"

namespace horavia::ui {

// Installs both unit types (interface functions and property tables) and
// the seven commands into the extended library. Call once at start-up,
// before the first window loads.
void InstallCartoonUnits();

// The property tables: 21 entries for the box, 32 for the template, the
// eight common properties first.
extern const std::array<runtime::PropertyInfo, 21> kCartoonBoxProperties;
extern const std::array<runtime::PropertyInfo, 32> kCartoonObjectProperties;

}  // namespace horavia::ui
