// Index
//   [setup]      construction, teardown, the hidden owner window
//   [host]       the runtime's requests
//   [loading]    buildWindowFromForm and its steps, showing, closing
//   [lookups]    working copies, live windows, the unit under a widget
//   [loop]       message loop, modal loops, quit, idle
//   [events]     delivery, menus, commands
//   [input]      keyboard and mouse pre-processing
#include "ui/window/engine.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <map>

#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/qt_platform.h"
#include "platform/files.h"
#include "platform/text_codec.h"
#include "platform/ticks.h"
#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "ui/menu/menu_builder.h"
#include "ui/menu/shortcuts.h"
#include "ui/units/cursors.h"
#include "ui/units/events.h"
#include "ui/units/properties.h"
#include "ui/window/dialog_responder.h"
#include "ui/window/form_unit.h"
#include "ui/window/keys.h"
#include "ui/window/private_message.h"

namespace horavia::ui {
namespace {

const auto& M = runtime::messages::kConstants;

bool IsPlaceholder(const QWidget* w) { return w != nullptr && w->property("horaviaPlaceholder").toBool(); }
QWidget* LiveWidget(const Unit& unit) { return static_cast<QWidget*>(unit.window); }

void DestroyCursor(Unit& unit) {
  delete static_cast<QCursor*>(unit.cursor);
  unit.cursor = nullptr;
}

// The event number of a mouse message, 0 for none.
std::int32_t MouseEventNumber(const QEvent* event) {
  if (event->type() == QEvent::Wheel) return -12;
  const auto* me = static_cast<const QMouseEvent*>(event);
  bool left = me->button() == Qt::LeftButton;
  bool right = me->button() == Qt::RightButton;
  switch (event->type()) {
    case QEvent::MouseButtonPress: return left ? -1 : right ? -4 : 0;
    case QEvent::MouseButtonRelease: return left ? -2 : right ? -5 : 0;
    case QEvent::MouseButtonDblClick: return left ? -3 : 0;
    case QEvent::MouseMove: return -6;
    default: return 0;
  }
}

// A typed character as the character event carries it: its code below 0x80,
// else its two code-page-936 bytes (lead byte high).
std::uint32_t CharacterCode(const QString& text) {
  if (text.isEmpty()) return 0;
  if (text[0].unicode() < 0x80) return text[0].unicode();
  std::string bytes = platform::Utf16ToCp936(text.left(1).toStdU16String());
  if (bytes.size() == 1) return static_cast<std::uint8_t>(bytes[0]);
  if (bytes.size() < 2) return 0;
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[0])) << 8 | static_cast<std::uint8_t>(bytes[1]);
}

QString CharacterText(std::uint32_t code) {
  if (code < 0x80) return QString(QChar(static_cast<char16_t>(code)));
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  return QString::fromStdU16String(platform::Cp936ToUtf16(bytes));
}

// The hidden runtime window: owner of windows without a taskbar button.
class HelperWindow : public QWidget {
 public:
  HelperWindow() : QWidget(nullptr, Qt::Tool) { setAttribute(Qt::WA_DontShowOnScreen); }
};

}  // namespace

// [setup] ----------------------------------------------------------------------

