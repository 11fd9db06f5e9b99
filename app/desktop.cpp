// Index
//   [place]     the kept place, restored at start and written once a drag ends
//   [switches]  click-through, opacity, the second hand, shown or hidden
//   [size]      the clock's size
//   [tray]      the tray icon and its menu
//   [handlers]  what the forms bind
#include "app/desktop.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>
#include <algorithm>
#include <vector>

#include "anim/frameimage/resample.h"
#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/settings.h"
#include "app/skins.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/qt_platform.h"
#include "platform/ticks.h"
#include "runtime/runtime_app.h"
#include "ui/menu/menu_builder.h"
#include "ui/units/private_message.h"
#include "ui/units/qt_text.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

// The main window, while it is loaded.
ui::CWinFormUnit* MainWindow() {
  runtime::WindowHost* host = runtime::Runtime().windowHost();
  if (host == nullptr) return nullptr;
  return dynamic_cast<ui::CWinFormUnit*>(static_cast<QWidget*>(host->findUnit(kForm, kWindow.unitId)));
}

std::vector<ScreenArea> Screens() {
  std::vector<ScreenArea> screens;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return screens;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->geometry();
    const ScreenArea area{r.x(), r.y(), r.width(), r.height()};
    if (screen == primary) {
      screens.insert(screens.begin(), area);
    } else {
      screens.push_back(area);
    }
  }
  return screens;
}

// How much of a span [at, at + length) lies inside [from, from + size).
std::int64_t Overlap(std::int64_t at, std::int64_t length, std::int64_t from, std::int64_t size) {
  return std::max<std::int64_t>(0, std::min(at + length, from + size) - std::max(at, from));
}

std::int32_t SwitchValue(bool on) { return on ? 1 : 0; }

// Start-up applies the kept switches through the same setters as the menu;
// what the file already holds is not written again.
void WriteIfChanged(Setting setting, std::int32_t value) {
  if (ReadSettingNumber(setting) != value) WriteSetting(setting, value);
}

// The application icon the build draws, carried in the constant block.
QIcon ApplicationIcon() {
  const runtime::ByteSetView png = runtime::ByteSetBytes(&L.AppIcon);
  QPixmap pixmap;
  pixmap.loadFromData(png.data, static_cast<uint>(png.size), "PNG");
  return QIcon(pixmap);
}

}  // namespace

// [place] ----------------------------------------------------------------------

WindowPlace RestoredPlace(WindowPlace kept, int width, int height, std::span<const ScreenArea> screens) {
  const std::int64_t wantX = std::min(kShownAtLeast, std::max(width, 1));
  const std::int64_t wantY = std::min(kShownAtLeast, std::max(height, 1));
  for (const ScreenArea& s : screens) {
    if (Overlap(kept.left, width, s.x, s.width) >= wantX && Overlap(kept.top, height, s.y, s.height) >= wantY) {
      return kept;
    }
  }
  if (screens.empty()) return kDefaultPlace;
  return {screens[0].x + kDefaultPlace.left, screens[0].y + kDefaultPlace.top};
}

DesktopClock::DesktopClock()
    : placeTimer_([this] { placeSettled(); }), minuteTimer_([] { onClockTick({}); }) {}

DesktopClock::~DesktopClock() = default;

void DesktopClock::start() {
  ui::CWinFormUnit* window = MainWindow();
  if (window == nullptr) return;
  const WindowPlace stored{ReadSettingNumber(Setting::WindowLeft), ReadSettingNumber(Setting::WindowTop)};
  const std::vector<ScreenArea> screens = Screens();
  kept_ = RestoredPlace(stored, window->width(), window->height(), screens);
  Call(CoreCommand::MoveUnit, {Unit(kWindow), Int(kept_.left), Int(kept_.top), Int(window->width()),
                               Int(window->height())});
  // A window that shows alpha must have it from its first showing.
  if (platform::CompositingManagerRuns()) window->useTranslucentOutline();
  setOpacity(ReadSettingNumber(Setting::Opacity));
  startTray();
  // Without a tray, clicks passing through would leave no way back to the
  // clock but ending the program: the kept switch waits for a desktop with
  // a tray (a start without one leaves it off), and the menu still offers it.
  if (tray_ != nullptr) setClickThrough(ReadSettingNumber(Setting::ClickThrough) == 1);
  // The first tick, which follows, hides the second hand if it is off.
  secondHand_ = ReadSettingNumber(Setting::SecondHand) != 0;
  checkSwitchItems();
}

void DesktopClock::windowMoved() { placeTimer_.startIn(kPlaceSettleMs); }

// The end of a drag is when the window stands still: a window manager that
// moves the window keeps the button's release to itself. A drag paused for
// a moment mid-way writes that place too, and its end writes again.
void DesktopClock::placeSettled() {
  ui::CWinFormUnit* window = MainWindow();
  if (window == nullptr) return;
  const WindowPlace now{window->x(), window->y()};
  if (now == kept_) return;
  kept_ = now;
  WriteSetting(Setting::WindowLeft, now.left);
  WriteSetting(Setting::WindowTop, now.top);
}

// [switches] -------------------------------------------------------------------

void DesktopClock::setClickThrough(bool on) {
  clickThrough_ = on;
  if (ui::CWinFormUnit* window = MainWindow(); window != nullptr) window->setInputPassesThrough(on);
  WriteIfChanged(Setting::ClickThrough, SwitchValue(on));
  checkSwitchItems();
}

void DesktopClock::setOpacity(int percent) {
  const SettingRow& row = RowOf(Setting::Opacity);
  opacity_ = Limited(row, percent);
  if (ui::CWinFormUnit* window = MainWindow(); window != nullptr) window->setWindowOpacity(opacity_ / 100.0);
  WriteIfChanged(Setting::Opacity, opacity_);
}

