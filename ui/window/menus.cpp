#include "ui/window/menus.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "ui/menu/menu_builder.h"
#include "ui/units/private_message.h"
#include "ui/units/unit_interface.h"
#include "ui/window/events.h"
#include "ui/window/form_unit.h"
#include "ui/window/live_forms.h"

namespace horavia::ui {

void Menus::rebuildMenuBar(std::uint32_t formId) {
  CWinFormUnit* window = forms_.window(formId);
  UnitTable* units = forms_.unitsOf(formId);
  if (window == nullptr || units == nullptr) return;
  window->setMenu(buildMenuBar(*units, firstMenuRun(*units)));
}

void Menus::popUp(std::uint32_t formId, std::uint32_t itemId, const int* x, const int* y) {
  CWinFormUnit* window = forms_.window(formId);
  if (window == nullptr) runtime::FatalError(runtime::messages::kConstants.UnitMissing);
  std::unique_ptr<QMenu> menu = popupMenu(formId, itemId);
  if (!menu) return;
  QPoint at = QCursor::pos() + QPoint(3, 3);
  if (x != nullptr) at.setX(*x);
  if (y != nullptr) at.setY(*y);
  QPointer<CWinFormUnit> owner(window);
  std::optional<std::int32_t> chosen = CommandIdOf(present(*menu, at));
  menu.reset();
  // The choice arrives later as a command, as one from the menu bar does.
  if (chosen && owner) QCoreApplication::postEvent(owner, new PrivateMessageEvent(private_message::kCommand, *chosen));
}

std::unique_ptr<QMenu> Menus::popupMenu(std::uint32_t formId, std::uint32_t itemId) {
  UnitTable* units = forms_.unitsOf(formId);
  if (forms_.window(formId) == nullptr || units == nullptr) return nullptr;
  auto found = ui::findUnit(*units, itemId);
  if (!found || !found->record->isMenuItem()) return nullptr;
  MenuRun run = firstMenuRun(*units);
  if (!run.contains(found->index)) return nullptr;
  return buildPopupMenu(*units, run, found->index - run.first);
}

void Menus::command(const CWinFormUnit& window, std::int32_t commandId) {
  if (commandId >= kFirstPlatformCommandId || commandId < kFirstCommandId) return;
  UnitTable* units = forms_.unitsOf(window.formId());
  if (units == nullptr) return;
  MenuRun run = firstMenuRun(*units);
  auto index = static_cast<std::size_t>(commandId - kFirstCommandId);
  if (index >= run.count) return;
  const Unit& item = (*units)[run.first + index];
  if (item.menu.caption == "-") return;
  events_.deliver(window.formId(), item.id, kUnitUsedEvent, {});  // the item was chosen
}

QAction* Menus::present(QMenu& menu, QPoint at) {
  if (presenter_) return presenter_(menu, at);
  return menu.exec(at);
}

}  // namespace horavia::ui
