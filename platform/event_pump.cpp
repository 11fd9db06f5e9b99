#include "platform/event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <thread>
#include <utility>

namespace horavia::platform {
namespace {

std::function<void(std::uint32_t)>& WaitHook() {
  static std::function<void(std::uint32_t)> hook;
  return hook;
}

// Events are only ours to process on the application's own thread.
bool OnApplicationThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && app->thread() == QThread::currentThread();
}

}  // namespace

void PumpPendingEvents() {
  if (!OnApplicationThread()) return;
  // processEvents dispatches what is queued and returns; a quit request met
  // on the way is recorded for the running main loop rather than dropped.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents(std::uint32_t maxMs) {
  if (auto& hook = WaitHook()) {
    hook(maxMs);
    return;
  }
  if (maxMs == 0) return;
  QAbstractEventDispatcher* dispatcher = OnApplicationThread() ? QAbstractEventDispatcher::instance() : nullptr;
  if (dispatcher == nullptr) {
    std::this_thread::sleep_for(std::chrono::milliseconds(maxMs));
    return;
  }
  // A timer bounds the wait: the dispatcher sleeps until it or any other
  // event wakes it.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(static_cast<int>(maxMs > 0x7FFFFFFF ? 0x7FFFFFFF : maxMs));
  dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
}

void SetEventWaitHook(std::function<void(std::uint32_t)> hook) { WaitHook() = std::move(hook); }

}  // namespace horavia::platform