WindowEngine::WindowEngine(HandlerTable handlers) : handlers_(handlers) {
  InstallWindowType();
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

// [host] -----------------------------------------------------------------------

bool WindowEngine::loadForms(const std::uint8_t* block, std::uint32_t length, std::uintptr_t codeBase) {
  if (block == nullptr) return false;
  return forms_.loadFormBlock({block, length}, codeBase);
}

bool WindowEngine::loadStartWindow(std::uint32_t formId) { return buildWindowFromForm(formId, false, nullptr); }

bool WindowEngine::loadWindow(const runtime::LoadWindowRequest& request) {
  return buildWindowFromForm(request.formId, request.modal != 0, static_cast<QWidget*>(request.ownerWindow));
}

bool WindowEngine::anyWindowLive() const {
  return std::any_of(live_.begin(), live_.end(), [](const auto& f) { return f.second.window != nullptr; });
}

void* WindowEngine::findUnit(std::uint32_t formId, std::uint32_t unitId) {
  auto it = live_.find(formId);
  if (it == live_.end() || it->second.window == nullptr) return nullptr;
  if (unitId == 0) return it->second.window;
  auto found = ui::findUnit(it->second.units, unitId);
  return found ? found->record->window : nullptr;
}

void WindowEngine::unitDestroyed(std::uint32_t formId, std::uint32_t unitId) {
  auto it = live_.find(formId);
  if (it == live_.end()) return;
  UnitTable& units = it->second.units;
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

std::int32_t WindowEngine::raiseEvent(runtime::PlainEventRecord& record) { return RaisePlainEvent(*this, record); }
std::int32_t WindowEngine::raiseTypedEvent(runtime::TypedEventRecord& record) {
  return RaiseTypedEvent(*this, record);
}

// The quit request is a flag, so pumping can never consume it.
void WindowEngine::pumpPending() { platform::PumpPendingEvents(); }

// Icons are Qt objects here, not handles: both words stay 0 and windows
// without an icon of their own show the application's default.
void WindowEngine::defaultIcons(void* twoWords) {
  auto* words = static_cast<std::intptr_t*>(twoWords);
  if (words != nullptr) words[0] = words[1] = 0;
}

void* WindowEngine::pictureToBitmap(const void*, std::intptr_t) { return nullptr; }

void WindowEngine::destroyAllWindows() {
  tearingDown_ = true;
  for (auto& [formId, live] : live_) {
    for (Unit& unit : live.units) DestroyCursor(unit);
    delete live.window;
    live.window = nullptr;
  }
  live_.clear();
  modalForm_.reset();
  idleHooks_.clear();
  tearingDown_ = false;
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

void WindowEngine::popUpMenu(std::uint32_t formId, std::uint32_t itemId, const int* x, const int* y) {
  std::optional<int> atX, atY;
  if (x != nullptr) atX = *x;
  if (y != nullptr) atY = *y;
  ui::popUpMenu(*this, formId, itemId, atX, atY);
}

bool WindowEngine::shapeWindowFromPicture(std::uint32_t formId, const std::uint8_t* bytes, std::size_t size,
                                          std::uint32_t colour) {
  CWinFormUnit* window = liveWindow(formId);
  if (window == nullptr || bytes == nullptr || size == 0) return false;
  return window->applyPictureShape({bytes, size}, colour);
}

void WindowEngine::closeWindow(std::uint32_t formId, bool atOnce) {
  CWinFormUnit* window = liveWindow(formId);
  if (window == nullptr) return;
  if (atOnce) {
    window->close();
    return;
  }
  QCoreApplication::postEvent(window, new PrivateMessageEvent(private_message::kCloseRequest));
}

void WindowEngine::destroyUnit(std::uint32_t formId, std::uint32_t unitId) {
  auto it = live_.find(formId);
  if (it == live_.end() || it->second.window == nullptr) return;
  UnitTable& units = it->second.units;
  auto found = ui::findUnit(units, unitId);
  if (!found || found->index == 0 || found->record->isMenuItem()) return;
  Unit& unit = *found->record;
  QWidget* w = LiveWidget(unit);
  bool hadChildWindows = w != nullptr && !w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
  removeIdleHook(w);
  delete w;
  unit.window = nullptr;
  DestroyCursor(unit);
  if (hadChildWindows) return;
  // A unit without child windows leaves the loaded form altogether.
  for (Unit& other : units) std::erase(other.children, unitId);
  units.erase(units.begin() + static_cast<std::ptrdiff_t>(found->index));
}

std::uint32_t WindowEngine::copyUnit(std::uint32_t formId, std::uint32_t sourceUnitId) {
  auto it = live_.find(formId);
  if (it == live_.end() || it->second.window == nullptr) return 0;
  UnitTable& units = it->second.units;
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
  if (std::optional<QCursor> cursor = MakeUnitCursor(copy.mousePointer)) {
    copy.cursor = new QCursor(*cursor);
    w->setCursor(*cursor);
  }
  bool show = copy.visible() && !IsPlaceholder(w) && (typeFlags(copy) & type_flags::kNotAWindow) == 0;
  w->setVisible(show);
  copy.window = w;
  units.insert(units.begin() + static_cast<std::ptrdiff_t>(found->index) + 1, std::move(copy));
  return id;
}

// [loading] --------------------------------------------------------------------

bool WindowEngine::buildWindowFromForm(std::uint32_t formId, bool modal, QWidget* owner) {
  Form* form = findForm(formId);
  if (form == nullptr || form->units.empty()) return false;
  if (CWinFormUnit* existing = liveWindow(formId)) {
    if (!existing->closing()) {
      if (existing->isMinimized()) {
        existing->showNormal();
      } else {
        existing->activateWindow();
        existing->raise();
      }
      return true;
    }
    delete existing;  // finish the destruction that is under way
  }
  if (modal) owner = nullptr;
  if (owner != nullptr) {
    auto windows = liveWindows();
    if (std::find(windows.begin(), windows.end(), owner) == windows.end()) return false;
  }

  runtime::Runtime().blockEvents();
  bool created = createUnits(formId, modal, owner);
  if (!created) {
    live_.erase(formId);
    runtime::Runtime().unblockEvents();
    return false;
  }
  finishLoading(formId);
  runtime::Runtime().unblockEvents();

  QPointer<CWinFormUnit> window = liveWindow(formId);
  for (std::int32_t event : {0, 3, 4}) {
    if (!window || window->closing()) return true;
    deliver(formId, window->unitId(), event, {});
  }
  if (!window || window->closing()) return true;
  if (live_[formId].units[0].visible()) {
    showLoadedWindow(formId, modal);
  } else {
    for (std::size_t i = live_[formId].units.size(); i-- > 1;) {
      if (QWidget* w = LiveWidget(live_[formId].units[i])) {
        PrivateMessageEvent shown(private_message::kWindowShown);
        QCoreApplication::sendEvent(w, &shown);
      }
    }
    window->setCreatedNotShown(true);
  }
  return true;
}

bool WindowEngine::createUnits(std::uint32_t formId, bool modal, QWidget* owner) {
  LiveForm& live = live_[formId];
  live.units = findForm(formId)->workingCopy();
  UnitTable& units = live.units;
  MenuRun run = firstMenuRun(units);
  BuiltMenu menu = buildMenuBar(units, run);

  Unit& windowUnit = units[0];
  const runtime::DataTypeInfo* type = typeOf(windowUnit);
  auto create = type != nullptr && type->interface != nullptr
                    ? reinterpret_cast<CreateUnitFunction>(type->interface(kQueryCreate))
                    : nullptr;
  if (create == nullptr) return false;
  UnitCreateParams params;
  params.typeData = windowUnit.typeData;
  params.style = (windowUnit.flags & unit_flags::kDisabled) ? unit_style::kDisabled : 0;
  params.parent = owner;
  params.left = windowUnit.left;
  params.top = windowUnit.top;
  params.width = windowUnit.width;
  params.height = windowUnit.height;
  params.formId = formId;
  params.unitId = windowUnit.id;
  params.engine = this;
  params.modal = modal;
  auto* window = static_cast<CWinFormUnit*>(create(params));
  if (window == nullptr) return false;  // the menu built above goes with `menu`
  windowUnit.window = window;
  live.window = window;
  window->setMenu(std::move(menu));

  std::int32_t controlId = 100;
  for (std::size_t i = units.size(); i-- > 1;) {
    if (units[i].isMenuItem()) continue;
    units[i].window = createUnit(formId, units[i], window, controlId);
    controlId += 10;
  }
  return true;
}

QWidget* WindowEngine::createUnit(std::uint32_t formId, Unit& unit, QWidget* window, std::int32_t controlId) {
  std::uint32_t flags = typeFlags(unit);
  std::uint32_t style = 0;
  if ((flags & type_flags::kNotAWindow) == 0) {
    style = unit_style::kChild;
    if (unit.flags & unit_flags::kVisible) style |= unit_style::kVisible;
    if (unit.flags & unit_flags::kDisabled) style |= unit_style::kDisabled;
    if (unit.flags & unit_flags::kTabStop) style |= unit_style::kTabStop;
  }
  const runtime::DataTypeInfo* type = typeOf(unit);
  auto create = type != nullptr && type->interface != nullptr
                    ? reinterpret_cast<CreateUnitFunction>(type->interface(kQueryCreate))
                    : nullptr;
  QWidget* w = nullptr;
  if (create != nullptr) {
    UnitCreateParams params;
    params.typeData = unit.typeData;
    params.style = style;
    params.parent = window;
    params.controlId = controlId;
    params.left = unit.left;
    params.top = unit.top;
    params.width = unit.width;
    params.height = unit.height;
    params.formId = formId;
    params.unitId = unit.id;
    params.engine = this;
    w = create(params);
  }
  if (w == nullptr) {
    // Types whose interface function is not built yet (the animation box and
    // its objects, the simple units) get an empty, hidden placeholder child,
    // so the window still loads; each type replaces it once it is installed.
    w = new QWidget(window);
    w->setProperty("horaviaPlaceholder", true);
    w->setGeometry(unit.left, unit.top, std::max(0, unit.width), std::max(0, unit.height));
    w->hide();
  }
  w->setProperty("horaviaControlId", controlId);
  if ((flags & type_flags::kNotAWindow) == 0 && (unit.flags & unit_flags::kDisabled)) w->setEnabled(false);
  return w;
}

void WindowEngine::finishLoading(std::uint32_t formId) {
  LiveForm& live = live_[formId];
  UnitTable& units = live.units;
  CWinFormUnit* window = live.window;

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
    if (w == nullptr || unit.isMenuItem()) continue;
    if (std::optional<QCursor> cursor = MakeUnitCursor(unit.mousePointer)) {
      unit.cursor = new QCursor(*cursor);
      w->setCursor(*cursor);
    }
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
    QWidget* w = LiveWidget(units[i]);
    if (w == nullptr) continue;
    bool show = units[i].visible() && !IsPlaceholder(w) && (typeFlags(units[i]) & type_flags::kNotAWindow) == 0;
    w->setVisible(show);
  }
}

void WindowEngine::showLoadedWindow(std::uint32_t formId, bool modal) {
  QPointer<CWinFormUnit> window = liveWindow(formId);
  if (!window) return;
  QWidget* focusBefore = QApplication::focusWidget();
  window->show();
  window->setCreatedNotShown(false);
  if (modal) {
    for (CWinFormUnit* other : liveWindows()) {
      if (other == window) continue;
      window->rememberDisabled(other, other->isEnabled());
      other->setEnabled(false);
    }
  }
  UnitTable& units = live_[formId].units;
  for (std::size_t i = units.size(); i-- > 1;) {
    if (QWidget* w = LiveWidget(units[i])) {
      PrivateMessageEvent shown(private_message::kWindowShown);
      QCoreApplication::sendEvent(w, &shown);
    }
  }
  if (focusBefore != nullptr && QApplication::focusWidget() != focusBefore && focusBefore->window() == window) {
    focusBefore->setFocus();
  }
  if (!modal || !window) return;

  std::optional<std::uint32_t> outerModal = modalForm_;
  modalForm_ = formId;
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  runLoop(loop);
  modalForm_ = outerModal;
}

void WindowEngine::windowClosing(CWinFormUnit& window) {
  window.setClosing();
  window.reenableDisabled();
  deliver(window.formId(), window.unitId(), 2, {});
  window.setMenu({});
  window.hide();
  window.deleteLater();
}

void WindowEngine::windowDestroyed(std::uint32_t formId) {
  if (tearingDown_) return;
  auto it = live_.find(formId);
  if (it == live_.end()) return;
  if (CWinFormUnit* window = it->second.window) window->reenableDisabled();
  it->second.window = nullptr;
  for (Unit& unit : it->second.units) DestroyCursor(unit);
  runtime::RuntimeApp::Service(runtime::kServiceUnitDestroyed, static_cast<std::intptr_t>(formId), 0);
  live_.erase(formId);  // in case no runtime routed the request here
  if (modalForm_ == formId) modalForm_.reset();
  if (!anyWindowLive() && runtime::Runtime().messageLoopRunning()) requestQuit();
}

void WindowEngine::dropWorkingCopy(std::uint32_t formId) {
  auto it = live_.find(formId);
  if (it == live_.end()) return;
  for (Unit& unit : it->second.units) DestroyCursor(unit);
  live_.erase(it);
  if (modalForm_ == formId) modalForm_.reset();
}

void WindowEngine::recreateUnit(std::uint32_t formId, std::size_t index) {
  UnitTable* units = unitsOf(formId);
  if (units == nullptr || index >= units->size() || liveWindow(formId) == nullptr) return;
  Unit& unit = (*units)[index];
  QWidget* old = LiveWidget(unit);
  const runtime::DataTypeInfo* type = typeOf(unit);
  if (old == nullptr || type == nullptr || type->interface == nullptr) return;
  auto writeBack = reinterpret_cast<WriteBackFunction>(type->interface(kQueryWriteBack));
  auto create = reinterpret_cast<CreateUnitFunction>(type->interface(kQueryCreate));
  if (create == nullptr) return;

  runtime::Runtime().blockEvents();
  if (writeBack != nullptr) unit.typeData = writeBack(old);
  UnitCreateParams params;
  params.typeData = unit.typeData;
  params.style = unit_style::kChild | (old->isVisible() ? unit_style::kVisible : 0) |
                 (old->isEnabled() ? 0 : unit_style::kDisabled) |
                 ((unit.flags & unit_flags::kTabStop) ? unit_style::kTabStop : 0);
  params.parent = old->parentWidget();
  params.controlId = old->property("horaviaControlId").toInt();
  params.left = old->x();
  params.top = old->y();
  params.width = old->width();
  params.height = old->height();
  params.formId = formId;
  params.unitId = unit.id;
  params.engine = this;
  QWidget* fresh = create(params);
  if (fresh != nullptr) {
    if (typeFlags(unit) & type_flags::kMovesChildren) {
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

void WindowEngine::rebuildMenuBar(std::uint32_t formId) {
  CWinFormUnit* window = liveWindow(formId);
  UnitTable* units = unitsOf(formId);
  if (window == nullptr || units == nullptr) return;
  window->setMenu(buildMenuBar(*units, firstMenuRun(*units)));
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

// [loop] -----------------------------------------------------------------------

void WindowEngine::runMessageLoop() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &WindowEngine::scheduleIdle,
                     Qt::UniqueConnection);
  }
  QEventLoop loop;
  runLoop(loop);
}

void WindowEngine::runLoop(QEventLoop& loop) {
  if (quitRequested_) return;
  loops_.push_back(&loop);
  loop.exec();
  loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
}

// The quit request ends every running loop: a modal loop leaves it for the
// outer loop, which ends on it as well.
void WindowEngine::requestQuit() {
  quitRequested_ = true;
  for (QEventLoop* loop : loops_) loop->quit();
}

void WindowEngine::scheduleIdle() {
  if (idleWanted_ && !idleTimer_.isActive()) idleTimer_.start();
}

void WindowEngine::addIdleHook(QWidget* window, IdleFunction function, void* argument) {
  for (IdleHook& hook : idleHooks_) {
    if (hook.window == window) {
      hook.function = function;
      hook.argument = argument;
      return;
    }
  }
  idleHooks_.push_back({window, function, argument});
}

void WindowEngine::removeIdleHook(QWidget* window) {
  std::erase_if(idleHooks_, [window](const IdleHook& hook) { return hook.window == window; });
}

void WindowEngine::runIdleHooks() {
  std::erase_if(idleHooks_, [](const IdleHook& hook) { return !hook.window; });
  std::vector<IdleHook> hooks = idleHooks_;  // a hook may add or remove hooks
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    if (it->window && it->function != nullptr) it->function(it->argument);
  }
}

bool WindowEngine::idleStep(int count) {
  if (count == 0) {
    idleStart_ = platform::TickCount();
    declinedIdle_.clear();
  }
  // Counts 0 and 1 are the toolkit's own idle work; windows hear from 2 on.
  bool more = count < 2;
  if (count < 2) return more;
  std::uint32_t elapsed = platform::TickCount() - idleStart_;
  for (CWinFormUnit* window : liveWindows()) {
    std::uint32_t formId = window->formId();
    if (std::find(declinedIdle_.begin(), declinedIdle_.end(), formId) != declinedIdle_.end()) continue;
    const std::uint32_t args[] = {elapsed};
    EventOutcome outcome = deliver(formId, window->unitId(), 7, args);
    if (outcome.handled && outcome.result.returned && outcome.result.low != 0) {
      more = true;
    } else {
      declinedIdle_.push_back(formId);
    }
  }
  return more;
}

// [events] ---------------------------------------------------------------------

EventOutcome WindowEngine::deliver(std::uint32_t formId, std::uint32_t unitId, std::int32_t event,
                                   std::span<const std::uint32_t> arguments) {
  return DeliverEvent(*this, formId, unitId, event, arguments);
}

QAction* WindowEngine::presentMenu(QMenu& menu, QPoint at) {
  if (presenter_) return presenter_(menu, at);
  return menu.exec(at);
}

void WindowEngine::postCommand(CWinFormUnit* window, std::int32_t commandId) {
  if (window == nullptr) return;
  QCoreApplication::postEvent(window, new PrivateMessageEvent(private_message::kCommand, commandId));
}

// [input] ----------------------------------------------------------------------

bool WindowEngine::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == PrivateMessageEvent::Type() && watched == this) {
    auto* message = static_cast<PrivateMessageEvent*>(event);
    if (message->number() == private_message::kForwardedExit) {
      runtime::Runtime().exitProgram(static_cast<int>(message->param()));
    }
    return true;
  }
  if (!watched->isWidgetType()) return false;
  auto* receiver = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
    case QEvent::FocusOut: break;
    default: return false;
  }
  auto* window = dynamic_cast<CWinFormUnit*>(receiver->window());
  if (window == nullptr || window->closing() || tearingDown_) return false;
  // Input ends the idle period: the next idle step starts counting again.
  idleWanted_ = true;
  idleCount_ = 0;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return preprocessKey(*window, receiver, event);
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
      UnitAt at = unitUnder(receiver);
      if (at.unit != nullptr && at.widget == receiver) {
        deliver(at.formId, at.unit->id, event->type() == QEvent::FocusIn ? -7 : -8, {});
      }
      return false;
    }
    default: return preprocessMouse(*window, receiver, event);
  }
}

