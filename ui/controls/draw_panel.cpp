#include "ui/controls/draw_panel.h"

#include <QPainter>
#include <QResizeEvent>

#include "runtime/commands/panel_drawing.h"

namespace horavia::ui::controls {
namespace {

namespace rc = runtime::commands;

DrawPanelUnit* PanelOf(QWidget* w) { return dynamic_cast<DrawPanelUnit*>(w); }

void Clear(QWidget* w, const PanelArea& area) {
  if (DrawPanelUnit* panel = PanelOf(w)) panel->clearArea(area);
}
void Fill(QWidget* w, const PanelArea& area, std::int32_t mode, std::span<const std::uint32_t> colours) {
  if (DrawPanelUnit* panel = PanelOf(w)) panel->fillGradient(area, mode, colours);
}
void Copy(QWidget* source, const PanelArea& area, QWidget* target, std::int32_t x, std::int32_t y, std::int32_t mode) {
  DrawPanelUnit* from = PanelOf(source);
  DrawPanelUnit* to = PanelOf(target);
  if (from != nullptr && to != nullptr) from->copyAreaTo(area, *to, x, y, mode);
}

runtime::UnitRect RectOf(const PanelArea& a) { return {a.left, a.top, a.width, a.height}; }

// The picture's pixels as the pure drawing rules take them: RGB32 rows are
// width pixels of 0xFFRRGGBB with no padding.
rc::PixelSurface SurfaceOf(QImage& image) {
  if (image.isNull() || image.bytesPerLine() != image.width() * 4) return {};
  auto* first = reinterpret_cast<std::uint32_t*>(image.bits());
  return {std::span<std::uint32_t>(first, static_cast<std::size_t>(image.width()) * image.height()), image.width(),
          image.height()};
}

}  // namespace

QWidget* DrawPanelUnit::Create(const UnitCreateParams& params) {
  DrawPanelData data;
  if (readDrawPanelData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new DrawPanelUnit(params, std::move(data));
}

DrawPanelUnit::DrawPanelUnit(const UnitCreateParams& params, DrawPanelData data)
    : QFrame(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  background_ = DecodeImage(data_.picture);
  setFrameStyle(FrameStyleOf(data_.border));
  ApplyCreateParams(*this, params);
  rebuildSurface(false);
}

DrawPanelUnit::~DrawPanelUnit() { ReportUnitDestroyed(id_); }

void* DrawPanelUnit::OtherQuery(std::int32_t query) {
  switch (query) {
    case kQueryClearPanel: return reinterpret_cast<void*>(&Clear);
    case kQueryFillPanel: return reinterpret_cast<void*>(&Fill);
    case kQueryCopyPanelArea: return reinterpret_cast<void*>(&Copy);
    default: return nullptr;
  }
}

// [the picture] ------------------------------------------------------------------

void DrawPanelUnit::paintBackground(const QRect& area) {
  if (surface_.isNull()) return;
  QPainter painter(&surface_);
  painter.setClipRect(area);
  painter.fillRect(area, ColourOf(data_.backColour, palette().color(QPalette::Button)));
  if (!background_) return;
  const QRect all = surface_.rect();
  switch (data_.pictureMode.value()) {
    case PictureMode::Tiled: painter.drawTiledPixmap(all, QPixmap::fromImage(*background_)); break;
    case PictureMode::Centred: {
      QSize size = background_->size();
      if (size.width() > all.width() || size.height() > all.height()) size.scale(all.size(), Qt::KeepAspectRatio);
      painter.drawImage(QRect(QPoint((all.width() - size.width()) / 2, (all.height() - size.height()) / 2), size),
                        *background_);
      break;
    }
    case PictureMode::Stretched: painter.drawImage(all, *background_); break;
    default: painter.drawImage(0, 0, *background_); break;
  }
}

void DrawPanelUnit::rebuildSurface(bool keepDrawings) {
  const QSize size = contentsRect().size();
  if (size == surface_.size() && keepDrawings) return;
  QImage old = surface_;
  surface_ = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
  paintBackground(surface_.rect());
  if (keepDrawings && !old.isNull() && !surface_.isNull()) {
    QPainter painter(&surface_);
    painter.drawImage(0, 0, old);
  }
  update();
}

void DrawPanelUnit::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  rebuildSurface(data_.keepPicture != 0);
}

void DrawPanelUnit::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), surface_);
  }
  QFrame::paintEvent(event);
}

// [commands] ---------------------------------------------------------------------

void DrawPanelUnit::clearArea(const PanelArea& area) {
  paintBackground(QRect(area.left, area.top, area.width, area.height));
  position_ = QPoint(area.left, area.top);
  update();
}

void DrawPanelUnit::fillGradient(const PanelArea& area, std::int32_t mode, std::span<const std::uint32_t> colours) {
  rc::FillGradient(SurfaceOf(surface_), RectOf(area), mode, colours);
  update();
}

void DrawPanelUnit::copyAreaTo(const PanelArea& area, DrawPanelUnit& target, std::int32_t x, std::int32_t y,
                               std::int32_t mode) {
  rc::CopyArea(SurfaceOf(surface_), RectOf(area), SurfaceOf(target.surface_), x, y,
               rc::CopyModeOf(rc::OptionalInt(mode)));
  target.update();
}

// [properties] -------------------------------------------------------------------

std::int32_t DrawPanelUnit::apply(DrawPanelHook hook) {
  switch (hook) {
    case DrawPanelHook::Border:
      setFrameStyle(FrameStyleOf(data_.border));
      rebuildSurface(data_.keepPicture != 0);
      return 0;
    case DrawPanelHook::Picture: background_ = DecodeImage(data_.picture); break;
    case DrawPanelHook::Background: break;
    default: return 0;
  }
  // A new background shows at once; drawings made since are painted over.
  paintBackground(surface_.rect());
  update();
  return 0;
}

RawProperty DrawPanelUnit::liveValue(DrawPanelHook hook) const {
  RawProperty v;
  v.number = hook == DrawPanelHook::PositionX ? position_.x() : position_.y();
  return v;
}

void DrawPanelUnit::setLive(DrawPanelHook hook, const RawProperty& value) {
  if (hook == DrawPanelHook::PositionX) {
    position_.setX(static_cast<int>(value.number));
    return;
  }
  position_.setY(static_cast<int>(value.number));
}

}  // namespace horavia::ui::controls
