// The engine's core: construction and teardown with its parts, the hidden
// owner window, and the services a live window asks for.
//
// Index
//   [setup]      construction, teardown, the hidden owner window
//   [windows]    what a live window asks of the engine
#include "ui/window/engine.h"

#include <QApplication>

#include "platform/qt_platform.h"
#include "ui/units/private_message.h"
#include "ui/window/dialog_responder.h"
#include "ui/window/form_unit.h"

namespace horavia::ui {
namespace {

// The hidden runtime window: owner of windows without a taskbar button.
class HelperWindow : public QWidget {
 public:
  HelperWindow() : QWidget(nullptr, Qt::Tool) { setAttribute(Qt::WA_DontShowOnScreen); }
};

}  // namespace

// [setup] ----------------------------------------------------------------------

WindowEngine::WindowEngine(HandlerTable handlers)
    : events_(handlers, forms_), loops_(forms_, events_), menus_(forms_, events_),
      input_(forms_, events_, loops_, menus_) {
  InstallMessageBoxResponder();
  platform::InstallQtPlatform();
  if (qApp != nullptr) qApp->installEventFilter(&input_);
}

WindowEngine::~WindowEngine() {
  if (qApp != nullptr) qApp->removeEventFilter(&input_);
  runtime::Runtime().blockEvents();
  destroyAllWindows();
  runtime::Runtime().unblockEvents();
  delete hiddenOwner_;
}

bool WindowEngine::event(QEvent* event) {
  if (event->type() != PrivateMessageEvent::Type()) return QObject::event(event);
  auto* message = static_cast<PrivateMessageEvent*>(event);
  if (message->number() == private_message::kForwardedExit) {
    runtime::Runtime().exitProgram(static_cast<int>(message->param()));
  }
  return true;
}

QWidget* WindowEngine::hiddenOwner() {
  if (hiddenOwner_ == nullptr) {
    hiddenOwner_ = new HelperWindow;
    hiddenOwner_->winId();  // a native window, so owned windows name it as their owner
  }
  return hiddenOwner_;
}

// [windows] --------------------------------------------------------------------

EventOutcome WindowEngine::raiseWindowEvent(const CWinFormUnit& window, std::int32_t event) {
  return events_.deliver(window.formId(), window.unitId(), event, {});
}

CWinFormUnit* WindowEngine::modalWindow() {
  std::optional<std::uint32_t> modal = loops_.modalForm();
  return modal ? forms_.window(*modal) : nullptr;
}

}  // namespace horavia::ui
