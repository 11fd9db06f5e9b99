// Small helpers over the live objects that unit records hold while their
// form is loaded.
#pragma once

#include <QCursor>
#include <QWidget>

#include "ui/forms/form_table.h"

namespace horavia::ui {

inline QWidget* LiveWidget(const Unit& unit) { return static_cast<QWidget*>(unit.window); }

// A placeholder stands in for a unit whose type has no interface yet: an
// empty, hidden child, so the window still loads.
inline bool IsPlaceholder(const QWidget* w) { return w != nullptr && w->property("horaviaPlaceholder").toBool(); }

inline void DestroyCursor(Unit& unit) {
  delete static_cast<QCursor*>(unit.cursor);
  unit.cursor = nullptr;
}

}  // namespace horavia::ui
