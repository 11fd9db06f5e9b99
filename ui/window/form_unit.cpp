// Index
//   [creation]    Create, the constructor, flags, start position, icon
//   [properties]  the hooks of the window's table (ui/forms/window_data.h)
//   [shape]       geometric shapes and shapes from pictures
//   [painting]    background colour and picture
//   [music]       background music
//   [events]      close, move, resize, show, hide, activation, private messages
#include "ui/window/form_unit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstring>

#include "platform/qt_platform.h"
#include "ui/units/pictures.h"
#include "ui/units/private_message.h"
#include "ui/units/qt_text.h"
#include "ui/window/outline_cutter.h"
#include "ui/window/shapes.h"
#include "ui/window/window_services.h"

namespace horavia::ui {
namespace {

bool IsResizableBorder(base::Choice<WindowBorder> border) {
  return border == WindowBorder::Resizable || border == WindowBorder::ResizableTool ||
         border == WindowBorder::ResizableSunken;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
  std::size_t n = std::strlen(tag);
  if (bytes.size() < at + n) return false;
  return std::equal(tag, tag + n, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

QRegion GeometricRegion(base::Choice<WindowShape> shape, int width, int height) {
  QRect rect(0, 0, width, height);
  switch (shape.value()) {
    case WindowShape::Ellipse: return QRegion(rect, QRegion::Ellipse);
    case WindowShape::RoundedRectangle: {
      int d = std::min(width / 5, height / 5);
      QPainterPath path;
      path.addRoundedRect(QRectF(rect), d / 2.0, d / 2.0);
      return QRegion(path.toFillPolygon().toPolygon());
    }
    case WindowShape::Ring: {
      QRect inner = rect.adjusted(width / 4, height / 4, -(width / 4), -(height / 4));
      return QRegion(rect, QRegion::Ellipse).subtracted(QRegion(inner, QRegion::Ellipse));
    }
    default: {
      QPolygon polygon;
      for (ShapePoint p : ScaledOutline(shape.number(), width, height)) polygon << QPoint(p.x, p.y);
      return QRegion(polygon, Qt::WindingFill);
    }
  }
}

}  // namespace

void InstallWindowType() { InstallUnit<CWinFormUnit>(unit_type::kWindow); }

// [creation] -------------------------------------------------------------------

CWinFormUnit* CWinFormUnit::Create(const UnitCreateParams& params) {
  WindowData data;
  if (readWindowData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  QWidget* owner = params.parent;
  // Without an owner, a modal window or one kept off the taskbar is owned by
  // the hidden runtime window, so no taskbar button appears for it.
  if (owner == nullptr && (params.modal || data.showInTaskbar == 0) && params.windows != nullptr) {
    owner = params.windows->hiddenOwner();
  }
  return new CWinFormUnit(params, std::move(data), owner);
}

CWinFormUnit::CWinFormUnit(const UnitCreateParams& params, WindowData data, QWidget* owner)
    : QWidget(owner, Qt::Window),
      services_(params.windows),
      formId_(params.formId),
      unitId_(params.unitId),
      data_(std::move(data)),
      modal_(params.modal),
      offTaskbar_(data_.showInTaskbar == 0) {
  QObject::setProperty("windowClass", QString::fromLatin1(data_.className.empty() ? kDefaultWindowClass
                                                                          : data_.className.c_str()));
  setWindowTitle(FromCp936(data_.title));
  setAttribute(Qt::WA_DeleteOnClose, false);
  if (params.style & unit_style::kDisabled) setEnabled(false);
  applyWindowFlags();
  move(params.left, params.top);
  resize(std::max(0, params.width), std::max(0, params.height));
  applyStartPosition();
  applyIcon();
  if (data_.shape != WindowShape::None) applyShape();
  startMusic();
  reportedPos_ = pos();
  reportedSize_ = size();
}

CWinFormUnit::~CWinFormUnit() {
  stopMusic();
  if (services_ != nullptr) services_->windowDestroyed(*this);
}

void CWinFormUnit::applyWindowFlags() {
  // Tool windows have no taskbar button, and Qt names their owner to the
  // platform (the hidden runtime window for those kept off the taskbar).
  Qt::WindowFlags flags = Qt::Window;
  const bool tool = data_.border == WindowBorder::ResizableTool || data_.border == WindowBorder::FixedTool;
  if (tool || offTaskbar_) flags = Qt::Tool;
  if (data_.border == WindowBorder::None) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint;
    if (!data_.title.empty() || data_.controlBox) flags |= Qt::WindowTitleHint;
    if (data_.controlBox) flags |= Qt::WindowSystemMenuHint;
    if (data_.controlBox && data_.closable) flags |= Qt::WindowCloseButtonHint;
    if (data_.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    if (data_.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  }
  if (data_.alwaysOnTop == 1) flags |= Qt::WindowStaysOnTopHint;
  if (passesInput_) flags |= Qt::WindowTransparentForInput;
  if (flags == windowFlags()) return;
  bool wasVisible = isVisible();
  setWindowFlags(flags);
  if (wasVisible) show();
}

// Told to the native window alone: setting the widget's flags would make
// the native window anew (a new id, a moment hidden).
void CWinFormUnit::setInputPassesThrough(bool on) {
  if (passesInput_ == on) return;
  passesInput_ = on;
  overrideWindowFlags(windowFlags().setFlag(Qt::WindowTransparentForInput, on));
  if (windowHandle() == nullptr) return;
  windowHandle()->setFlag(Qt::WindowTransparentForInput, on);
  // Input taken again covers the whole window: a translucent one cuts it
  // to its outline again.
  if (!on && cutter_ != nullptr) applyNativeShape();
}

void CWinFormUnit::useTranslucentOutline() {
  if (cutter_ != nullptr) return;
  setAttribute(Qt::WA_TranslucentBackground);
  cutter_ = new OutlineCutter(this);
  cutter_->show();
  applyNativeShape();
}

void CWinFormUnit::applyStartPosition() {
  QScreen* screen = QGuiApplication::primaryScreen();
  switch (data_.startPosition.value()) {
    case StartPosition::Centred:
      if (screen != nullptr) {
        QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
      }
      break;
    case StartPosition::Minimized: setWindowState(Qt::WindowMinimized); break;
    case StartPosition::Maximized:
      if (IsResizableBorder(data_.border)) setWindowState(Qt::WindowMaximized);
      break;
    default: break;
  }
}

// An icon of the window's own, else the application's default icon (the
// program supplies none of its own, so Qt's default shows).
void CWinFormUnit::applyIcon() {
  std::optional<QIcon> icon = DecodeIcon(data_.icon);
  setWindowIcon(icon ? *icon : QApplication::windowIcon());
}

void CWinFormUnit::applyAlwaysOnTop() {
  applyWindowFlags();
  if (data_.alwaysOnTop == 1 || services_ == nullptr) return;
  // Switching one window off must not let the others that stay on top and
  // have no taskbar button sink below it.
  for (CWinFormUnit* other : services_->liveWindows()) {
    if (other != this && other->data_.alwaysOnTop == 1 && other->data_.showInTaskbar == 0) other->raise();
  }
}

void CWinFormUnit::setMenu(BuiltMenu menu) {
  delete menuBar_;
  menuBar_ = menu.bar.release();
  accelerators_ = std::move(menu.accelerators);
  if (menuBar_ == nullptr) return;
  // A shown menu bar lies over the top of the client area; no form of this
  // program shows one (its only menu title is hidden).
  menuBar_->setParent(this);
  menuBar_->setGeometry(0, 0, width(), menuBar_->sizeHint().height());
  // A chosen item arrives as a command message, as one from a pop-up does.
  QObject::connect(menuBar_, &QMenuBar::triggered, this, [this](QAction* action) {
    std::optional<std::int32_t> id = CommandIdOf(action);
    if (id) QCoreApplication::postEvent(this, new PrivateMessageEvent(private_message::kCommand, *id));
  });
  menuBar_->show();
}

void CWinFormUnit::command(std::int32_t commandId) {
  if (services_ != nullptr) services_->menuCommand(*this, commandId);
}

void CWinFormUnit::reenableDisabled() {
  for (auto& [window, wasEnabled] : disabled_) {
    if (window) window->setEnabled(wasEnabled);
  }
  disabled_.clear();
}

// [properties] -----------------------------------------------------------------

std::int32_t CWinFormUnit::apply(WindowHook hook) {
  switch (hook) {
    case WindowHook::Title:
      setWindowTitle(FromCp936(data_.title));
      applyWindowFlags();
      break;
    case WindowHook::Frame: applyWindowFlags(); break;
    case WindowHook::Redraw: update(); break;
    case WindowHook::Background:
      backgroundImage_.reset();
      backgroundDecoded_ = false;
      update();
      break;
    case WindowHook::Music:
      stopMusic();
      startMusic();
      break;
    case WindowHook::Icon: applyIcon(); break;
    case WindowHook::AlwaysOnTop: applyAlwaysOnTop(); break;
    default: break;
  }
  return 0;
}

RawProperty CWinFormUnit::liveValue(WindowHook hook) const {
  RawProperty v;
  v.number = hook == WindowHook::Shape ? data_.shape.number() : data_.startPosition.number();
  return v;
}

// Writing the start position places a shown window again; writing the shape
// cuts the outline again (shape 0 removes a picture's outline too).
void CWinFormUnit::setLive(WindowHook hook, const RawProperty& value) {
  const auto number = static_cast<std::int32_t>(value.number);
  if (hook == WindowHook::Shape) {
    data_.shape = number;
    applyShape();
    return;
  }
  data_.startPosition = number;
  if (!isVisible()) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  switch (data_.startPosition.value()) {
    case StartPosition::AsStored: showNormal(); break;
    case StartPosition::Centred:
      showNormal();
      applyStartPosition();
      break;
    case StartPosition::Minimized: showMinimized(); break;
    default:
      if (IsResizableBorder(data_.border)) {
        showMaximized();
      } else if (screen != nullptr) {
        setGeometry(screen->geometry());
      }
      break;
  }
}

// [shape] ----------------------------------------------------------------------

void CWinFormUnit::applyShape() {
  region_ = data_.shape == WindowShape::None ? QRegion() : GeometricRegion(data_.shape, width(), height());
  applyNativeShape();
}

bool CWinFormUnit::applyPictureShape(std::span<const std::uint8_t> picture, std::uint32_t colour, int percent) {
  std::optional<QRegion> region = PictureRegion(picture, colour, percent);
  if (!region || region->isEmpty()) return false;
  region_ = *region;
  applyNativeShape();
  update();
  return true;
}

// The outline goes to the native window alone, never through QWidget's own
// mask: a widget mask also clips every paint of the units inside to the
// outline's hundreds of rectangles, which sends each repaint of the clock
// down the toolkit's span-by-span path (handed to a thread pool and waited
// for). The window system cuts the outline by itself. A native window made
// anew (WinIdChange) is given the outline again.
//
// A translucent window shows its outline by its alpha instead: the X server
// leaves what lies outside a bounding shape out of reach of the window's
// paints (a capture reads the pixels under the window there, opaque), so
// the whole rectangle stays the window's, the cutter clears what lies
// outside the outline, and the outline cuts the input alone.
void CWinFormUnit::applyNativeShape() {
  QWindow* native = windowHandle();
  if (cutter_ != nullptr) {
    cutter_->setOutline(region_);
    if (native == nullptr) return;
    if (!native->mask().isEmpty()) native->setMask(QRegion());
    if (!passesInput_) platform::SetInputRegion(*native, region_);
    return;
  }
  if (native == nullptr || native->mask() == region_) return;
  native->setMask(region_);
}

// [painting] -------------------------------------------------------------------

const QImage* CWinFormUnit::background() {
  if (!backgroundDecoded_) {
    backgroundDecoded_ = true;
    backgroundImage_ = DecodePictureImage(data_.backgroundPicture);
  }
  return backgroundImage_ ? &*backgroundImage_ : nullptr;
}

void CWinFormUnit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QColor fill = data_.backColour == base::kDefaultColour
                    ? palette().color(QPalette::Button)
                    : QColor(data_.backColour & 0xFF, (data_.backColour >> 8) & 0xFF, (data_.backColour >> 16) & 0xFF);
  painter.fillRect(rect(), fill);
  const QImage* picture = background();
  if (picture == nullptr) return;
  switch (data_.pictureMode.value()) {
    case PictureMode::TopLeft: painter.drawImage(0, 0, *picture); break;
    case PictureMode::Tiled: painter.drawTiledPixmap(rect(), QPixmap::fromImage(*picture)); break;
    case PictureMode::Centred: {
      QSize size = picture->size();
      if (size.width() > width() || size.height() > height()) size.scale(this->size(), Qt::KeepAspectRatio);
      QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
      painter.drawImage(target, *picture);
      break;
    }
    default: painter.drawImage(rect(), *picture); break;
  }
}

// [music] ----------------------------------------------------------------------

void CWinFormUnit::startMusic() {
  if (data_.music.empty() || data_.musicMode == MusicMode::NoAutomaticPlay || services_ == nullptr) return;
  std::span<const std::uint8_t> music = data_.music;
  // WAVE music plays through the music player. MIDI music is accepted and
  // stays silent: nothing here plays MIDI, and the program's forms carry no
  // background music at all.
  if (StartsWith(music, 0, "RIFF") && StartsWith(music, 8, "WAVE") && services_->musicPlayer() != nullptr) {
    services_->musicPlayer()->play(music, data_.musicMode == MusicMode::Loop);
    playingMusic_ = true;
  }
}

// Only the music this window started: the player is shared by the windows.
void CWinFormUnit::stopMusic() {
  if (!playingMusic_) return;
  playingMusic_ = false;
  if (services_ != nullptr && services_->musicPlayer() != nullptr) services_->musicPlayer()->stop();
}

// [events] ---------------------------------------------------------------------

void CWinFormUnit::raiseOwnEvent(std::int32_t event) {
  if (services_ != nullptr) services_->raiseWindowEvent(*this, event);
}

bool CWinFormUnit::event(QEvent* event) {
  if (event->type() == PrivateMessageEvent::Type()) {
    auto* message = static_cast<PrivateMessageEvent*>(event);
    if (message->number() == private_message::kCommand) command(static_cast<std::int32_t>(message->param()));
    if (message->number() == private_message::kCloseRequest) close();
    return true;
  }
  if (event->type() == QEvent::WinIdChange) applyNativeShape();
  return QWidget::event(event);
}

void CWinFormUnit::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  EventOutcome outcome =
      services_ != nullptr ? services_->raiseWindowEvent(*this, window_event::kCloseRequested) : EventOutcome{};
  if (outcome.swallows()) {
    closeRequested_ = false;  // kept open: no longer on its way out
    event->ignore();
    return;
  }
  event->accept();
  if (services_ != nullptr) services_->windowClosing(*this);
}

void CWinFormUnit::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (pos() == reportedPos_) return;
  reportedPos_ = pos();
  raiseOwnEvent(window_event::kMoved);
}

void CWinFormUnit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A picture region survives resizing; only a geometric shape follows it.
  if (data_.shape != WindowShape::None) {
    applyShape();
  } else if (cutter_ != nullptr) {
    cutter_->setOutline(region_);  // its mask follows the window's size
  }
  if (menuBar_ != nullptr) menuBar_->resize(width(), menuBar_->height());
  if (size() == reportedSize_) return;
  reportedSize_ = size();
  raiseOwnEvent(window_event::kResized);
}

void CWinFormUnit::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  raiseOwnEvent(window_event::kShown);
}

void CWinFormUnit::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  raiseOwnEvent(window_event::kHidden);
}

void CWinFormUnit::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (!isActiveWindow()) {
    raiseOwnEvent(window_event::kDeactivated);
    return;
  }
  // A disabled window (a modal one is open) hands activation to the modal one.
  if (!isEnabled() && hasBeenActive_ && services_ != nullptr) {
    CWinFormUnit* modal = services_->modalWindow();
    if (modal != nullptr && modal != this && modal->isVisible() && modal->isEnabled()) {
      modal->activateWindow();
      return;
    }
  }
  if (!hasBeenActive_) {
    hasBeenActive_ = true;
    raiseOwnEvent(window_event::kFirstActivated);
  }
  raiseOwnEvent(window_event::kActivated);
}

}  // namespace horavia::ui
