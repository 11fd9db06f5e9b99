// The window engine: the runtime's window host. It owns the form table and
// the working copies of the loaded forms, loads windows from form
// descriptions, runs the message loop with its modal loops and idle
// processing, pre-processes keyboard and mouse input, and delivers events.
//
// Its members are defined by concern, one file each:
//   engine.cpp       construction, teardown, lookups
//   host.cpp         the WindowHost requests the runtime sends
//   loading.cpp      loading, showing, closing, re-creating units
//   loop.cpp         message loop, modal loops, quit, idle hooks, idle step
//   input.cpp        keyboard and mouse pre-processing, window drags
//   dialog_keys.cpp  Tab, Enter, Esc, F1, arrows and mnemonics
//   menus.cpp        menu bars, pop-up menus, menu commands
//   events.cpp       event delivery (with properties.cpp, the unit entries)
//
// Index
//   [host]       the WindowHost requests the runtime sends
//   [unit commands] what the window and unit commands ask of live units
//   [loading]    buildWindowFromForm, showLoadedWindow, closing and teardown
//   [lookups]    forms, working copies, live windows and units
//   [loop]       message loop, modal loops, quit, idle hooks and the idle step
//   [events]     raising events, the current event source
//   [input]      keyboard and mouse pre-processing (an application-wide filter)
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "runtime/runtime_app.h"
#include "runtime/services.h"
#include "ui/forms/form_table.h"
#include "ui/units/subroutines.h"
#include "ui/units/unit_interface.h"

class QAction;
class QEventLoop;
class QMenu;
class QWidget;

namespace horavia::ui {

class CWinFormUnit;

// What a window's background music is played with. Without one the music
// is silent.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual void play(std::span<const std::uint8_t> wave, bool loop) = 0;
  virtual void stop() = 0;
};

struct EventSource {
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
};

// The outcome of raising an event: whether a subroutine ran, and its result.
struct EventOutcome {
  bool handled = false;
  SubroutineResult result;
  // A returned false (or 0) swallows the input that raised the event.
  bool swallows() const { return handled && result.returned && result.low == 0; }
};

using IdleFunction = void (*)(void* argument);
// Shows a pop-up menu at a screen position and returns the chosen action
// (tests answer instead of a person).
using MenuPresenter = std::function<QAction*(QMenu& menu, QPoint at)>;

class WindowEngine : public QObject, public runtime::WindowHost {
 public:
  explicit WindowEngine(HandlerTable handlers);
  ~WindowEngine() override;

