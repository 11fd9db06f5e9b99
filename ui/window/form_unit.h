// CWinFormUnit: the live window of a loaded form, with the window data of its
// form and everything the engine keeps per window (modal state, menu,
// accelerators, icons, shape, the decoded background).
#pragma once

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "ui/forms/window_data.h"
#include "ui/menu/menu_builder.h"
#include "ui/units/property_table.h"

class QMenuBar;

namespace horavia::ui {
class OutlineCutter;
}

namespace horavia::ui {

class WindowServices;

// The window's events, by number.
namespace window_event {
constexpr std::int32_t kCreated = 0;
constexpr std::int32_t kCloseRequested = 1;  // a false result keeps the window
constexpr std::int32_t kDestroyed = 2;
constexpr std::int32_t kMoved = 3;
constexpr std::int32_t kResized = 4;
constexpr std::int32_t kActivated = 5;
constexpr std::int32_t kDeactivated = 6;
constexpr std::int32_t kIdle = 7;           // milliseconds idle; true asks for more
constexpr std::int32_t kFirstActivated = 8;
constexpr std::int32_t kShown = 10;
constexpr std::int32_t kHidden = 11;
}  // namespace window_event

// The class name a window gets when its data names none.
inline constexpr const char* kDefaultWindowClass = "WTWindow";

class CWinFormUnit : public QWidget {
 public:
  static constexpr const auto& kTable = kWindowProperties;

  // Query 1 of the window type: the window from its stored data, or null when
  // the data cannot be read (a version above 6 included).
  static CWinFormUnit* Create(const UnitCreateParams& params);
  ~CWinFormUnit() override;
  static void* OtherQuery(std::int32_t) { return nullptr; }

  std::uint32_t formId() const { return formId_; }
  std::uint32_t unitId() const { return unitId_; }
  const WindowData& data() const { return data_; }
  bool modal() const { return modal_; }
  // On its way out: asked to close (the close runs after the current event)
  // or already closed.
  bool closing() const { return closeRequested_ || closed_; }
  void markClosing() { closeRequested_ = true; }
  // The closing path has run: the window has left the loaded forms.
  bool closed() const { return closed_; }
  void setClosed() { closed_ = true; }

  // Type-specific properties (number - 8), by the window's table; the window
  // is never re-created, so the set answers 0.
  RawProperty getProperty(std::int32_t index) const {
    return PropertyAccess::Get(*this, index + base::kFirstTypeProperty);
  }
  std::int32_t setProperty(std::int32_t index, const RawProperty& value) {
    return PropertyAccess::Set(*this, index + base::kFirstTypeProperty, value);
  }

  // The menu bar and accelerators; the window owns the bar.
  void setMenu(BuiltMenu menu);
  QMenuBar* menuBar() const { return menuBar_; }
  const std::vector<Accelerator>& accelerators() const { return accelerators_; }
  // A command message: ids of the menu run raise event 0 of their item.
  void command(std::int32_t commandId);

  // The region of every pixel of the picture not of `colour` becomes the
  // window's shape; false (and nothing changes) when no region results.
  bool applyPictureShape(std::span<const std::uint8_t> picture, std::uint32_t colour, int percent = 100);
  void applyShape();
  // The outline the native window is cut to (a translucent window: its
  // input and its alpha); empty for a plain rectangle.
  const QRegion& shapeRegion() const { return region_; }

  // Clicks and the pointer pass through the window to what lies below (on
  // X11 an empty input shape); the outline still shows.
  void setInputPassesThrough(bool on);
  bool inputPassesThrough() const { return passesInput_; }
  // A window with an alpha channel, transparent outside its outline, for a
  // desktop whose compositing manager shows alpha. The window system picks
  // the window's visual when it first shows, so this is asked before that.
  void useTranslucentOutline();

  // Modal bookkeeping: the windows this one disabled and whether they were
  // enabled before.
  void rememberDisabled(QWidget* window, bool wasEnabled) { disabled_.push_back({window, wasEnabled}); }
  void reenableDisabled();

  void setCreatedNotShown(bool value) { createdNotShown_ = value; }
  bool createdNotShown() const { return createdNotShown_; }

  // Applies the frame, caption and stacking flags from the window data.
  void applyWindowFlags();
  void startMusic();
  void stopMusic();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend struct PropertyAccess;
  CWinFormUnit(const UnitCreateParams& params, WindowData data, QWidget* owner);
  WindowData& record() { return data_; }
  const WindowData& record() const { return data_; }
  std::int32_t apply(WindowHook hook);
  RawProperty liveValue(WindowHook hook) const;
  void setLive(WindowHook hook, const RawProperty& value);
  void raiseOwnEvent(std::int32_t event);
  void applyIcon();
  void applyStartPosition();
  void applyAlwaysOnTop();
  void applyNativeShape();
  const QImage* background();

  WindowServices* services_;  // null for a window made outside an engine
  std::uint32_t formId_;
  std::uint32_t unitId_;
  WindowData data_;
  bool modal_;
  // Fixed at creation: the taskbar setting takes effect at the next load.
  bool offTaskbar_;
  bool closeRequested_ = false;
  bool closed_ = false;
  bool createdNotShown_ = false;
  bool hasBeenActive_ = false;
  bool playingMusic_ = false;  // this window started the music player
  bool passesInput_ = false;
  OutlineCutter* cutter_ = nullptr;  // a child; only in a translucent window
  std::vector<std::pair<QPointer<QWidget>, bool>> disabled_;
  QMenuBar* menuBar_ = nullptr;
  std::vector<Accelerator> accelerators_;
  QRegion region_;
  std::optional<QImage> backgroundImage_;
  bool backgroundDecoded_ = false;
  // What moved and resized events last reported, so showing a window does not
  // report its creation geometry a second time.
  QPoint reportedPos_;
  QSize reportedSize_;
};

// Installs the window type's interface function and property table into its
// type record.
void InstallWindowType();

}  // namespace horavia::ui
