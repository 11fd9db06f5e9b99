#include "ui/window/loops.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <algorithm>

#include "platform/ticks.h"
#include "ui/window/events.h"
#include "ui/window/form_unit.h"
#include "ui/window/live_forms.h"

namespace horavia::ui {

Loops::Loops(LiveForms& forms, EventDelivery& events) : forms_(forms), events_(events) {
  idleTimer_.setSingleShot(true);
  idleTimer_.setInterval(0);
  QObject::connect(&idleTimer_, &QTimer::timeout, this, [this] {
    runIdleHooks();
    idleWanted_ = idleStep(idleCount_++);
  });
}

// [loops] ----------------------------------------------------------------------

void Loops::runMessageLoop() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &Loops::scheduleIdle,
                     Qt::UniqueConnection);
  }
  QEventLoop loop;
  runLoop(loop);
}

void Loops::runLoop(QEventLoop& loop) {
  if (quitRequested_) return;
  loops_.push_back(&loop);
  loop.exec();
  loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
}

void Loops::runModal(std::uint32_t formId, QObject* window) {
  std::optional<std::uint32_t> outerModal = modalForm_;
  modalForm_ = formId;
  QEventLoop loop;
  modalLoops_[formId] = &loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  runLoop(loop);
  modalLoops_.erase(formId);
  modalForm_ = outerModal;
}

void Loops::formLeft(std::uint32_t formId) {
  if (modalForm_ == formId) modalForm_.reset();
  if (auto loop = modalLoops_.find(formId); loop != modalLoops_.end()) loop->second->quit();
}

void Loops::requestQuit() {
  quitRequested_ = true;
  for (QEventLoop* loop : loops_) loop->quit();
}

// [idle] -----------------------------------------------------------------------

void Loops::scheduleIdle() {
  if (idleWanted_ && !idleTimer_.isActive()) idleTimer_.start();
}

void Loops::inputArrived() {
  idleWanted_ = true;
  idleCount_ = 0;
}

void Loops::addIdleHook(QWidget* window, IdleFunction function, void* argument) {
  for (IdleHook& hook : idleHooks_) {
    if (hook.window == window) {
      hook.function = function;
      hook.argument = argument;
      return;
    }
  }
  idleHooks_.push_back({window, function, argument});
}

void Loops::removeIdleHook(QWidget* window) {
  std::erase_if(idleHooks_, [window](const IdleHook& hook) { return hook.window == window; });
}

void Loops::runIdleHooks() {
  std::erase_if(idleHooks_, [](const IdleHook& hook) { return !hook.window; });
  std::vector<IdleHook> hooks = idleHooks_;  // a hook may add or remove hooks
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    if (it->window && it->function != nullptr) it->function(it->argument);
  }
}

bool Loops::idleStep(int count) {
  if (count == 0) {
    idleStart_ = platform::TickCount();
    declinedIdle_.clear();
  }
  // Counts 0 and 1 are the toolkit's own idle work; windows hear from 2 on.
  bool more = count < 2;
  if (count < 2) return more;
  std::uint32_t elapsed = platform::TickCount() - idleStart_;
  for (CWinFormUnit* window : forms_.windows()) {
    std::uint32_t formId = window->formId();
    if (std::find(declinedIdle_.begin(), declinedIdle_.end(), formId) != declinedIdle_.end()) continue;
    const std::uint32_t args[] = {elapsed};
    EventOutcome outcome = events_.deliver(formId, window->unitId(), window_event::kIdle, args);
    if (outcome.handled && outcome.result.returned && outcome.result.low != 0) {
      more = true;
    } else {
      declinedIdle_.push_back(formId);
    }
  }
  return more;
}

}  // namespace horavia::ui