  // [host] ---------------------------------------------------------------------
  bool loadForms(const std::uint8_t* block, std::uint32_t length, std::uintptr_t codeBase) override;
  bool loadStartWindow(std::uint32_t formId) override;
  bool loadWindow(const runtime::LoadWindowRequest& request) override;
  void runMessageLoop() override;
  bool anyWindowLive() const override;
  void* findUnit(std::uint32_t formId, std::uint32_t unitId) override;
  void* loadedForms() override { return &forms_; }
  void unitDestroyed(std::uint32_t formId, std::uint32_t unitId) override;
  std::int32_t raiseEvent(runtime::PlainEventRecord& record) override;
  std::int32_t raiseTypedEvent(runtime::TypedEventRecord& record) override;
  void pumpPending() override;
  void defaultIcons(void* twoWords) override;
  void* pictureToBitmap(const void* bytes, std::intptr_t size) override;
  void destroyAllWindows() override;
  std::uint64_t readProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                             std::int32_t subIndex) override;
  void writeProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                     std::int32_t subIndex, std::uint32_t low, std::uint32_t high) override;
  void forwardExit(int code) override;
  bool quitting() const override { return quitRequested_; }
  std::pair<std::uint32_t, std::uint32_t> currentEventSource() const override {
    return {eventSource_.formId, eventSource_.unitId};
  }
  void popUpMenu(std::uint32_t formId, std::uint32_t itemId, const int* x, const int* y) override;
  bool shapeWindowFromPicture(std::uint32_t formId, const std::uint8_t* bytes, std::size_t size,
                              std::uint32_t colour) override;
  void closeWindow(std::uint32_t formId, bool atOnce) override;
  void destroyUnit(std::uint32_t formId, std::uint32_t unitId) override;
  std::uint32_t copyUnit(std::uint32_t formId, std::uint32_t sourceUnitId) override;

  // [unit commands] (unit_commands.cpp) -----------------------------------------
  // Geometry, list items and draw panels for the window and unit commands;
  // each reaches the unit through its type's interface.
  std::optional<runtime::UnitRect> unitRect(std::uint32_t formId, std::uint32_t unitId) override;
  void moveUnit(std::uint32_t formId, std::uint32_t unitId, const runtime::UnitRect& rect) override;
  std::int32_t addListItem(std::uint32_t formId, std::uint32_t unitId, runtime::TypeTag type, std::string_view text,
                           std::int32_t itemData) override;
  std::int32_t listItemCount(std::uint32_t formId, std::uint32_t unitId, runtime::TypeTag type) override;
  std::optional<std::string> listItemText(std::uint32_t formId, std::uint32_t unitId, runtime::TypeTag type,
                                          std::int32_t index) override;
  std::optional<runtime::UnitRect> drawPanelClient(std::uint32_t formId, std::uint32_t unitId) override;
  void clearDrawPanel(std::uint32_t formId, std::uint32_t unitId, const runtime::UnitRect& area) override;
  void fillDrawPanelGradient(std::uint32_t formId, std::uint32_t unitId, const runtime::UnitRect& area,
                             std::int32_t mode, std::span<const std::uint32_t> colours) override;
  void copyDrawPanelArea(std::uint32_t formId, std::uint32_t sourceId, const runtime::UnitRect& area,
                         std::uint32_t targetFormId, std::uint32_t targetId, std::int32_t x, std::int32_t y,
                         std::int32_t mode) override;
  // The live widget of a unit whose type is `type`, and that type's function
  // for `query`; nulls when either is missing.
  struct TypedUnit {
    QWidget* widget = nullptr;
    void* function = nullptr;
  };
  TypedUnit liveUnitOfType(std::uint32_t formId, std::uint32_t unitId, std::uint32_t type, std::int32_t query);

  // [loading] ------------------------------------------------------------------
  bool buildWindowFromForm(std::uint32_t formId, bool modal, QWidget* owner);
  // Shows a freshly loaded window; a modal one runs its modal loop until it
  // has gone (or the program quits).
  void showLoadedWindow(std::uint32_t formId, bool modal);
  // Called by the window: a close was accepted (the window leaves the loaded
  // forms at once and is deleted as soon as no handler of its form runs),
  // and it has been destroyed.
  void windowClosing(CWinFormUnit& window);
  void windowDestroyed(CWinFormUnit& window);
  // Whether the form's window has closed and waits for deletion, with no new
  // window of the form loaded.
  bool closedAndNotReloaded(std::uint32_t formId) const;
  // Deletes the closed windows that no running handler still needs.
  void deleteClosedWindows();
  // Re-creates a unit whose type asked for a new window after a set.
  void recreateUnit(std::uint32_t formId, std::size_t index);
  // The menu bar and accelerators from the current records.
  void rebuildMenuBar(std::uint32_t formId);

  // [lookups] ------------------------------------------------------------------
  FormTable& forms() { return forms_; }
  Form* findForm(std::uint32_t formId) { return forms_.findForm(formId); }
  // The live window's working copy while the form is loaded, else the stored
  // table; null when no form has that id.
  UnitTable* unitsOf(std::uint32_t formId);
  CWinFormUnit* liveWindow(std::uint32_t formId) const;
  // As liveWindow; a missing window is the fatal "unit missing" error.
  CWinFormUnit* requireLiveWindow(std::uint32_t formId);
  std::vector<CWinFormUnit*> liveWindows() const;
  QWidget* hiddenOwner();
  // The unit record whose live object is `widget` or contains it (following
  // containers), and its form; null when the widget belongs to no unit.
  struct UnitAt {
    std::uint32_t formId = 0;
    Unit* unit = nullptr;
    QWidget* widget = nullptr;
  };
  UnitAt unitUnder(QWidget* widget);
  const runtime::DataTypeInfo* typeOf(const Unit& unit) const;
  std::uint32_t typeFlags(const Unit& unit) const;
  // The function the unit's type answers for query Q, or null.
  template <UnitQuery Q>
  typename QuerySignature<Q>::Type unitFunction(const Unit& unit) const {
    return UnitFunction<Q>(typeOf(unit));
  }
  // Whether a unit of a loaded window shows: its visible flag, unless its
  // type is not a window.
  bool showsWhenLoaded(const Unit& unit, const QWidget* widget) const;

  // [loop] ---------------------------------------------------------------------
  void requestQuit();
  bool quitRequested() const { return quitRequested_; }
  void addIdleHook(QWidget* window, IdleFunction function, void* argument);
  void removeIdleHook(QWidget* window);
  // Calls every idle hook (newest first), dropping those whose window is gone.
  void runIdleHooks();
  // One idle step; answers whether more idle time is wanted.
  bool idleStep(int count);
  std::optional<std::uint32_t> currentModalForm() const { return modalForm_; }

  // [events] -------------------------------------------------------------------
  // The one delivery path: blocked counter, form, unit, links, type check,
  // binding, handler.
  EventOutcome deliver(std::uint32_t formId, std::uint32_t unitId, std::int32_t event,
                       std::span<const std::uint32_t> arguments);
  // Marks a handler of the form as running (its closed window must wait).
  void beginHandler(std::uint32_t formId) { ++runningHandlers_[formId]; }
  void endHandler(std::uint32_t formId);
  EventSource eventSource() const { return eventSource_; }
  void setCurrentEventSource(EventSource source) { eventSource_ = source; }
  void clearCurrentEventSourceForm() { eventSource_.formId = 0; }
  const HandlerTable& handlers() const { return handlers_; }
  void setMusicPlayer(MusicPlayer* player) { music_ = player; }
  MusicPlayer* musicPlayer() const { return music_; }
  void setMenuPresenter(MenuPresenter presenter) { presenter_ = std::move(presenter); }
  QAction* presentMenu(QMenu& menu, QPoint at);
  // Posts a menu command to the window (delivered from the queue).
  void postCommand(CWinFormUnit* window, std::int32_t commandId);

  // [input] --------------------------------------------------------------------
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct LiveForm {
    UnitTable units;  // the working copy
    CWinFormUnit* window = nullptr;
  };
  struct IdleHook {
    QPointer<QWidget> window;
    IdleFunction function = nullptr;
    void* argument = nullptr;
  };
  // A left-button drag of the window: the platform moves the window once the
  // mouse moves, or, where it cannot, the engine follows the mouse itself.
  struct WindowDrag {
    QPointer<QWidget> window;
    QPoint pressGlobal;
    QPoint windowStart;
    bool followingMouse = false;
  };

  bool createUnits(std::uint32_t formId, bool modal, QWidget* owner);
  QWidget* createUnit(std::uint32_t formId, Unit& unit, QWidget* window, std::int32_t controlId);
  // What a unit's create function receives: its record's data, placed as
  // stored, under `parent`.
  UnitCreateParams createParams(std::uint32_t formId, const Unit& unit, QWidget* parent, std::int32_t controlId,
                                std::uint32_t style);
  void attachCursor(Unit& unit, QWidget* widget);
  void finishLoading(std::uint32_t formId);
  void tellUnitsShown(std::uint32_t formId);
  void leaveLoadedForms(std::uint32_t formId);
  bool finishClosedWindow(std::uint32_t formId);
  void dropWorkingCopy(std::uint32_t formId);
  void runLoop(QEventLoop& loop);
  void scheduleIdle();

  bool preprocessMouse(CWinFormUnit& window, QWidget* receiver, QEvent* event);
  bool preprocessKey(CWinFormUnit& window, QWidget* receiver, QEvent* event);
  bool handleDialogKeys(CWinFormUnit& window, QWidget* focus, int vk, std::uint32_t modifiers);
  bool moveFocus(CWinFormUnit& window, QWidget* focus, bool forward);
  bool offerDefaultButton(CWinFormUnit& window, QWidget* focus);
  bool handleMnemonic(CWinFormUnit& window, QChar letter);
  bool startDrag(QWidget* window, QPoint global);

  FormTable forms_;
  std::map<std::uint32_t, LiveForm> live_;
  HandlerTable handlers_;
  MusicPlayer* music_ = nullptr;
  MenuPresenter presenter_;
  QWidget* hiddenOwner_ = nullptr;
  EventSource eventSource_;
  std::optional<std::uint32_t> modalForm_;
  std::vector<QEventLoop*> loops_;
  std::map<std::uint32_t, QEventLoop*> modalLoops_;  // by form, while its window runs modal
  std::map<std::uint32_t, int> runningHandlers_;     // by form
  std::vector<QPointer<CWinFormUnit>> closedWindows_;  // closed, not yet deleted
  bool quitRequested_ = false;
  bool tearingDown_ = false;
  bool synthesizing_ = false;   // a replaced character is being delivered
  std::vector<IdleHook> idleHooks_;
  QTimer idleTimer_;
  bool idleWanted_ = true;
  int idleCount_ = 0;
  std::uint32_t idleStart_ = 0;
  std::vector<std::uint32_t> declinedIdle_;
  std::optional<WindowDrag> drag_;
  // The unit being re-created: its old window's destruction must not clear
  // the record that already holds the new one.
  std::optional<std::pair<std::uint32_t, std::uint32_t>> recreating_;
};

}  // namespace horavia::ui
