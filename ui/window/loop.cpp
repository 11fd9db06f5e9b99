// The message loop and the modal loops, the quit request that ends them, and
// idle processing: hooks, then event 7 for the windows that still want it.
#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <algorithm>

#include "platform/ticks.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"

namespace horavia::ui {

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
    EventOutcome outcome = deliver(formId, window->unitId(), window_event::kIdle, args);
    if (outcome.handled && outcome.result.returned && outcome.result.low != 0) {
      more = true;
    } else {
      declinedIdle_.push_back(formId);
    }
  }
  return more;
}

}  // namespace horavia::ui