// The move starts with the first movement, not the press, so that a click or
// a double click without movement still reaches the window as usual.
bool WindowEngine::startDrag(QWidget* window, QPoint global) {
  drag_ = WindowDrag{window, global, window->pos()};
  return true;
}

bool WindowEngine::preprocessMouse(CWinFormUnit& window, QWidget* receiver, QEvent* event) {
  bool wheel = event->type() == QEvent::Wheel;
  QPoint global = wheel ? static_cast<QWheelEvent*>(event)->globalPosition().toPoint()
                        : static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
  QPointF local = wheel ? static_cast<QWheelEvent*>(event)->position() : static_cast<QMouseEvent*>(event)->position();
  Qt::KeyboardModifiers modifiers = static_cast<QInputEvent*>(event)->modifiers();

  if (drag_ && !wheel) {
    auto* me = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseMove && (me->buttons() & Qt::LeftButton) && drag_->window) {
      if (!drag_->followingMouse) {
        QWindow* handle = drag_->window->windowHandle();
        if (handle != nullptr && handle->startSystemMove()) {
          drag_.reset();
          return true;
        }
        // Without a window manager that moves windows, follow the mouse
        // until the button is released.
        drag_->followingMouse = true;
      }
      drag_->window->move(drag_->windowStart + (global - drag_->pressGlobal));
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton) drag_.reset();
  }

  // Only the first delivery counts: Qt hands an unaccepted mouse event on to
  // the parents, which must not raise a second event.
  QWidget* deepest = window.childAt(window.mapFromGlobal(global));
  if (deepest == nullptr) deepest = &window;
  bool pressedElsewhere = !wheel && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton &&
                          event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick;
  if (receiver != deepest && !pressedElsewhere) return false;

  UnitAt at = unitUnder(receiver);
  if (at.unit == nullptr) return false;
  bool leftPress = event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (leftPress && window.data().dragAnywhere == 1) {
    if (at.unit->type == unit_type::kWindow) {
      startDrag(&window, global);
    } else if (typeFlags(*at.unit) & type_flags::kDragsWindow) {
      startDrag(&window, global);
      return true;
    }
  }
  std::int32_t number = MouseEventNumber(event);
  if (number == 0) return false;
  std::uint32_t mods = ModifierBits(modifiers);
  if (wheel) {
    int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
    const std::uint32_t args[] = {static_cast<std::uint32_t>(notches), mods};
    return deliver(at.formId, at.unit->id, number, args).swallows();
  }
  QPoint p = receiver->mapTo(at.widget->window(), local.toPoint());
  p = at.widget->mapFrom(at.widget->window(), p);
  const std::uint32_t args[] = {static_cast<std::uint32_t>(p.x()) & 0xFFFFu,
                                static_cast<std::uint32_t>(p.y()) & 0xFFFFu, mods};
  return deliver(at.formId, at.unit->id, number, args).swallows();
}

