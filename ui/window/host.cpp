// The WindowHost requests: what the runtime (and through it the commands)
// asks of the window engine.
#include <QCoreApplication>
#include <algorithm>

#include "platform/event_loop.h"
#include "ui/units/private_message.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"
#include "ui/window/live_units.h"
#include "ui/window/properties.h"

namespace horavia::ui {

bool WindowEngine::loadForms(const std::uint8_t* block, std::uint32_t length, std::uintptr_t codeBase) {
  if (block == nullptr) return false;
  return forms_.loadFormBlock({block, length}, codeBase);
}

bool WindowEngine::loadStartWindow(std::uint32_t formId) { return buildWindowFromForm(formId, false, nullptr); }

bool WindowEngine::loadWindow(const runtime::LoadWindowRequest& request) {
  return buildWindowFromForm(request.formId, request.modal != 0, static_cast<QWidget*>(request.ownerWindow));
}

void WindowEngine::unitDestroyed(std::uint32_t formId, std::uint32_t unitId) {
  UnitTable* live = forms_.workingCopy(formId);
  if (live == nullptr) return;
  UnitTable& units = *live;
  if (unitId == 0 || (!units.empty() && units[0].id == unitId)) {
    dropWorkingCopy(formId);
    return;
  }
  if (recreating_ == std::make_pair(formId, unitId)) return;
  if (auto found = ui::findUnit(units, unitId)) {
    found->record->window = nullptr;
    DestroyCursor(*found->record);
  }
}

// The quit request is a flag, so pumping can never consume it. Windows closed
// while the events ran are deleted before the pump returns, unless a handler
// of their form is still running.
void WindowEngine::pumpPending() {
  platform::PumpPendingEvents();
  forms_.deleteClosedWindows();
}

// Icons are Qt objects here, not handles: both words stay 0 and windows
// without an icon of their own show the application's default.
void WindowEngine::defaultIcons(void* twoWords) {
  auto* words = static_cast<std::intptr_t*>(twoWords);
  if (words != nullptr) words[0] = words[1] = 0;
}

void* WindowEngine::pictureToBitmap(const void*, std::intptr_t) { return nullptr; }

void WindowEngine::destroyAllWindows() {
  forms_.destroyAll();
  loops_.clearModalForm();
  loops_.clearIdleHooks();
}

std::uint64_t WindowEngine::readProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                                         std::int32_t subIndex) {
  return ReadUnitProperty(*this, formId, unitId, property, subIndex);
}

void WindowEngine::writeProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                                 std::int32_t subIndex, std::uint32_t low, std::uint32_t high) {
  WriteUnitProperty(*this, formId, unitId, property, subIndex, low, high);
}

// Posted to the engine, which lives on the main thread; customEvent ends the
// program there.
void WindowEngine::forwardExit(int code) {
  QCoreApplication::postEvent(this, new PrivateMessageEvent(private_message::kForwardedExit, code));
}

bool WindowEngine::shapeWindowFromPicture(std::uint32_t formId, const std::uint8_t* bytes, std::size_t size,
                                          std::uint32_t colour, int percent) {
  CWinFormUnit* window = forms_.window(formId);
  if (window == nullptr || bytes == nullptr || size == 0) return false;
  return window->applyPictureShape({bytes, size}, colour, percent);
}

// The window is marked as closing first; the close itself (event 1, then the
// closing path) runs now or once the current event is done.
void WindowEngine::closeWindow(std::uint32_t formId, bool atOnce) {
  CWinFormUnit* window = forms_.window(formId);
  if (window == nullptr) return;
  window->markClosing();
  if (atOnce) {
    window->close();
    return;
  }
  QCoreApplication::postEvent(window, new PrivateMessageEvent(private_message::kCloseRequest));
}

void WindowEngine::destroyUnit(std::uint32_t formId, std::uint32_t unitId) {
  UnitTable* live = forms_.liveUnits(formId);
  if (live == nullptr) return;
  UnitTable& units = *live;
  auto found = ui::findUnit(units, unitId);
  if (!found || found->index == 0 || found->record->isMenuItem()) return;
  Unit& unit = *found->record;
  QWidget* w = LiveWidget(unit);
  bool hadChildWindows = w != nullptr && !w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
  loops_.removeIdleHook(w);
  delete w;
  unit.window = nullptr;
  DestroyCursor(unit);
  if (hadChildWindows) return;
  // A unit without child windows leaves the loaded form altogether.
  for (Unit& other : units) std::erase(other.children, unitId);
  units.erase(units.begin() + static_cast<std::ptrdiff_t>(found->index));
}

std::uint32_t WindowEngine::copyUnit(std::uint32_t formId, std::uint32_t sourceUnitId) {
  UnitTable* live = forms_.liveUnits(formId);
  if (live == nullptr) return 0;
  UnitTable& units = *live;
  auto found = ui::findUnit(units, sourceUnitId);
  if (!found || found->index == 0 || found->record->isMenuItem() || found->record->window == nullptr) return 0;
  // A fresh unit id: one past the highest of the form.
  std::uint32_t id = 0x16000000;
  for (const Unit& u : units)
    if ((u.id & 0xFF000000u) == 0x16000000u) id = std::max(id, u.id);
  if ((id & 0x00FFFFFFu) == 0x00FFFFFFu) return 0;
  ++id;
  Unit copy = units[found->index];
  copy.id = id;
  copy.window = nullptr;
  copy.cursor = nullptr;
  copy.children.clear();
  // The copy raises its events through the source's bindings.
  copy.eventSourceLink = sourceUnitId;
  QWidget* source = LiveWidget(units[found->index]);
  QWidget* parent = source->parentWidget();
  std::int32_t controlId = 100 + 10 * static_cast<std::int32_t>(units.size());
  QWidget* w = createUnit(formId, copy, parent, controlId);
  if (w == nullptr) return 0;
  if (w->parentWidget() != parent) w->setParent(parent);
  w->setGeometry(source->geometry());
  w->stackUnder(source);
  attachCursor(copy, w);
  w->setVisible(ShowsWhenLoaded(copy, w));
  copy.window = w;
  units.insert(units.begin() + static_cast<std::ptrdiff_t>(found->index) + 1, std::move(copy));
  return id;
}

}  // namespace horavia::ui
