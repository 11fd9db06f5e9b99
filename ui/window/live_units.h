// Small helpers over the unit records of a loaded form: the live objects
// they hold while their form is loaded, and their types' records.
#pragma once

#include <QCursor>
#include <QWidget>

#include "runtime/runtime_app.h"
#include "ui/forms/form_table.h"
#include "ui/units/unit_interface.h"

namespace horavia::ui {

inline QWidget* LiveWidget(const Unit& unit) { return static_cast<QWidget*>(unit.window); }

inline void DestroyCursor(Unit& unit) {
  delete static_cast<QCursor*>(unit.cursor);
  unit.cursor = nullptr;
}

inline const runtime::DataTypeInfo* TypeOf(const Unit& unit) { return runtime::Runtime().typeRecord(unit.type); }

inline std::uint32_t TypeFlags(const Unit& unit) {
  const runtime::DataTypeInfo* type = TypeOf(unit);
  return type != nullptr ? type->stateFlags : 0;
}

// The function the unit's type answers for query Q, or null.
template <UnitQuery Q>
typename QuerySignature<Q>::Type UnitFunctionOf(const Unit& unit) {
  return UnitFunction<Q>(TypeOf(unit));
}

// Whether a unit of a loaded window shows: its visible flag, unless its type
// is not a window.
inline bool ShowsWhenLoaded(const Unit& unit, const QWidget* widget) {
  return widget != nullptr && unit.visible() && (TypeFlags(unit) & type_flags::kNotAWindow) == 0;
}

}  // namespace horavia::ui