bool WindowEngine::preprocessKey(CWinFormUnit& window, QWidget* receiver, QEvent* event) {
  if (synthesizing_) return false;
  // Keys go to the focus widget first and then up to its parents; only the
  // first delivery counts.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && focus->window() != &window) focus = nullptr;
  if (receiver != (focus != nullptr ? focus : &window)) return false;
  if (!window.isEnabled()) return false;

  auto* key = static_cast<QKeyEvent*>(event);
  std::uint32_t vk = VirtualKey(key->key());
  std::uint32_t mods = ModifierBits(key->modifiers());
  bool press = event->type() == QEvent::KeyPress;
  if (press && vk != 0) {
    for (const Accelerator& a : window.accelerators()) {
      Shortcut s = ShortcutAt(a.shortcut);
      if (s.key == vk && s.modifiers == mods) {
        window.command(a.commandId);
        return true;
      }
    }
    QPointer<CWinFormUnit> guard(&window);
    if (handleDialogKeys(window, focus, static_cast<int>(vk), mods)) return true;
    if (!guard || window.closing()) return true;
  }

  UnitAt at = unitUnder(receiver);
  if (at.unit == nullptr) return false;
  const std::uint32_t args[] = {vk, mods};
  if (deliver(at.formId, at.unit->id, press ? -9 : -10, args).swallows()) return true;
  if (!press || key->text().isEmpty()) return false;

  std::uint32_t code = CharacterCode(key->text());
  const std::uint32_t charArgs[] = {code};
  EventOutcome outcome = deliver(at.formId, at.unit->id, -11, charArgs);
  if (!outcome.handled || !outcome.result.returned) return false;
  if (outcome.result.low == 0) return true;
  if (outcome.result.low == code) return false;
  // The handler replaced the character: deliver the new one instead.
  QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), CharacterText(outcome.result.low));
  synthesizing_ = true;
  QCoreApplication::sendEvent(receiver, &replaced);
  synthesizing_ = false;
  return true;
}

