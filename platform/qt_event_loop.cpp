#include "platform/qt_platform.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/event_loop.h"
#include "platform/ticks.h"
#include "platform/timers.h"

namespace horavia::platform {
namespace {

// Events are only ours to process on the application's own thread.
bool OnApplicationThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && app->thread() == QThread::currentThread();
}

void PumpPending() {
  if (!OnApplicationThread()) return;
  // processEvents dispatches what is queued and returns; a quit request met
  // on the way is recorded for the running main loop rather than dropped.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForMoreEvents(std::uint32_t maxMs) {
  QAbstractEventDispatcher* dispatcher = OnApplicationThread() ? QAbstractEventDispatcher::instance() : nullptr;
  if (dispatcher == nullptr) {
    std::this_thread::sleep_for(std::chrono::milliseconds(maxMs));
    return;
  }
  // A timer bounds the wait: the dispatcher sleeps until it or any other
  // event (the schedule's wake-up among them) wakes it.
  QTimer bound;
  bound.setSingleShot(true);
  bound.setTimerType(Qt::PreciseTimer);
  bound.start(static_cast<int>(std::min<std::uint32_t>(maxMs, 0x7FFFFFFF)));
  dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
}

const EventLoopBackend kQtBackend = {&PumpPending, &WaitForMoreEvents};

// The one toolkit timer behind the schedule, owned by the application
// object so it goes with it.
QPointer<QTimer>& WakeTimer() {
  static QPointer<QTimer> timer;
  return timer;
}

void Wake(std::optional<std::uint32_t> earliest) {
  QTimer* timer = WakeTimer();
  if (timer == nullptr) return;
  if (!earliest) {
    timer->stop();
    return;
  }
  std::uint32_t wait = TicksUntil(TickCount(), *earliest);
  timer->start(static_cast<int>(std::min<std::uint32_t>(wait, 0x7FFFFFFF)));
}

}  // namespace

void InstallQtEventLoop() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  SetEventLoopBackend(&kQtBackend);
  if (WakeTimer() == nullptr) {
    auto* timer = new QTimer(app);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [] { FireDueTimers(); });
    WakeTimer() = timer;
  }
  SetTimerWake(&Wake);
}

}  // namespace horavia::platform
