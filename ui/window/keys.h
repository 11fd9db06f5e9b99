// Qt keys as the virtual-key codes and modifier bits that events and
// accelerators carry.
#pragma once

#include <QKeyEvent>
#include <cstdint>

#include "ui/menu/shortcuts.h"

namespace horavia::ui {

// The virtual-key code of a Qt key (letters and digits as their upper-case
// character), 0 for keys without one.
std::uint32_t VirtualKey(int qtKey);

// 1 Ctrl, 2 Shift, 4 Alt.
std::uint32_t ModifierBits(Qt::KeyboardModifiers modifiers);

}  // namespace horavia::ui
