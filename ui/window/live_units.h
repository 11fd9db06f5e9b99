// Small helpers over the live objects that unit records hold while their
// form is loaded.
#pragma once

#include <QCursor>
#include <QWidget>

#include "ui/forms/form_table.h"

namespace horavia::ui {

inline QWidget* LiveWidget(const Unit& unit) { return static_cast<QWidget*>(unit.window); }

inline void DestroyCursor(Unit& unit) {
  delete static_cast<QCursor*>(unit.cursor);
  unit.cursor = nullptr;
}

}  // namespace horavia::ui
