// The engine's core: construction and teardown, the hidden owner window, and
// the lookups every part uses (working copies, live windows, the unit under a
// widget, a unit's type).
//
// Index
//   [setup]      construction, teardown, the hidden owner window
//   [lookups]    working copies, live windows, the unit under a widget, types
#include "ui/window/engine.h"

#include <QApplication>
#include <algorithm>

#include "platform/qt_platform.h"
#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "ui/window/dialog_responder.h"
#include "ui/window/form_unit.h"
#include "ui/window/live_units.h"

namespace horavia::ui {
namespace {

const auto& M = runtime::messages::kConstants;

// The hidden runtime window: owner of windows without a taskbar button.
class HelperWindow : public QWidget {
 public:
  HelperWindow() : QWidget(nullptr, Qt::Tool) { setAttribute(Qt::WA_DontShowOnScreen); }
};

}  // namespace

// [setup] ----------------------------------------------------------------------

WindowEngine::WindowEngine(HandlerTable handlers) : handlers_(handlers) {
  InstallMessageBoxResponder();
  platform::InstallQtPlatform();
  if (qApp != nullptr) qApp->installEventFilter(this);
  idleTimer_.setSingleShot(true);
  idleTimer_.setInterval(0);
  QObject::connect(&idleTimer_, &QTimer::timeout, this, [this] {
    runIdleHooks();
    idleWanted_ = idleStep(idleCount_++);
  });
}

WindowEngine::~WindowEngine() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
  runtime::Runtime().blockEvents();
  destroyAllWindows();
  runtime::Runtime().unblockEvents();
  delete hiddenOwner_;
}

QWidget* WindowEngine::hiddenOwner() {
  if (hiddenOwner_ == nullptr) {
    hiddenOwner_ = new HelperWindow;
    hiddenOwner_->winId();  // a native window, so owned windows name it as their owner
  }
  return hiddenOwner_;
}

// [lookups] --------------------------------------------------------------------

UnitTable* WindowEngine::unitsOf(std::uint32_t formId) {
  auto it = live_.find(formId);
  if (it != live_.end()) return &it->second.units;
  Form* form = findForm(formId);
  return form != nullptr ? &form->units : nullptr;
}

CWinFormUnit* WindowEngine::liveWindow(std::uint32_t formId) const {
  auto it = live_.find(formId);
  return it != live_.end() ? it->second.window : nullptr;
}

CWinFormUnit* WindowEngine::requireLiveWindow(std::uint32_t formId) {
  CWinFormUnit* window = liveWindow(formId);
  if (window == nullptr) runtime::FatalError(M.UnitMissing);
  return window;
}

std::vector<CWinFormUnit*> WindowEngine::liveWindows() const {
  std::vector<CWinFormUnit*> windows;
  for (const auto& [formId, live] : live_)
    if (live.window != nullptr) windows.push_back(live.window);
  return windows;
}

const runtime::DataTypeInfo* WindowEngine::typeOf(const Unit& unit) const {
  return runtime::Runtime().typeRecord(unit.type);
}

std::uint32_t WindowEngine::typeFlags(const Unit& unit) const {
  const runtime::DataTypeInfo* type = typeOf(unit);
  return type != nullptr ? type->stateFlags : 0;
}

WindowEngine::UnitAt WindowEngine::unitUnder(QWidget* widget) {
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
  QWidget* w = widget;
  for (; w != nullptr; w = w->parentWidget()) {
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
    if (u != nullptr && (typeFlags(*u) & (type_flags::kContainer | type_flags::kContainerToo))) {
      at.unit = u;
      at.widget = up;
    }
  }
  return at;
}

bool WindowEngine::showsWhenLoaded(const Unit& unit, const QWidget* widget) const {
  return widget != nullptr && unit.visible() && (typeFlags(unit) & type_flags::kNotAWindow) == 0;
}

}  // namespace horavia::ui
