// Keyboard and mouse pre-processing: window drags, accelerators and dialog
// keys (dialog_keys.cpp), then the common input events of the unit under
// the message (a false result swallows it).
#include "ui/window/input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>

#include "ui/menu/shortcuts.h"
#include "ui/units/qt_text.h"
#include "ui/window/events.h"
#include "ui/window/form_unit.h"
#include "ui/window/keys.h"
#include "ui/window/live_forms.h"
#include "ui/window/live_units.h"
#include "ui/window/loops.h"
#include "ui/window/menus.h"

namespace horavia::ui {
namespace {

// The event number of a mouse message, 0 for none.
std::int32_t MouseEventNumber(const QEvent* event) {
  using namespace common_event;
  if (event->type() == QEvent::Wheel) return kMouseWheel;
  const auto* me = static_cast<const QMouseEvent*>(event);
  bool left = me->button() == Qt::LeftButton;
  bool right = me->button() == Qt::RightButton;
  switch (event->type()) {
    case QEvent::MouseButtonPress: return left ? kLeftDown : right ? kRightDown : 0;
    case QEvent::MouseButtonRelease: return left ? kLeftUp : right ? kRightUp : 0;
    case QEvent::MouseButtonDblClick: return left ? kDoubleClick : 0;
    case QEvent::MouseMove: return kMouseMove;
    default: return 0;
  }
}

// A typed character as the character event carries it: its code below 0x80,
// else its two code-page-936 bytes (lead byte high).
std::uint32_t CharacterCode(const QString& text) {
  if (text.isEmpty()) return 0;
  if (text[0].unicode() < 0x80) return text[0].unicode();
  std::string bytes = ToCp936(text.left(1));
  if (bytes.size() == 1) return static_cast<std::uint8_t>(bytes[0]);
  if (bytes.size() < 2) return 0;
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[0])) << 8 | static_cast<std::uint8_t>(bytes[1]);
}

QString CharacterText(std::uint32_t code) {
  if (code < 0x80) return QString(QChar(static_cast<char16_t>(code)));
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  return FromCp936(bytes);
}

}  // namespace

InputFilter::InputFilter(LiveForms& forms, EventDelivery& events, Loops& loops, Menus& menus)
    : forms_(forms), events_(events), loops_(loops), menus_(menus) {}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
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
  if (window == nullptr || window->closing() || forms_.tearingDown()) return false;
  loops_.inputArrived();
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return preprocessKey(*window, receiver, event);
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
      LiveForms::UnitAt at = forms_.unitUnder(receiver);
      if (at.unit != nullptr && at.widget == receiver) {
        const bool in = event->type() == QEvent::FocusIn;
        events_.deliver(at.formId, at.unit->id, in ? common_event::kFocusIn : common_event::kFocusOut, {});
      }
      return false;
    }
    default: return preprocessMouse(*window, receiver, event);
  }
}

// A drag under way: the first movement with the left button down moves the
// window (the move starts there, not at the press, so that a click or a
// double click without movement still reaches the window as usual).
bool InputFilter::followDrag(QEvent* event, QPoint global) {
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
  return false;
}

bool InputFilter::preprocessMouse(CWinFormUnit& window, QWidget* receiver, QEvent* event) {
  bool wheel = event->type() == QEvent::Wheel;
  QPoint global = wheel ? static_cast<QWheelEvent*>(event)->globalPosition().toPoint()
                        : static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
  QPointF local = wheel ? static_cast<QWheelEvent*>(event)->position() : static_cast<QMouseEvent*>(event)->position();
  Qt::KeyboardModifiers modifiers = static_cast<QInputEvent*>(event)->modifiers();
  if (drag_ && !wheel && followDrag(event, global)) return true;

  // Only the first delivery counts: Qt hands an unaccepted mouse event on to
  // the parents, which must not raise a second event.
  QWidget* deepest = window.childAt(window.mapFromGlobal(global));
  if (deepest == nullptr) deepest = &window;
  bool pressedElsewhere = !wheel && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton &&
                          event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick;
  if (receiver != deepest && !pressedElsewhere) return false;

  LiveForms::UnitAt at = forms_.unitUnder(receiver);
  if (at.unit == nullptr) return false;
  bool leftPress = event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (leftPress && window.data().dragAnywhere == 1) {
    if (at.unit->type == unit_type::kWindow) {
      drag_ = WindowDrag{&window, global, window.pos()};
    } else if (TypeFlags(*at.unit) & type_flags::kDragsWindow) {
      drag_ = WindowDrag{&window, global, window.pos()};
      return true;
    }
  }
  std::int32_t number = MouseEventNumber(event);
  if (number == 0) return false;
  std::uint32_t mods = ModifierBits(modifiers);
  if (wheel) {
    int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
    const std::uint32_t args[] = {static_cast<std::uint32_t>(notches), mods};
    return events_.deliver(at.formId, at.unit->id, number, args).swallows();
  }
  QPoint p = receiver->mapTo(at.widget->window(), local.toPoint());
  p = at.widget->mapFrom(at.widget->window(), p);
  const std::uint32_t args[] = {static_cast<std::uint32_t>(p.x()) & 0xFFFFu,
                                static_cast<std::uint32_t>(p.y()) & 0xFFFFu, mods};
  return events_.deliver(at.formId, at.unit->id, number, args).swallows();
}

bool InputFilter::preprocessKey(CWinFormUnit& window, QWidget* receiver, QEvent* event) {
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
        menus_.command(window, a.commandId);
        return true;
      }
    }
    QPointer<CWinFormUnit> guard(&window);
    if (handleDialogKeys(window, focus, static_cast<int>(vk), mods)) return true;
    if (!guard || window.closing()) return true;
  }

  LiveForms::UnitAt at = forms_.unitUnder(receiver);
  if (at.unit == nullptr) return false;
  const std::uint32_t args[] = {vk, mods};
  const std::int32_t keyEvent = press ? common_event::kKeyDown : common_event::kKeyUp;
  if (events_.deliver(at.formId, at.unit->id, keyEvent, args).swallows()) return true;
  if (!press || key->text().isEmpty()) return false;

  std::uint32_t code = CharacterCode(key->text());
  const std::uint32_t charArgs[] = {code};
  EventOutcome outcome = events_.deliver(at.formId, at.unit->id, common_event::kCharacter, charArgs);
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

}  // namespace horavia::ui
