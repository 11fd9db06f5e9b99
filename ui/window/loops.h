// The program's message loop and the modal loops inside it, the quit
// request that ends them, and idle processing: the idle hooks units
// register, then event 7 for the windows that still want idle time.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class QEventLoop;
class QWidget;

namespace horavia::ui {

class EventDelivery;
class LiveForms;

using IdleFunction = void (*)(void* argument);

class Loops : public QObject {
 public:
  Loops(LiveForms& forms, EventDelivery& events);

  // [loops] -----------------------------------------------------------------------
  // Runs the program's loop until the quit request; idle processing runs
  // whenever the loop is about to wait.
  void runMessageLoop();
  // Runs the modal loop of the form's window until the window leaves the
  // loaded forms (or goes) or the program quits.
  void runModal(std::uint32_t formId, QObject* window);
  // The form left the loaded forms: its modal loop ends.
  void formLeft(std::uint32_t formId);
  std::optional<std::uint32_t> modalForm() const { return modalForm_; }
  // Every window has gone at once (the program ends).
  void clearModalForm() { modalForm_.reset(); }
  // Ends every running loop: a modal loop leaves it for the outer loop,
  // which ends on it as well.
  void requestQuit();
  bool quitRequested() const { return quitRequested_; }

  // [idle] ------------------------------------------------------------------------
  // One hook per window; a hook whose window has gone is dropped.
  void addIdleHook(QWidget* window, IdleFunction function, void* argument);
  void removeIdleHook(QWidget* window);
  void clearIdleHooks() { idleHooks_.clear(); }
  // Calls every idle hook (newest first), dropping those whose window is gone.
  void runIdleHooks();
  // One idle step; answers whether more idle time is wanted.
  bool idleStep(int count);
  // Input ends the idle period: the next idle step starts counting again.
  void inputArrived();

 private:
  struct IdleHook {
    QPointer<QWidget> window;
    IdleFunction function = nullptr;
    void* argument = nullptr;
  };

  void runLoop(QEventLoop& loop);
  void scheduleIdle();

  LiveForms& forms_;
  EventDelivery& events_;
  std::vector<QEventLoop*> loops_;
  std::map<std::uint32_t, QEventLoop*> modalLoops_;  // by form, while its window runs modal
  std::optional<std::uint32_t> modalForm_;
  bool quitRequested_ = false;
  std::vector<IdleHook> idleHooks_;
  QTimer idleTimer_;
  bool idleWanted_ = true;
  int idleCount_ = 0;
  std::uint32_t idleStart_ = 0;
  std::vector<std::uint32_t> declinedIdle_;
};

}  // namespace horavia::ui
