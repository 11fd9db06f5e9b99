// Index
//   [lookups]    working copies, live windows and units, the unit under a widget
//   [closing]    closed windows waiting for deletion, running handlers, teardown
#include "ui/window/live_forms.h"

#include <QCoreApplication>
#include <algorithm>

#include "ui/window/form_unit.h"
#include "ui/window/live_units.h"

namespace horavia::ui {

// [lookups] --------------------------------------------------------------------

UnitTable* LiveForms::unitsOf(std::uint32_t formId) {
  auto it = live_.find(formId);
  if (it != live_.end()) return &it->second.units;
  Form* form = findForm(formId);
  return form != nullptr ? &form->units : nullptr;
}

UnitTable& LiveForms::open(std::uint32_t formId) {
  LiveForm& live = live_[formId];
  live.units = findForm(formId)->workingCopy();
  live.window = nullptr;
  return live.units;
}

CWinFormUnit* LiveForms::window(std::uint32_t formId) const {
  auto it = live_.find(formId);
  return it != live_.end() ? it->second.window : nullptr;
}

std::vector<CWinFormUnit*> LiveForms::windows() const {
  std::vector<CWinFormUnit*> windows;
  for (const auto& [formId, live] : live_)
    if (live.window != nullptr) windows.push_back(live.window);
  return windows;
}

bool LiveForms::anyWindow() const {
  return std::any_of(live_.begin(), live_.end(), [](const auto& f) { return f.second.window != nullptr; });
}

UnitTable* LiveForms::workingCopy(std::uint32_t formId) {
  auto it = live_.find(formId);
  return it != live_.end() ? &it->second.units : nullptr;
}

UnitTable* LiveForms::liveUnits(std::uint32_t formId) {
  auto it = live_.find(formId);
  if (it == live_.end() || it->second.window == nullptr) return nullptr;
  return &it->second.units;
}

QWidget* LiveForms::liveUnit(std::uint32_t formId, std::uint32_t unitId) {
  UnitTable* units = liveUnits(formId);
  if (units == nullptr) return nullptr;
  if (unitId == 0) return live_[formId].window;
  auto found = findUnit(*units, unitId);
  return found ? LiveWidget(*found->record) : nullptr;
}

LiveForms::UnitAt LiveForms::unitUnder(QWidget* widget) {
  if (widget == nullptr) return {};
  auto* window = dynamic_cast<CWinFormUnit*>(widget->window());
  if (window == nullptr || window->closing()) return {};
  auto it = live_.find(window->formId());
  if (it == live_.end()) return {};
  UnitTable& units = it->second.units;
  auto unitOf = [&units](QWidget* w) -> Unit* {
    for (Unit& u : units)
      if (!u.isMenuItem() && u.window == w) return &u;
    return nullptr;
  };
  UnitAt at{window->formId(), nullptr, nullptr};
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (Unit* u = unitOf(w)) {
      at.unit = u;
      at.widget = w;
      break;
    }
  }
  if (at.unit == nullptr) return {};
  // A message for a descendant of a container counts as one for the container.
  for (QWidget* up = at.widget->parentWidget(); up != nullptr && up != window; up = up->parentWidget()) {
    Unit* u = unitOf(up);
    if (u != nullptr && (TypeFlags(*u) & (type_flags::kContainer | type_flags::kContainerToo))) {
      at.unit = u;
      at.widget = up;
    }
  }
  return at;
}

void LiveForms::drop(std::uint32_t formId) {
  auto it = live_.find(formId);
  if (it == live_.end()) return;
  for (Unit& unit : it->second.units) DestroyCursor(unit);
  live_.erase(it);
}

// [closing] --------------------------------------------------------------------

void LiveForms::keepClosed(CWinFormUnit& window) {
  closedWindows_.emplace_back(&window);
  if (runningHandlers_[window.formId()] == 0) window.deleteLater();
}

bool LiveForms::closedAndNotReloaded(std::uint32_t formId) const {
  if (window(formId) != nullptr) return false;
  return std::any_of(closedWindows_.begin(), closedWindows_.end(),
                     [formId](const QPointer<CWinFormUnit>& w) { return w && w->formId() == formId; });
}

bool LiveForms::finishClosedWindow(std::uint32_t formId) {
  for (QPointer<CWinFormUnit>& w : closedWindows_) {
    if (!w || w->formId() != formId) continue;
    if (runningHandlers_.count(formId) != 0) return false;
    delete w.data();
  }
  std::erase_if(closedWindows_, [](const QPointer<CWinFormUnit>& w) { return w.isNull(); });
  return true;
}

void LiveForms::deleteClosedWindows() {
  std::erase_if(closedWindows_, [](const QPointer<CWinFormUnit>& w) { return w.isNull(); });
  std::vector<QPointer<CWinFormUnit>> closed = closedWindows_;
  for (QPointer<CWinFormUnit>& w : closed) {
    if (w && runningHandlers_.count(w->formId()) == 0) {
      QCoreApplication::sendPostedEvents(w, QEvent::DeferredDelete);
    }
  }
}

void LiveForms::endHandler(std::uint32_t formId) {
  auto it = runningHandlers_.find(formId);
  if (it == runningHandlers_.end() || --it->second > 0) return;
  runningHandlers_.erase(it);
  for (QPointer<CWinFormUnit>& closed : closedWindows_) {
    if (closed && closed->formId() == formId) closed->deleteLater();
  }
}

void LiveForms::destroyAll() {
  tearingDown_ = true;
  // A window loaded with an owner is the owner's child and goes with it, so
  // each is deleted through a guard that knows whether it is still there.
  std::vector<QPointer<CWinFormUnit>> windows;
  for (auto& [formId, live] : live_) {
    for (Unit& unit : live.units) DestroyCursor(unit);
    windows.emplace_back(live.window);
    live.window = nullptr;
  }
  live_.clear();
  for (QPointer<CWinFormUnit>& window : windows) delete window.data();
  for (QPointer<CWinFormUnit>& closed : closedWindows_) delete closed.data();
  closedWindows_.clear();
  tearingDown_ = false;
}

}  // namespace horavia::ui
