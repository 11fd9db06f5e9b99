#include "ui/menu/menu_builder.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

#include "ui/menu/shortcuts.h"
#include "ui/units/qt_text.h"

namespace horavia::ui {
namespace {

bool IsHidden(const Unit& u) { return (u.menu.flags & menu_flags::kHidden) != 0; }

// The index past the last entry deeper than the one at `i`, within [.., end).
std::size_t SubtreeEnd(const UnitTable& units, std::size_t i, std::size_t end) {
  std::uint32_t level = units[i].menu.level;
  std::size_t j = i + 1;
  while (j < end && units[j].menu.level > level) ++j;
  return j;
}

struct Builder {
  const UnitTable& units;
  MenuRun run;
  std::vector<Accelerator>* accelerators;  // null: do not collect

  std::int32_t commandId(std::size_t index) const {
    return kFirstCommandId + static_cast<std::int32_t>(index - run.first);
  }

  // Fills `menu` with the entries [begin, end), all deeper than their parent.
  void fill(QMenu& menu, std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    while (i < end) {
      const Unit& entry = units[i];
      std::size_t next = SubtreeEnd(units, i, end);
      if (IsHidden(entry)) {
        i = next;
        continue;
      }
      if (next > i + 1) {
        QMenu* sub = menu.addMenu(FromCp936(entry.menu.caption));
        sub->setEnabled((entry.menu.flags & menu_flags::kDisabled) == 0);
        fill(*sub, i + 1, next);
      } else {
        addItem(menu, i);
      }
      i = next;
    }
  }

  void addItem(QMenu& menu, std::size_t i) {
    const MenuItemFields& item = units[i].menu;
    if (item.caption == "-") {
      menu.addSeparator();
      return;
    }
    QAction* action = menu.addAction(MenuItemText(item));
    action->setData(commandId(i));
    if (item.flags & menu_flags::kChecked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    action->setEnabled((item.flags & menu_flags::kDisabled) == 0);
    if (accelerators != nullptr && !ShortcutAt(item.shortcut).name.empty()) {
      accelerators->push_back({commandId(i), item.shortcut});
    }
  }
};


}  // namespace

QString MenuItemText(const MenuItemFields& item) {
  QString text = FromCp936(item.caption);
  Shortcut shortcut = ShortcutAt(item.shortcut);
  if (!shortcut.name.empty()) {
    text += QLatin1Char('\t');
    text += QString::fromLatin1(shortcut.name.data(), static_cast<qsizetype>(shortcut.name.size()));
  }
  return text;
}

BuiltMenu buildMenuBar(const UnitTable& units, MenuRun run) {
  BuiltMenu built;
  if (run.count == 0 || run.first + run.count > units.size()) return built;
  Builder builder{units, run, &built.accelerators};
  std::size_t end = run.first + run.count;
  std::size_t i = run.first;
  while (i < end) {
    const Unit& title = units[i];
    std::size_t next = SubtreeEnd(units, i, end);
    if (title.menu.level == 0 && !IsHidden(title)) {
      if (!built.bar) built.bar = std::make_unique<QMenuBar>();
      QMenu* popup = built.bar->addMenu(FromCp936(title.menu.caption));
      popup->setEnabled((title.menu.flags & menu_flags::kDisabled) == 0);
      builder.fill(*popup, i + 1, next);
    }
    i = next;
  }
  return built;
}

std::unique_ptr<QMenu> buildPopupMenu(const UnitTable& units, MenuRun run, std::size_t position) {
  std::size_t index = run.first + position;
  if (!run.contains(index) || run.first + run.count > units.size()) return nullptr;
  std::size_t end = SubtreeEnd(units, index, run.first + run.count);
  if (end == index + 1) return nullptr;
  auto menu = std::make_unique<QMenu>();
  Builder builder{units, run, nullptr};
  builder.fill(*menu, index + 1, end);
  return menu;
}

std::optional<std::int32_t> CommandIdOf(const QAction* action) {
  if (action == nullptr || !action->data().isValid()) return std::nullopt;
  bool ok = false;
  int id = action->data().toInt(&ok);
  if (!ok) return std::nullopt;
  return id;
}

}  // namespace horavia::ui
