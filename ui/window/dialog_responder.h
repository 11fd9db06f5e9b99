// The interactive answer to the program's message boxes: a QMessageBox.
#pragma once

namespace horavia::ui {

void InstallMessageBoxResponder();

}  // namespace horavia::ui
