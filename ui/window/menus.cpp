// Menus of the loaded windows: the menu bar rebuilt from the current records,
// pop-up menus at the mouse, and the menu commands they send.
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

#include "ui/menu/menu_builder.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"
#include "ui/units/private_message.h"

namespace horavia::ui {

void WindowEngine::rebuildMenuBar(std::uint32_t formId) {
  CWinFormUnit* window = liveWindow(formId);
  UnitTable* units = unitsOf(formId);
  if (window == nullptr || units == nullptr) return;
  window->setMenu(buildMenuBar(*units, firstMenuRun(*units)));
}

void WindowEngine::popUpMenu(std::uint32_t formId, std::uint32_t itemId, const int* x, const int* y) {
  CWinFormUnit* window = requireLiveWindow(formId);
  UnitTable* units = unitsOf(formId);
  if (units == nullptr) return;
  auto found = ui::findUnit(*units, itemId);
  if (!found || !found->record->isMenuItem()) return;
  MenuRun run = firstMenuRun(*units);
  if (!run.contains(found->index)) return;
  std::unique_ptr<QMenu> menu = buildPopupMenu(*units, run, found->index - run.first);
  if (!menu) return;
  QPoint at = QCursor::pos() + QPoint(3, 3);
  if (x != nullptr) at.setX(*x);
  if (y != nullptr) at.setY(*y);
  QPointer<CWinFormUnit> owner(window);
  std::optional<std::int32_t> chosen = CommandIdOf(presentMenu(*menu, at));
  menu.reset();
  // The choice arrives later as a command, as one from the menu bar does.
  if (chosen && owner) postCommand(owner, *chosen);
}

QAction* WindowEngine::presentMenu(QMenu& menu, QPoint at) {
  if (presenter_) return presenter_(menu, at);
  return menu.exec(at);
}

void WindowEngine::postCommand(CWinFormUnit* window, std::int32_t commandId) {
  if (window == nullptr) return;
  QCoreApplication::postEvent(window, new PrivateMessageEvent(private_message::kCommand, commandId));
}

}  // namespace horavia::ui
