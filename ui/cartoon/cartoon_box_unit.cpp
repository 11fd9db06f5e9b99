// Index
//   [creation]    stored data, window, border, background, the hooks
//   [host]        events, repaints, sounds and warnings for the box's logic
//   [painting]    border and the composed update rectangle
//   [input]       pointer events in client coordinates
#include "ui/cartoon/cartoon_box_unit.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <qdrawutil.h>

#include "platform/sound.h"
#include "runtime/library_links.h"

namespace horavia::ui {

namespace {

// Frame widths of the border styles: none, client edge, dialog frame,
// static edge, client edge inside a dialog frame, one-pixel line.
constexpr int kBorderWidth[6] = {0, 2, 3, 1, 5, 1};

std::uint32_t ColourValue(const QColor& c) {
  return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
         static_cast<std::uint32_t>(c.blue()) << 16;
}

}  // namespace

// [creation] -------------------------------------------------------------------

CartoonBoxUnit* CartoonBoxUnit::Create(const UnitCreateParams& params) {
  anim::CartoonBoxData data;
  if (anim::readCartoonBoxData(params.typeData, data) != anim::StoredStatus::Ok) return nullptr;
  anim::ClampBoxSettings(data);
  return new CartoonBoxUnit(params, std::move(data));
}

CartoonBoxUnit::CartoonBoxUnit(const UnitCreateParams& params, anim::CartoonBoxData data)
    : QWidget(params.parent),
      formId_(params.formId),
      unitId_(params.unitId),
      data_(std::move(data)),
      afterPaintTimer_([this] { runAfterPaint(); }) {
  box_ = std::make_unique<anim::CartoonBox>(static_cast<anim::BoxHost&>(*this));
  setGeometry(params.left, params.top, params.width, params.height);
  setMouseTracking(true);  // moves without a button pressed enter and leave objects
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A click gives the box the keyboard focus; Tab reaches it too when the
  // form says so.
  setFocusPolicy(params.style & unit_style::kTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  setEnabled((params.style & unit_style::kDisabled) == 0);
  applyBorder();
  applyBackground();
}

CartoonBoxUnit::~CartoonBoxUnit() {
  box_.reset();  // its objects go silently, before the window does
  runtime::ExtendedInterfaceLibraryLink().request(runtime::kServiceUnitDestroyed, formId_, unitId_);
}

void* CartoonBoxUnit::OtherQuery(std::int32_t query) {
  if (query != kQueryPropertyApplies) return nullptr;
  auto applies = [](QWidget* widget, std::int32_t index) {
    auto* unit = dynamic_cast<CartoonBoxUnit*>(widget);
    return unit != nullptr && anim::BoxPropertyApplies(unit->data_, index);
  };
  return reinterpret_cast<void*>(static_cast<PropertyAppliesFunction>(applies));
}

std::int32_t CartoonBoxUnit::apply(anim::BoxHook hook) {
  if (hook == anim::BoxHook::Border) applyBorder();
  if (hook == anim::BoxHook::Background) applyBackground();
  return 0;
}

void CartoonBoxUnit::applyBorder() {
  const int width = kBorderWidth[base::Clamp(data_.border.number(), 0, 5)];
  setContentsMargins(width, width, width, width);
  box_->resize(contentsRect().width(), contentsRect().height());
  update();
}

// The colour 0xFF000000 stands for the palette's button colour.
void CartoonBoxUnit::applyBackground() {
  const std::uint32_t colour =
      data_.backColor == anim::kDefaultColour ? ColourValue(palette().color(QPalette::Button)) : data_.backColor;
  box_->setBackground(data_.pic, data_.picDrawMode.number(), colour);
  update();
}

// [host] -----------------------------------------------------------------------

// Through the runtime's event request; the handler may close this window,
// so nothing of it is read after the request.
std::optional<std::int32_t> CartoonBoxUnit::RaiseEvent(anim::BoxEvent event, std::span<const std::int32_t> args) {
  runtime::PlainEventRecord record;
  record.formId = formId_;
  record.unitId = unitId_;
  record.event = event;
  record.argCount = static_cast<std::int32_t>(std::min<std::size_t>(args.size(), 5));
  std::copy_n(args.begin(), record.argCount, record.args);
  runtime::ExtendedInterfaceLibraryLink().request(runtime::kServiceRaiseEvent, reinterpret_cast<std::intptr_t>(&record));
  if (record.hasResult == 0) return std::nullopt;
  return record.result;
}

void CartoonBoxUnit::Invalidate(const anim::BoxRect& rect) {
  const QRect area = QRect(rect.left, rect.top, rect.width, rect.height).translated(contentsRect().topLeft());
  // One rectangle rather than a region of several: the box composes the
  // bounding rectangle anyway, and a rectangular clip lets the toolkit copy
  // the composed pixels straight instead of span by span.
  pending_ |= area;
  update(pending_);
  if (repaintListener_) repaintListener_();
}

void CartoonBoxUnit::UpdateNow() {
  if (pending_.isEmpty()) return;
  if (!isVisible()) {
    pending_ = QRect();  // painted in full when shown
    return;
  }
  repaint(pending_);
}

void CartoonBoxUnit::PlaySound(std::span<const std::uint8_t> wave) { platform::PlaySound(wave); }

void CartoonBoxUnit::Warn(std::string_view line) {
  std::fprintf(stderr, "horavia: %.*s\n", static_cast<int>(line.size()), line.data());
}

// [painting] -------------------------------------------------------------------

void CartoonBoxUnit::drawBorder(QPainter& painter) {
  const QPalette& colours = palette();
  const QRect all = rect();
  switch (data_.border.value()) {
    case anim::BoxBorder::Sunken: qDrawWinPanel(&painter, all, colours, true); break;
    case anim::BoxBorder::Raised:
      qDrawWinPanel(&painter, all, colours, false);
      qDrawPlainRect(&painter, all.adjusted(2, 2, -2, -2), colours.color(QPalette::Button));
      break;
    case anim::BoxBorder::ShallowSunken: qDrawShadePanel(&painter, all, colours, true, 1); break;
    case anim::BoxBorder::Framed:
      qDrawWinPanel(&painter, all, colours, false);
      qDrawPlainRect(&painter, all.adjusted(2, 2, -2, -2), colours.color(QPalette::Button));
      qDrawWinPanel(&painter, all.adjusted(3, 3, -3, -3), colours, true);
      break;
    case anim::BoxBorder::SingleLine: qDrawPlainRect(&painter, all, Qt::black); break;
    default: break;
  }
}

void CartoonBoxUnit::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect client = contentsRect();
  if (data_.border != anim::BoxBorder::None && !client.contains(event->rect())) drawBorder(painter);
  const QRect area = event->rect() & client;
  if (!area.isEmpty()) {
    buffer_.resize(static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height()));
    const anim::BoxRect boxArea{area.x() - client.x(), area.y() - client.y(), area.width(), area.height()};
    // The toolkit reads the fourth byte as opacity.
    box_->compose(boxArea, {buffer_.data(), area.width(), area.height()}, 0xFF000000);
    painter.drawImage(area.topLeft(), QImage(reinterpret_cast<const uchar*>(buffer_.data()), area.width(),
                                             area.height(), area.width() * 4, QImage::Format_RGB32));
    // The steps' rectangles are small: a buffer grown for a larger repaint
    // (the first frame, a new skin) is let go rather than kept for them.
    if (buffer_.size() > static_cast<std::size_t>(client.width()) * static_cast<std::size_t>(client.height()) / 4) {
      std::vector<std::uint32_t>().swap(buffer_);
    }
  }
  if (afterPaint_) afterPaintTimer_.startIn(0);
  if (!(QRegion(pending_) - event->region()).isEmpty()) return;
  pending_ = QRect();
  box_->painted();
}

