// The window engine: the runtime's window host. It owns its parts, each with
// the state it works on, and carries out what the runtime asks by loading
// and closing windows with them:
//   LiveForms      (live_forms.cpp)   the form table, loaded forms' working
//                                     copies and windows, closed windows, teardown
//   EventDelivery  (events.cpp)       delivering events, the current event source
//   Loops          (loops.cpp)        the message loop, modal loops, quit, idle
//   Menus          (menus.cpp)        menu bars, pop-up menus, menu commands
//   InputFilter    (input.cpp,        keyboard and mouse pre-processing, drags,
//                   dialog_keys.cpp)  the window's own keys
// The engine's own files: engine.cpp (construction, teardown, the windows'
// services), host.cpp (the WindowHost requests), loading.cpp (loading,
// showing, closing, re-creating units), unit_commands.cpp (what the window
// and unit commands ask of live units), properties.cpp (the property entries).
//
// Index
//   [host]       the WindowHost requests the runtime sends
//   [unit commands] what the window and unit commands ask of live units
//   [loading]    buildWindowFromForm, showLoadedWindow, re-creating units
//   [parts]      the parts' operations that the program and tests reach
//   [windows]    WindowServices: what a live window asks of the engine
#pragma once

#include <QObject>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "runtime/runtime_app.h"
#include "runtime/services.h"
#include "ui/forms/form_table.h"
#include "ui/units/subroutines.h"
#include "ui/units/unit_interface.h"
#include "ui/window/events.h"
#include "ui/window/input.h"
#include "ui/window/live_forms.h"
#include "ui/window/loops.h"
#include "ui/window/menus.h"
#include "ui/window/window_services.h"

namespace horavia::ui {

class CWinFormUnit;

class WindowEngine : public QObject, public runtime::WindowHost, public WindowServices {
 public:
  explicit WindowEngine(HandlerTable handlers);
  ~WindowEngine() override;

  // [host] ---------------------------------------------------------------------
  bool loadForms(const std::uint8_t* block, std::uint32_t length, std::uintptr_t codeBase) override;
  bool loadStartWindow(std::uint32_t formId) override;
  bool loadWindow(const runtime::LoadWindowRequest& request) override;
  void runMessageLoop() override { loops_.runMessageLoop(); }
  bool anyWindowLive() const override { return forms_.anyWindow(); }
  void* findUnit(std::uint32_t formId, std::uint32_t unitId) override { return forms_.liveUnit(formId, unitId); }
  void* loadedForms() override { return &forms_.table(); }
  void unitDestroyed(std::uint32_t formId, std::uint32_t unitId) override;
  std::int32_t raiseEvent(runtime::PlainEventRecord& record) override { return events_.raisePlain(record); }
  std::int32_t raiseTypedEvent(runtime::TypedEventRecord& record) override { return events_.raiseTyped(record); }
  void pumpPending() override;
  void defaultIcons(void* twoWords) override;
  void* pictureToBitmap(const void* bytes, std::intptr_t size) override;
  void destroyAllWindows() override;
  std::uint64_t readProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                             std::int32_t subIndex) override;
  void writeProperty(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                     std::int32_t subIndex, std::uint32_t low, std::uint32_t high) override;
  void forwardExit(int code) override;
  bool quitting() const override { return loops_.quitRequested(); }
  std::pair<std::uint32_t, std::uint32_t> currentEventSource() const override {
    return {events_.source().formId, events_.source().unitId};
  }
  void popUpMenu(std::uint32_t formId, std::uint32_t itemId, const int* x, const int* y) override {
    menus_.popUp(formId, itemId, x, y);
  }
  bool shapeWindowFromPicture(std::uint32_t formId, const std::uint8_t* bytes, std::size_t size,
                              std::uint32_t colour, int percent) override;
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

