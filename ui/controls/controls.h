// The nine simple units: Label, Button, PicBox, CheckBox, ComboBox, ListBox,
// EditBox, SliderBar and DrawPanel.
#pragma once

namespace horavia::ui {

// Installs the interface function and property table of each simple unit
// into its type record (runtime/libraries.h). The program calls it once at
// start-up, before the first window loads.
void InstallControls();

}  // namespace horavia::ui
