// Menus of the loaded windows: the menu bar rebuilt from the current
// records, pop-up menus at the mouse, and the menu commands that turn a
// chosen item into its event 0.
#pragma once

#include <QMenu>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;

namespace horavia::ui {

class CWinFormUnit;
class EventDelivery;
class LiveForms;

// Shows a pop-up menu at a screen position and returns the chosen action
// (tests answer instead of a person).
using MenuPresenter = std::function<QAction*(QMenu& menu, QPoint at)>;

class Menus {
 public:
  Menus(LiveForms& forms, EventDelivery& events) : forms_(forms), events_(events) {}

  // The menu bar and accelerators from the current records.
  void rebuildMenuBar(std::uint32_t formId);
  // Pops up the submenu of a menu item at the mouse (+3, +3) or at the
  // given x and y; a missing window is the fatal "unit missing".
  void popUp(std::uint32_t formId, std::uint32_t itemId, const int* x, const int* y);
  // The same pop-up menu as it stands now, not shown (another place offers
  // it, the tray); null without a window, a menu item or entries under it.
  // Its choices are the caller's to send as commands.
  std::unique_ptr<QMenu> popupMenu(std::uint32_t formId, std::uint32_t itemId);
  // A command the window received: ids of its menu run raise event 0 of
  // their item; others are not the menus'.
  void command(const CWinFormUnit& window, std::int32_t commandId);
  void setPresenter(MenuPresenter presenter) { presenter_ = std::move(presenter); }

 private:
  QAction* present(QMenu& menu, QPoint at);

  LiveForms& forms_;
  EventDelivery& events_;
  MenuPresenter presenter_;
};

}  // namespace horavia::ui