bool WindowEngine::handleDialogKeys(CWinFormUnit& window, QWidget* focus, int vk, std::uint32_t mods) {
  UnitAt focused = unitUnder(focus);
  if (focused.unit != nullptr) {
    const runtime::DataTypeInfo* type = typeOf(*focused.unit);
    auto wants = type != nullptr && type->interface != nullptr
                     ? reinterpret_cast<WantsKeyFunction>(type->interface(kQueryWantsKey))
                     : nullptr;
    if (wants != nullptr && wants(focused.widget, vk | static_cast<std::int32_t>(mods << 16))) return false;
  }
  const WindowData& data = window.data();
  switch (vk) {
    case 0x09:
      if (mods & (key_modifier::kCtrl | key_modifier::kAlt)) return false;
      return moveFocus(window, focus, (mods & key_modifier::kShift) == 0);
    case 0x0D:
      if (mods != 0) return false;
      if (data.enterMovesFocus) return offerDefaultButton(window, focus) || moveFocus(window, focus, true);
      return offerDefaultButton(window, focus) || offerDefaultButton(window, nullptr);
    case 0x1B:
      if (mods != 0 || !data.escCloses) return false;
      window.close();
      return true;
    case 0x25:  // left
    case 0x26:  // up
    case 0x27:  // right
    case 0x28:  // down
      // The window's units form one group: on a button-like unit the arrows
      // step through it as Tab does. Lists, combo boxes and sliders keep
      // their arrows for themselves.
      if (mods != 0 || qobject_cast<QAbstractButton*>(focus) == nullptr) return false;
      return moveFocus(window, focus, vk == 0x27 || vk == 0x28);
    case 0x70: {
      if (mods != 0 || !data.f1OpensHelp) return false;
      std::string help = data.helpFile;
      if (help.empty()) {
        const std::string& name = runtime::Runtime().programFileName();
        help = name.substr(0, name.rfind('.')) + ".hlp";
      }
      std::string path = platform::HostPath(help);
      if (platform::PathExists(path)) platform::ShellOpen({"open", path, {}, {}, 2});
      return true;
    }
    default: break;
  }
  bool letterOrDigit = (vk >= 0x41 && vk <= 0x5A) || (vk >= 0x30 && vk <= 0x39);
  if (mods == key_modifier::kAlt && letterOrDigit) return handleMnemonic(window, QChar(vk));
  return false;
}

