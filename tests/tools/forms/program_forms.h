// The program's windows compiled from their sources in app/forms, as the
// build compiles them.
#pragma once

#include <vector>

#include "ui/forms/form_table.h"

namespace horavia::tools {

std::vector<ui::Form> compileProgramForms();

}  // namespace horavia::tools
