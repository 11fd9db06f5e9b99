// Loading a form into a live window and everything after: showing (with the
// modal loop), closing, deleting closed windows once nothing needs them, and
// re-creating a unit in place.
//
// Index
//   [loading]    buildWindowFromForm and its steps
//   [showing]    showLoadedWindow
//   [closing]    the closing path, leaving the loaded forms, deletion
//   [recreate]   a unit re-created after a property change
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <map>

#include "runtime/runtime_app.h"
#include "runtime/services.h"
#include "ui/menu/menu_builder.h"
#include "ui/units/cursors.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"
#include "ui/window/live_units.h"
#include "ui/units/private_message.h"

namespace horavia::ui {

// [loading] --------------------------------------------------------------------

bool WindowEngine::buildWindowFromForm(std::uint32_t formId, bool modal, QWidget* owner) {
  Form* form = forms_.findForm(formId);
  if (form == nullptr || form->units.empty()) return false;
  // A window on its way out is closed now, and a closed one still waiting
  // for deletion goes first: its units must not outlive it into the new load.
  if (CWinFormUnit* existing = forms_.window(formId); existing != nullptr && existing->closing()) existing->close();
  if (!forms_.finishClosedWindow(formId)) return false;
  if (CWinFormUnit* existing = forms_.window(formId)) {
    if (existing->isMinimized()) {
      existing->showNormal();
    } else {
      existing->activateWindow();
      existing->raise();
    }
    return true;
  }
  if (modal) owner = nullptr;
  if (owner != nullptr) {
    auto windows = forms_.windows();
    if (std::find(windows.begin(), windows.end(), owner) == windows.end()) return false;
  }

  runtime::Runtime().blockEvents();
  bool created = createUnits(formId, modal, owner);
  if (!created) {
    forms_.drop(formId);
    runtime::Runtime().unblockEvents();
    return false;
  }
  finishLoading(formId);
  runtime::Runtime().unblockEvents();

  // A window a handler asked to close still shows (and a modal one runs its
  // loop, which carries out the close); one already closed does not.
  QPointer<CWinFormUnit> window = forms_.window(formId);
  for (std::int32_t event : {window_event::kCreated, window_event::kMoved, window_event::kResized}) {
    if (!window || window->closed()) return true;
    events_.deliver(formId, window->unitId(), event, {});
  }
  if (!window || window->closed()) return true;
  if ((*forms_.workingCopy(formId))[0].visible()) {
    showLoadedWindow(formId, modal);
  } else {
    tellUnitsShown(formId);
    window->setCreatedNotShown(true);
  }
  return true;
}

bool WindowEngine::createUnits(std::uint32_t formId, bool modal, QWidget* owner) {
  UnitTable& units = forms_.open(formId);
  BuiltMenu menu = buildMenuBar(units, firstMenuRun(units));

  Unit& windowUnit = units[0];
  auto create = UnitFunctionOf<kQueryCreate>(windowUnit);
  if (create == nullptr) return false;
  std::uint32_t style = (windowUnit.flags & unit_flags::kDisabled) ? unit_style::kDisabled : 0;
  UnitCreateParams params = createParams(formId, windowUnit, owner, 0, style);
  params.modal = modal;
  auto* window = static_cast<CWinFormUnit*>(create(params));
  if (window == nullptr) return false;  // the menu built above goes with `menu`
  windowUnit.window = window;
  forms_.setWindow(formId, window);
  window->setMenu(std::move(menu));

  // A unit that cannot be created (its type data does not read, or its type
  // has no units) fails the whole load: nothing of the form stays live.
  std::int32_t controlId = 100;
  for (std::size_t i = units.size(); i-- > 1;) {
    if (units[i].isMenuItem()) continue;
    units[i].window = createUnit(formId, units[i], window, controlId);
    if (units[i].window == nullptr) {
      delete window;
      return false;
    }
    controlId += 10;
  }
  return true;
}

QWidget* WindowEngine::createUnit(std::uint32_t formId, Unit& unit, QWidget* window, std::int32_t controlId) {
  std::uint32_t flags = TypeFlags(unit);
  std::uint32_t style = 0;
  if ((flags & type_flags::kNotAWindow) == 0) {
    style = unit_style::kChild;
    if (unit.flags & unit_flags::kVisible) style |= unit_style::kVisible;
    if (unit.flags & unit_flags::kDisabled) style |= unit_style::kDisabled;
    if (unit.flags & unit_flags::kTabStop) style |= unit_style::kTabStop;
  }
  auto create = UnitFunctionOf<kQueryCreate>(unit);
  QWidget* w = create != nullptr ? create(createParams(formId, unit, window, controlId, style)) : nullptr;
  if (w == nullptr) return nullptr;
  w->setProperty("horaviaControlId", controlId);
  if ((flags & type_flags::kNotAWindow) == 0 && (unit.flags & unit_flags::kDisabled)) w->setEnabled(false);
  return w;
}

UnitCreateParams WindowEngine::createParams(std::uint32_t formId, const Unit& unit, QWidget* parent,
                                            std::int32_t controlId, std::uint32_t style) {
  UnitCreateParams params;
  params.typeData = unit.typeData;
  params.style = style;
  params.parent = parent;
  params.controlId = controlId;
  params.left = unit.left;
  params.top = unit.top;
  params.width = unit.width;
  params.height = unit.height;
  params.formId = formId;
  params.unitId = unit.id;
  params.windows = this;
  return params;
}

void WindowEngine::attachCursor(Unit& unit, QWidget* widget) {
  std::optional<QCursor> cursor = MakeUnitCursor(unit.mousePointer);
  if (!cursor) return;
  unit.cursor = new QCursor(*cursor);
  widget->setCursor(*cursor);
}

void WindowEngine::finishLoading(std::uint32_t formId) {
  UnitTable& units = *forms_.workingCopy(formId);
  CWinFormUnit* window = forms_.window(formId);

  // Parents from the stored parent ids (a container unit, else the window).
  for (std::size_t i = 1; i < units.size(); ++i) {
    QWidget* w = LiveWidget(units[i]);
    if (w == nullptr) continue;
    QWidget* parent = window;
    if (units[i].parent != 0) {
      auto container = ui::findUnit(units, units[i].parent);
      if (container && LiveWidget(*container->record) != nullptr) parent = LiveWidget(*container->record);
    }
    if (w->parentWidget() != parent) w->setParent(parent);
  }
  // Z-order: each unit directly behind the previous one of the same parent
  // in table order, so the first one is on top.
  std::map<QWidget*, QWidget*> previous;
  for (std::size_t i = 1; i < units.size(); ++i) {
    QWidget* w = LiveWidget(units[i]);
    if (w == nullptr) continue;
    QWidget*& before = previous[w->parentWidget()];
    if (before != nullptr) w->stackUnder(before);
    before = w;
  }
  for (Unit& unit : units) {
    QWidget* w = LiveWidget(unit);
    if (w != nullptr && !unit.isMenuItem()) attachCursor(unit, w);
  }
  for (std::size_t i = units.size(); i-- > 1;) {
    if (QWidget* w = LiveWidget(units[i])) {
      PrivateMessageEvent initialise(private_message::kInitialise);
      QCoreApplication::sendEvent(w, &initialise);
    }
  }
  PrivateMessageEvent created(private_message::kWindowCreated);
  QCoreApplication::sendEvent(window, &created);
  for (std::size_t i = 1; i < units.size(); ++i) {
    if (QWidget* w = LiveWidget(units[i])) w->setVisible(ShowsWhenLoaded(units[i], w));
  }
}

// Each unit hears that its window has been shown, from the last entry to the
// first.
void WindowEngine::tellUnitsShown(std::uint32_t formId) {
  UnitTable& units = *forms_.workingCopy(formId);
  for (std::size_t i = units.size(); i-- > 1;) {
    if (QWidget* w = LiveWidget(units[i])) {
      PrivateMessageEvent shown(private_message::kWindowShown);
      QCoreApplication::sendEvent(w, &shown);
    }
  }
}

// [showing] --------------------------------------------------------------------

void WindowEngine::showLoadedWindow(std::uint32_t formId, bool modal) {
  QPointer<CWinFormUnit> window = forms_.window(formId);
  if (!window) return;
  QWidget* focusBefore = QApplication::focusWidget();
  window->show();
  window->setCreatedNotShown(false);
  if (modal) {
    for (CWinFormUnit* other : forms_.windows()) {
      if (other == window) continue;
      window->rememberDisabled(other, other->isEnabled());
      other->setEnabled(false);
    }
  }
  tellUnitsShown(formId);
  if (focusBefore != nullptr && QApplication::focusWidget() != focusBefore && focusBefore->window() == window) {
    focusBefore->setFocus();
  }
  if (!modal || !window) return;

  // The loop ends when the window leaves the loaded forms (closed, or
  // destroyed with the others at exit) or the program quits.
  loops_.runModal(formId, window);
}

// [closing] --------------------------------------------------------------------

// The window's close was accepted: event 2, then it leaves the loaded forms at
// once (a command that looks it up finds nothing, a modal loop on it ends).
// The object itself is deleted once no handler of its form is running, so
// that no handler returns into a deleted window.
void WindowEngine::windowClosing(CWinFormUnit& window) {
  const std::uint32_t formId = window.formId();
  window.setClosed();
  window.reenableDisabled();
  events_.deliver(formId, window.unitId(), window_event::kDestroyed, {});
  window.setMenu({});
  window.hide();
  leaveLoadedForms(formId);
  forms_.keepClosed(window);
}

void WindowEngine::leaveLoadedForms(std::uint32_t formId) {
  dropWorkingCopy(formId);
  if (!forms_.anyWindow() && runtime::Runtime().messageLoopRunning()) loops_.requestQuit();
}

void WindowEngine::windowDestroyed(CWinFormUnit& window) {
  if (forms_.tearingDown()) return;
  const std::uint32_t formId = window.formId();
  if (forms_.window(formId) != &window) return;  // it had closed before
  // Destroyed without closing: the working copy goes now.
  window.reenableDisabled();
  forms_.setWindow(formId, nullptr);
  runtime::RuntimeApp::Service(runtime::kServiceUnitDestroyed, static_cast<std::intptr_t>(formId), 0);
  leaveLoadedForms(formId);  // in case no runtime routed the request here
}

void WindowEngine::dropWorkingCopy(std::uint32_t formId) {
  forms_.drop(formId);
  loops_.formLeft(formId);
}

// [recreate] -------------------------------------------------------------------

void WindowEngine::recreateUnit(std::uint32_t formId, std::size_t index) {
  UnitTable* units = forms_.liveUnits(formId);
  if (units == nullptr || index >= units->size()) return;
  Unit& unit = (*units)[index];
  QWidget* old = LiveWidget(unit);
  auto writeBack = UnitFunctionOf<kQueryWriteBack>(unit);
  auto create = UnitFunctionOf<kQueryCreate>(unit);
  if (old == nullptr || create == nullptr) return;

  runtime::Runtime().blockEvents();
  if (writeBack != nullptr) unit.typeData = writeBack(old);
  std::uint32_t style = unit_style::kChild | (old->isVisible() ? unit_style::kVisible : 0) |
                        (old->isEnabled() ? 0 : unit_style::kDisabled) |
                        ((unit.flags & unit_flags::kTabStop) ? unit_style::kTabStop : 0);
  UnitCreateParams params =
      createParams(formId, unit, old->parentWidget(), old->property("horaviaControlId").toInt(), style);
  // The new window takes the old one's place, wherever it has been moved.
  params.left = old->x();
  params.top = old->y();
  params.width = old->width();
  params.height = old->height();
  QWidget* fresh = create(params);
  if (fresh != nullptr) {
    if (TypeFlags(unit) & type_flags::kMovesChildren) {
      for (QWidget* child : old->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        bool visible = child->isVisible();
        child->setParent(fresh);
        child->setVisible(visible);
      }
    }
    bool hadFocus = old->hasFocus();
    fresh->setProperty("horaviaControlId", params.controlId);
    fresh->setGeometry(old->geometry());
    fresh->stackUnder(old);
    fresh->setVisible(old->isVisible());
    fresh->setEnabled(old->isEnabled());
    if (unit.cursor != nullptr) fresh->setCursor(*static_cast<QCursor*>(unit.cursor));
    unit.window = fresh;
    recreating_ = std::make_pair(formId, unit.id);
    delete old;
    recreating_.reset();
    if (hadFocus) fresh->setFocus();
  }
  runtime::Runtime().unblockEvents();
}

}  // namespace horavia::ui
