#include "ui/controls/slider_bar.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cstdlib>

namespace horavia::ui::controls {
namespace {

QSlider::TickPosition TicksOf(base::Choice<TickMarks> marks) {
  switch (marks.value()) {
    case TickMarks::None: return QSlider::NoTicks;
    case TickMarks::Above: return QSlider::TicksAbove;
    case TickMarks::Both: return QSlider::TicksBothSides;
    default: return QSlider::TicksBelow;
  }
}

}  // namespace

QWidget* SliderBarUnit::Create(const UnitCreateParams& params) {
  SliderBarData data;
  if (readSliderBarData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new SliderBarUnit(params, std::move(data));
}

SliderBarUnit::SliderBarUnit(const UnitCreateParams& params, SliderBarData data)
    : QSlider(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  setOrientation(data_.orientation == Orientation::Vertical ? Qt::Vertical : Qt::Horizontal);
  setTickPosition(TicksOf(data_.tickMarks));
  applyRange();
  setValue(data_.position);
  data_.position = value();
  // Actions come from the user alone (keys, clicks on the groove, the wheel,
  // each move of a dragged thumb); setValue from code triggers none, and
  // letting go of the thumb triggers none either.
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
    if (action != QAbstractSlider::SliderNoAction) userScrolled();
  });
}

SliderBarUnit::~SliderBarUnit() { ReportUnitDestroyed(id_); }

void SliderBarUnit::userScrolled() {
  // During the action the control's position is already the new one.
  data_.position = sliderPosition();
  RaiseUnitEvent(id_, 0);
}

// The range runs from the smaller to the larger of minimum and maximum; the
// steps and the tick frequency are at most the range's width and at least 1.
void SliderBarUnit::applyRange() {
  setRange(std::min(data_.minimum, data_.maximum), std::max(data_.minimum, data_.maximum));
  applySteps();
  update();
}

void SliderBarUnit::applySteps() {
  const std::int32_t width = std::abs(data_.maximum - data_.minimum);
  auto limited = [width](std::int32_t v) { return std::max(1, std::min(v, width)); };
  setTickInterval(limited(data_.tickFrequency));
  setPageStep(limited(data_.pageSize));
  setSingleStep(limited(data_.lineSize));
}

std::int32_t SliderBarUnit::apply(SliderBarHook hook) {
  switch (hook) {
    case SliderBarHook::Redraw: update(); return 0;
    // Orientation, tick marks and the selection's display change the kind
    // of control the unit is: the engine re-creates it from writeBack.
    case SliderBarHook::Recreate: return 1;
    case SliderBarHook::Steps: applySteps(); return 0;
    case SliderBarHook::Range:
      applyRange();
      data_.position = sliderPosition();
      return 0;
    default: return 0;
  }
}

RawProperty SliderBarUnit::liveValue(SliderBarHook) const {
  RawProperty v;
  v.number = sliderPosition();
  return v;
}

void SliderBarUnit::setLive(SliderBarHook, const RawProperty& value) {
  setValue(static_cast<int>(value.number));
  data_.position = sliderPosition();
}

void SliderBarUnit::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  QPainter painter(this);
  if (data_.selectionShown != 0 && data_.selectionLength > 0) {
    // The selected part of the range, as a band along the groove.
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const bool across = orientation() == Qt::Horizontal;
    const int span = across ? groove.width() : groove.height();
    auto at = [&](int value) {
      return QStyle::sliderPositionFromValue(minimum(), maximum(), std::clamp(value, minimum(), maximum()), span,
                                             !across);
    };
    const int from = at(data_.selectionStart), to = at(data_.selectionStart + data_.selectionLength);
    const QRect band = across ? QRect(groove.left() + from, groove.center().y() - 1, to - from, 3)
                              : QRect(groove.center().x() - 1, groove.top() + std::min(from, to), 3, std::abs(to - from));
    painter.fillRect(band, palette().color(QPalette::Highlight));
  }
  if (data_.border != EdgeStyle::None) {
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.state |= data_.border == EdgeStyle::Raised ? QStyle::State_Raised : QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  }
}

}  // namespace horavia::ui::controls
