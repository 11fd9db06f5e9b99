// The window's own keys, unless the focused unit claims the key: Tab and
// Shift+Tab through the tab order, Enter for the default button (or as Tab),
// Esc to close, F1 for help, arrows within the group, Alt+letter mnemonics.
#include <QAbstractButton>
#include <QApplication>
#include <algorithm>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/text_codec.h"
#include "runtime/runtime_app.h"
#include "ui/window/events.h"
#include "ui/window/form_unit.h"
#include "ui/window/input.h"
#include "ui/window/keys.h"
#include "ui/window/live_forms.h"
#include "ui/window/live_units.h"

namespace horavia::ui {

bool InputFilter::handleDialogKeys(CWinFormUnit& window, QWidget* focus, int vk, std::uint32_t mods) {
  LiveForms::UnitAt focused = forms_.unitUnder(focus);
  if (focused.unit != nullptr) {
    auto wants = UnitFunctionOf<kQueryWantsKey>(*focused.unit);
    if (wants != nullptr && wants(focused.widget, vk | static_cast<std::int32_t>(mods << 16))) return false;
  }
  const WindowData& data = window.data();
  switch (vk) {
    case 0x09:
      if (mods & (key_modifier::kCtrl | key_modifier::kAlt)) return false;
      return moveFocus(window, focus, (mods & key_modifier::kShift) == 0);
    case 0x0D:
      if (mods != 0) return false;
      if (data.enterMovesFocus) return offerDefaultButton(window, focus) || moveFocus(window, focus, true);
      return offerDefaultButton(window, focus) || offerDefaultButton(window, nullptr);
    case 0x1B:
      if (mods != 0 || !data.escCloses) return false;
      window.close();
      return true;
    case 0x25:  // left
    case 0x26:  // up
    case 0x27:  // right
    case 0x28:  // down
      // The window's units form one group: on a button-like unit the arrows
      // step through it as Tab does. Lists, combo boxes and sliders keep
      // their arrows for themselves.
      if (mods != 0 || qobject_cast<QAbstractButton*>(focus) == nullptr) return false;
      return moveFocus(window, focus, vk == 0x27 || vk == 0x28);
    case 0x70: {
      if (mods != 0 || !data.f1OpensHelp) return false;
      std::string help = data.helpFile;
      if (help.empty()) {
        const std::string& name = runtime::Runtime().programFileName();
        help = name.substr(0, name.rfind('.')) + ".hlp";
      }
      std::string path = platform::HostPath(help);
      if (platform::PathExists(path)) platform::ShellOpen({"open", path, {}, {}, 2});
      return true;
    }
    default: break;
  }
  bool letterOrDigit = (vk >= 0x41 && vk <= 0x5A) || (vk >= 0x30 && vk <= 0x39);
  if (mods == key_modifier::kAlt && letterOrDigit) return handleMnemonic(window, QChar(vk));
  return false;
}

bool InputFilter::moveFocus(CWinFormUnit& window, QWidget* focus, bool forward) {
  UnitTable* units = forms_.unitsOf(window.formId());
  if (units == nullptr) return false;
  struct Stop {
    std::int32_t order;
    std::size_t index;
    QWidget* widget;
  };
  std::vector<Stop> stops;
  for (std::size_t i = 1; i < units->size(); ++i) {
    const Unit& u = (*units)[i];
    QWidget* w = LiveWidget(u);
    if (u.isMenuItem() || (u.flags & unit_flags::kTabStop) == 0 || w == nullptr) continue;
    if (!w->isVisible() || !w->isEnabled()) continue;
    stops.push_back({u.tabOrder, i, w});
  }
  if (stops.empty()) return false;
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.order < b.order; });
  LiveForms::UnitAt at = forms_.unitUnder(focus);
  auto current = std::find_if(stops.begin(), stops.end(), [&](const Stop& s) { return s.widget == at.widget; });
  QWidget* next = nullptr;
  if (current == stops.end()) {
    next = forward ? stops.front().widget : stops.back().widget;
  } else if (forward) {
    next = (current + 1 != stops.end() ? current + 1 : stops.begin())->widget;
  } else {
    next = (current != stops.begin() ? current - 1 : stops.end() - 1)->widget;
  }
  next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

// With `focus`, offers the focused unit alone; without, every unit in table
// order. A visible, enabled default button raises its event 0.
bool InputFilter::offerDefaultButton(CWinFormUnit& window, QWidget* focus) {
  UnitTable* units = forms_.unitsOf(window.formId());
  if (units == nullptr) return false;
  LiveForms::UnitAt focused = forms_.unitUnder(focus);
  if (focus != nullptr && focused.unit == nullptr) return false;
  for (Unit& u : *units) {
    if (focus != nullptr && &u != focused.unit) continue;
    QWidget* w = LiveWidget(u);
    if (u.isMenuItem() || w == nullptr || (TypeFlags(u) & type_flags::kDefaultButton) == 0) continue;
    if (!w->isVisible() || !w->isEnabled()) continue;
    auto isDefault = UnitFunctionOf<kQueryIsDefaultButton>(u);
    if (isDefault == nullptr || !isDefault(w)) continue;
    events_.deliver(window.formId(), u.id, kUnitUsedEvent, {});
    return true;
  }
  return false;
}

bool InputFilter::handleMnemonic(CWinFormUnit& window, QChar letter) {
  UnitTable* units = forms_.unitsOf(window.formId());
  if (units == nullptr) return false;
  for (std::size_t i = 1; i < units->size(); ++i) {
    Unit& u = (*units)[i];
    QWidget* w = LiveWidget(u);
    std::uint32_t flags = TypeFlags(u);
    if (u.isMenuItem() || w == nullptr || (flags & type_flags::kHasCaption) == 0) continue;
    if (!w->isVisible() || !w->isEnabled()) continue;
    QString caption = w->property("text").toString();
    qsizetype amp = caption.indexOf(QLatin1Char('&'));
    while (amp >= 0 && amp + 1 < caption.size() && caption[amp + 1] == QLatin1Char('&')) {
      amp = caption.indexOf(QLatin1Char('&'), amp + 2);
    }
    if (amp < 0 || amp + 1 >= caption.size() || caption[amp + 1].toUpper() != letter.toUpper()) continue;
    if (flags & type_flags::kCheckBox) {
      w->setProperty("checked", !w->property("checked").toBool());
      events_.deliver(window.formId(), u.id, kUnitUsedEvent, {});
    } else if (flags & type_flags::kDefaultButton) {
      events_.deliver(window.formId(), u.id, kUnitUsedEvent, {});
    } else if (flags & type_flags::kLabelLike) {
      moveFocus(window, w, true);
    } else {
      w->setFocus(Qt::ShortcutFocusReason);
    }
    return true;
  }
  return false;
}

}  // namespace horavia::ui
