#include "ui/install.h"

#include "ui/cartoon/cartoon_units.h"
#include "ui/controls/controls.h"
#include "ui/window/form_unit.h"

namespace horavia::ui {

void InstallUserInterface() {
  InstallWindowType();
  InstallControls();
  InstallCartoonUnits();
}

}  // namespace horavia::ui
