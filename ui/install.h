// Registration of the window layer with the runtime: every unit type and
// every command that the layers above the runtime implement.
#pragma once

namespace horavia::ui {

// Installs the window type, the units and their commands into the runtime's
// library records. Called once by the program's start-up before the first
// window loads, and by test fixtures; calling it again changes nothing.
void InstallUserInterface();

}  // namespace horavia::ui
