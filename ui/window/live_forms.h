// The program's forms and the live windows of the loaded ones: the stored
// form table, each loaded form's working copy of its units and its window,
// the closed windows that wait for deletion while a handler of their form
// still runs, and tearing all of them down.
#pragma once

#include <QPointer>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "ui/forms/form_table.h"

class QWidget;

namespace horavia::ui {

class CWinFormUnit;

class LiveForms {
 public:
  LiveForms() = default;
  LiveForms(const LiveForms&) = delete;
  LiveForms& operator=(const LiveForms&) = delete;

  // [forms] ----------------------------------------------------------------------
  bool loadFormBlock(std::span<const std::uint8_t> block, std::uintptr_t codeBase) {
    return table_.loadFormBlock(block, codeBase);
  }
  FormTable& table() { return table_; }
  Form* findForm(std::uint32_t formId) { return table_.findForm(formId); }
  // The working copy while the form is loaded, else the stored table; null
  // when no form has that id.
  UnitTable* unitsOf(std::uint32_t formId);

  // [live windows] ----------------------------------------------------------------
  // A load begins: a fresh working copy of the form's units, so that the
  // stored form stays unchanged.
  UnitTable& open(std::uint32_t formId);
  void setWindow(std::uint32_t formId, CWinFormUnit* window) { live_[formId].window = window; }
  CWinFormUnit* window(std::uint32_t formId) const;
  std::vector<CWinFormUnit*> windows() const;
  bool anyWindow() const;
  // The working copy of a loaded form (or one loading); null otherwise.
  UnitTable* workingCopy(std::uint32_t formId);
  // The working copy of a form whose window is live; null otherwise.
  UnitTable* liveUnits(std::uint32_t formId);
  // The live object of a unit (0: the window), or null.
  QWidget* liveUnit(std::uint32_t formId, std::uint32_t unitId);
  // The unit record whose live object is `widget` or contains it (a
  // descendant of a container counts as the container), and its form;
  // nulls when the widget belongs to no unit of a live window.
  struct UnitAt {
    std::uint32_t formId = 0;
    Unit* unit = nullptr;
    QWidget* widget = nullptr;
  };
  UnitAt unitUnder(QWidget* widget);
  // The form leaves the loaded forms: its working copy and the cursors of
  // its units go; the window object is its owner's to delete.
  void drop(std::uint32_t formId);

  // [closing] ---------------------------------------------------------------------
  // A closed window, deleted as soon as no handler of its form runs.
  void keepClosed(CWinFormUnit& window);
  // Whether the form's window has closed and waits for deletion, with no new
  // window of the form loaded.
  bool closedAndNotReloaded(std::uint32_t formId) const;
  // Deletes the form's closed window now; false when a handler of its form
  // still runs and it cannot be.
  bool finishClosedWindow(std::uint32_t formId);
  // Deletes the closed windows that no running handler still needs.
  void deleteClosedWindows();
  // A handler of the form runs (its closed window must wait).
  void beginHandler(std::uint32_t formId) { ++runningHandlers_[formId]; }
  void endHandler(std::uint32_t formId);

  // Deletes every window, live and closed; while it does, tearingDown() is
  // true and windows report nothing back.
  void destroyAll();
  bool tearingDown() const { return tearingDown_; }

 private:
  struct LiveForm {
    UnitTable units;  // the working copy
    CWinFormUnit* window = nullptr;
  };

  FormTable table_;
  std::map<std::uint32_t, LiveForm> live_;
  std::vector<QPointer<CWinFormUnit>> closedWindows_;  // closed, not yet deleted
  std::map<std::uint32_t, int> runningHandlers_;       // by form
  bool tearingDown_ = false;
};

}  // namespace horavia::ui