  // [loading] (loading.cpp) ------------------------------------------------------
  bool buildWindowFromForm(std::uint32_t formId, bool modal, QWidget* owner);
  // Shows a freshly loaded window; a modal one runs its modal loop until it
  // has gone (or the program quits).
  void showLoadedWindow(std::uint32_t formId, bool modal);
  // Re-creates a unit whose type asked for a new window after a set.
  void recreateUnit(std::uint32_t formId, std::size_t index);

  // [parts] ----------------------------------------------------------------------
  Form* findForm(std::uint32_t formId) { return forms_.findForm(formId); }
  // The live window's working copy while the form is loaded, else the stored
  // table; null when no form has that id.
  UnitTable* unitsOf(std::uint32_t formId) { return forms_.unitsOf(formId); }
  CWinFormUnit* liveWindow(std::uint32_t formId) const { return forms_.window(formId); }
  EventOutcome deliver(std::uint32_t formId, std::uint32_t unitId, std::int32_t event,
                       std::span<const std::uint32_t> arguments) {
    return events_.deliver(formId, unitId, event, arguments);
  }
  EventSource eventSource() const { return events_.source(); }
  void rebuildMenuBar(std::uint32_t formId) { menus_.rebuildMenuBar(formId); }
  std::unique_ptr<QMenu> popupMenu(std::uint32_t formId, std::uint32_t itemId) {
    return menus_.popupMenu(formId, itemId);
  }
  void setMenuPresenter(MenuPresenter presenter) { menus_.setPresenter(std::move(presenter)); }
  void requestQuit() { loops_.requestQuit(); }
  bool quitRequested() const { return loops_.quitRequested(); }
  std::optional<std::uint32_t> currentModalForm() const { return loops_.modalForm(); }
  void addIdleHook(QWidget* window, IdleFunction function, void* argument) {
    loops_.addIdleHook(window, function, argument);
  }
  void removeIdleHook(QWidget* window) { loops_.removeIdleHook(window); }
  void runIdleHooks() { loops_.runIdleHooks(); }
  bool idleStep(int count) { return loops_.idleStep(count); }
  void setMusicPlayer(MusicPlayer* player) { music_ = player; }

  // [windows] (engine.cpp) -------------------------------------------------------
  EventOutcome raiseWindowEvent(const CWinFormUnit& window, std::int32_t event) override;
  void menuCommand(const CWinFormUnit& window, std::int32_t commandId) override { menus_.command(window, commandId); }
  void windowClosing(CWinFormUnit& window) override;
  void windowDestroyed(CWinFormUnit& window) override;
  MusicPlayer* musicPlayer() override { return music_; }
  std::vector<CWinFormUnit*> liveWindows() override { return forms_.windows(); }
  CWinFormUnit* modalWindow() override;
  QWidget* hiddenOwner() override;

 protected:
  // A shutdown forwarded from another thread ends the program here, on the
  // main thread.
  bool event(QEvent* event) override;

 private:
  bool createUnits(std::uint32_t formId, bool modal, QWidget* owner);
  QWidget* createUnit(std::uint32_t formId, Unit& unit, QWidget* window, std::int32_t controlId);
  // What a unit's create function receives: its record's data, placed as
  // stored, under `parent`.
  UnitCreateParams createParams(std::uint32_t formId, const Unit& unit, QWidget* parent, std::int32_t controlId,
                                std::uint32_t style);
  void attachCursor(Unit& unit, QWidget* widget);
  void finishLoading(std::uint32_t formId);
  void tellUnitsShown(std::uint32_t formId);
  // The form leaves the loaded forms: its working copy goes, a modal loop on
  // it ends, and the program quits when no window is left.
  void leaveLoadedForms(std::uint32_t formId);
  void dropWorkingCopy(std::uint32_t formId);

  LiveForms forms_;
  EventDelivery events_;
  Loops loops_;
  Menus menus_;
  InputFilter input_;
  MusicPlayer* music_ = nullptr;
  QWidget* hiddenOwner_ = nullptr;
  // The unit being re-created: its old window's destruction must not clear
  // the record that already holds the new one.
  std::optional<std::pair<std::uint32_t, std::uint32_t>> recreating_;
};

}  // namespace horavia::ui
