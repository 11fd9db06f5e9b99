// Menus from a form's menu run: the menu bar and its accelerators, pop-up
// menus, and the command ids that lead a chosen item back to its event.
//
// Every entry of the run has the command id 20000 + its position in the run,
// shown or not, so hiding an item never changes the ids of the others.
#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ui/forms/form_table.h"

namespace horavia::ui {

inline constexpr std::int32_t kFirstCommandId = 20000;
// Command ids from here up belong to the platform and are ignored.
inline constexpr std::int32_t kFirstPlatformCommandId = 57600;

struct Accelerator {
  std::int32_t commandId = 0;
  std::uint32_t shortcut = 0;  // index into the shortcut table
};

struct BuiltMenu {
  std::unique_ptr<QMenuBar> bar;  // null when no title is shown
  std::vector<Accelerator> accelerators;
};

// The item's caption as a menu shows it: the stored caption, then a tab and
// the key name when the item has a shortcut.
QString MenuItemText(const MenuItemFields& item);

// The menu bar of the run's shown titles and the accelerators of every item
// the run holds under them.
BuiltMenu buildMenuBar(const UnitTable& units, MenuRun run);

// The pop-up menu of the entries below the one at `position` (in the run),
// or null when that entry has no deeper entries after it. Accelerators are
// not collected: a pop-up never adds keys.
std::unique_ptr<QMenu> buildPopupMenu(const UnitTable& units, MenuRun run, std::size_t position);

// The command id an action of a built menu carries, or nothing.
std::optional<std::int32_t> CommandIdOf(const class QAction* action);

}  // namespace horavia::ui