bool WindowEngine::moveFocus(CWinFormUnit& window, QWidget* focus, bool forward) {
  UnitTable* units = unitsOf(window.formId());
  if (units == nullptr) return false;
  struct Stop {
    std::int32_t order;
    std::size_t index;
    QWidget* widget;
  };
  std::vector<Stop> stops;
  for (std::size_t i = 1; i < units->size(); ++i) {
    const Unit& u = (*units)[i];
    QWidget* w = LiveWidget(u);
    if (u.isMenuItem() || (u.flags & unit_flags::kTabStop) == 0 || w == nullptr || IsPlaceholder(w)) continue;
    if (!w->isVisible() || !w->isEnabled()) continue;
    stops.push_back({u.tabOrder, i, w});
  }
  if (stops.empty()) return false;
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.order < b.order; });
  UnitAt at = unitUnder(focus);
  auto current = std::find_if(stops.begin(), stops.end(), [&](const Stop& s) { return s.widget == at.widget; });
  QWidget* next = nullptr;
  if (current == stops.end()) {
    next = forward ? stops.front().widget : stops.back().widget;
  } else if (forward) {
    next = (current + 1 != stops.end() ? current + 1 : stops.begin())->widget;
  } else {
    next = (current != stops.begin() ? current - 1 : stops.end() - 1)->widget;
  }
  next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