// The second hand's turn runs a minute at a time. Switched off, its turn is
// cut short (the box ends the turns of shown objects only, so the hand
// stays until then), and that end is a tick that hides it and waits for the
// next minute. Switched on, a tick starts its turn.
void DesktopClock::setSecondHand(bool on) {
  AppState& state = State();
  secondHand_ = on;
  WriteIfChanged(Setting::SecondHand, SwitchValue(on));
  checkSwitchItems();
  if (on) {
    minuteTimer_.stop();
    Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(state.secondHand), Bool(true)});
    onClockTick({});
    return;
  }
  Call(BoxCommand::StartAutoRotate, {Unit(kBox), Int(state.secondHand), Int(0), Int(1000), Omitted(), Int(1)});
}

void DesktopClock::wakeAtNextMinute(int second) {
  minuteTimer_.startIn(static_cast<std::uint32_t>(60 - std::clamp(second, 0, 59)) * 1000);
}

void DesktopClock::setClockShown(bool shown) {
  ui::CWinFormUnit* window = MainWindow();
  if (window == nullptr) return;
  if (!shown) {
    window->hide();
    return;
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void DesktopClock::checkSwitchItems() {
  Write(kClickThroughItem, property::kMenuChecked, SwitchValue(clickThrough_));
  Write(kSecondHandItem, property::kMenuChecked, SwitchValue(secondHand_));
}

// [size] -----------------------------------------------------------------------

int InWindowPixels(int skinUnits) {
  const DesktopClock* desktop = State().desktop.get();
  return desktop != nullptr ? anim::ScaledLength(skinUnits, desktop->size()) : skinUnits;
}

void DesktopClock::startSize() { setSize(ReadSettingNumber(Setting::Size)); }

void DesktopClock::setSize(int percent) {
  const int limited = Limited(RowOf(Setting::Size), percent);
  WriteIfChanged(Setting::Size, limited);
  if (limited == size_) return;
  size_ = limited;
  applySize();
}

// The box decodes its pictures anew at the size; the window keeps its
// corner and takes the outline of what it shows. Objects placed at a skin's
// place (the end pictures, the result) while the size changes stay where
// they were until they go.
void DesktopClock::applySize() {
  ui::CWinFormUnit* window = MainWindow();
  if (window == nullptr) return;
  const int side = InWindowPixels(kSkinSide);
  Call(BoxCommand::SetPictureScale, {Unit(kBox), Int(size_)});
  Call(CoreCommand::MoveUnit, {Unit(kBox), Int(0), Int(0), Int(side), Int(side)});
  Call(CoreCommand::MoveUnit, {Unit(kWindow), Int(window->x()), Int(window->y()), Int(side), Int(side)});
  ShapeWindowFrom(State().mode == DisplayMode::Wheel ? kWheelPicture : kFacePicture);
}

// [tray] -----------------------------------------------------------------------

void DesktopClock::startTray() {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  trayMenu_ = std::make_unique<QMenu>();
  QObject::connect(trayMenu_.get(), &QMenu::aboutToShow, [this] { fillTrayMenu(*trayMenu_); });
  tray_ = std::make_unique<QSystemTrayIcon>(ApplicationIcon());
  tray_->setContextMenu(trayMenu_.get());
  QObject::connect(tray_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) setClockShown(true);
  });
  tray_->show();
}

// The pop-up menu's items reach the window as commands, as they do from the
// pop-up menu itself, so the same handlers run.
void DesktopClock::fillTrayMenu(QMenu& menu) {
  menu.clear();
  ui::CWinFormUnit* window = MainWindow();
  auto* engine = dynamic_cast<ui::WindowEngine*>(runtime::Runtime().windowHost());
  if (window == nullptr || engine == nullptr) return;
  if (std::unique_ptr<QMenu> items = engine->popupMenu(kForm, kMenu.unitId)) {
    for (QAction* action : items->actions()) {
      action->setParent(&menu);
      menu.addAction(action);
      const std::optional<std::int32_t> id = ui::CommandIdOf(action);
      if (!id) continue;
      QPointer<ui::CWinFormUnit> target(window);
      QObject::connect(action, &QAction::triggered, [target, id] {
        if (target) QCoreApplication::postEvent(target, new ui::PrivateMessageEvent(ui::private_message::kCommand, *id));
      });
    }
  }
  menu.addSeparator();
  const bool shown = window->isVisible();
  QAction* showOrHide = menu.addAction(ui::FromCp936(shown ? L.HideClockItem : L.ShowClockItem));
  QObject::connect(showOrHide, &QAction::triggered, [this, shown] { setClockShown(!shown); });
}

// [handlers] -------------------------------------------------------------------

SubroutineResult onMainWindowMoved(Args) {
  if (State().desktop != nullptr) State().desktop->windowMoved();
  return SubroutineResult::None();
}

SubroutineResult toggleClickThrough(Args) {
  if (State().desktop != nullptr) State().desktop->setClickThrough(!State().desktop->clickThrough());
  return SubroutineResult::None();
}

SubroutineResult toggleSecondHand(Args) {
  if (State().desktop != nullptr) State().desktop->setSecondHand(!State().desktop->secondHand());
  return SubroutineResult::None();
}

SubroutineResult onSizeChanged(Args) {
  if (State().desktop != nullptr) {
    State().desktop->setSize(static_cast<int>(Read(settings_window::kSize, property::kSliderPosition)));
  }
  return SubroutineResult::None();
}

SubroutineResult onOpacityChanged(Args) {
  if (State().desktop != nullptr) {
    State().desktop->setOpacity(static_cast<int>(Read(settings_window::kOpacity, property::kSliderPosition)));
  }
  return SubroutineResult::None();
}

}  // namespace horavia::app
