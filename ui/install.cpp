#include "ui/install.h"

#include "ui/window/form_unit.h"

namespace horavia::ui {

void InstallUserInterface() { InstallWindowType(); }

}  // namespace horavia::ui