// With `focus`, offers the focused unit alone; without, every unit in table
// order. A visible, enabled default button raises its event 0.
bool WindowEngine::offerDefaultButton(CWinFormUnit& window, QWidget* focus) {
  UnitTable* units = unitsOf(window.formId());
  if (units == nullptr) return false;
  UnitAt focused = unitUnder(focus);
  if (focus != nullptr && focused.unit == nullptr) return false;
  for (Unit& u : *units) {
    if (focus != nullptr && &u != focused.unit) continue;
    QWidget* w = LiveWidget(u);
    if (u.isMenuItem() || w == nullptr || (typeFlags(u) & type_flags::kDefaultButton) == 0) continue;
    if (!w->isVisible() || !w->isEnabled()) continue;
    const runtime::DataTypeInfo* type = typeOf(u);
    auto isDefault = type != nullptr && type->interface != nullptr
                         ? reinterpret_cast<IsDefaultButtonFunction>(type->interface(kQueryIsDefaultButton))
                         : nullptr;
    if (isDefault == nullptr || !isDefault(w)) continue;
    deliver(window.formId(), u.id, 0, {});
    return true;
  }
  return false;
}

bool WindowEngine::handleMnemonic(CWinFormUnit& window, QChar letter) {
  UnitTable* units = unitsOf(window.formId());
  if (units == nullptr) return false;
  for (std::size_t i = 1; i < units->size(); ++i) {
    Unit& u = (*units)[i];
    QWidget* w = LiveWidget(u);
    std::uint32_t flags = typeFlags(u);
    if (u.isMenuItem() || w == nullptr || (flags & type_flags::kHasCaption) == 0) continue;
    if (!w->isVisible() || !w->isEnabled()) continue;
    QString caption = w->property("text").toString();
    qsizetype amp = caption.indexOf(QLatin1Char('&'));
    while (amp >= 0 && amp + 1 < caption.size() && caption[amp + 1] == QLatin1Char('&')) {
      amp = caption.indexOf(QLatin1Char('&'), amp + 2);
    }
    if (amp < 0 || amp + 1 >= caption.size() || caption[amp + 1].toUpper() != letter.toUpper()) continue;
    if (flags & type_flags::kCheckBox) {
      w->setProperty("checked", !w->property("checked").toBool());
      deliver(window.formId(), u.id, 0, {});
    } else if (flags & type_flags::kDefaultButton) {
      deliver(window.formId(), u.id, 0, {});
    } else if (flags & type_flags::kLabelLike) {
      moveFocus(window, w, true);
    } else {
      w->setFocus(Qt::ShortcutFocusReason);
    }
    return true;
  }
  return false;
}

}  // namespace horavia::ui