void CartoonBoxUnit::runAfterPaint() {
  std::function<void()> then = std::move(afterPaint_);
  afterPaint_ = nullptr;
  if (then) then();
}

void CartoonBoxUnit::resizeEvent(QResizeEvent*) { box_->resize(contentsRect().width(), contentsRect().height()); }

void CartoonBoxUnit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange && data_.backColor == anim::kDefaultColour) applyBackground();
  QWidget::changeEvent(event);
}

// [input] ----------------------------------------------------------------------

QPoint CartoonBoxUnit::clientPoint(const QMouseEvent* event) const {
  return event->position().toPoint() - contentsRect().topLeft();
}

// Each box call answers false when a handler destroyed the box, and with it
// this window: then nothing of it may be touched.
void CartoonBoxUnit::mousePressEvent(QMouseEvent* event) {
  // A click activates the box: it takes the keyboard focus first.
  setFocus(Qt::MouseFocusReason);
  const QPoint at = clientPoint(event);
  if (event->button() == Qt::LeftButton) box_->leftDown(at.x(), at.y());
  if (event->button() == Qt::RightButton) box_->rightDown(at.x(), at.y());
}

void CartoonBoxUnit::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = clientPoint(event);
  if (event->button() == Qt::LeftButton) box_->leftUp(at.x(), at.y());
  if (event->button() == Qt::RightButton) box_->rightUp(at.x(), at.y());
}

// Only the left button's double click is an event of the box; the second
// press of any double click is not a press of its own.
void CartoonBoxUnit::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = clientPoint(event);
  if (event->button() == Qt::LeftButton) box_->doubleClick(at.x(), at.y());
}

void CartoonBoxUnit::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = clientPoint(event);
  box_->pointerMoved(at.x(), at.y(), (event->buttons() & Qt::LeftButton) != 0);
}

void CartoonBoxUnit::leaveEvent(QEvent*) { box_->pointerLeft(); }

}  // namespace horavia::ui
