#include "ui/controls/slider_bar.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cstdlib>

namespace horavia::ui::controls {
namespace {

using namespace slider_bar_property;

constexpr std::int32_t kMaxValue = 32767;

std::int32_t Clamp(std::int64_t v, std::int32_t low, std::int32_t high) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, low, high));
}

QSlider::TickPosition TicksOf(std::int32_t marks) {
  switch (marks) {
    case 0: return QSlider::NoTicks;
    case 1: return QSlider::TicksAbove;
    case 3: return QSlider::TicksBothSides;
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
  setOrientation(data_.orientation == 1 ? Qt::Vertical : Qt::Horizontal);
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

RawProperty SliderBarUnit::getProperty(std::int32_t number) const {
  RawProperty v;
  switch (number) {
    case kBorder: v.number = data_.border; break;
    case kOrientation: v.number = data_.orientation; break;
    case kTickMarks: v.number = data_.tickMarks; break;
    case kTickFrequency: v.number = data_.tickFrequency; break;
    case kSelectionShown: v.number = data_.selectionShown; break;
    case kSelectionStart: v.number = data_.selectionStart; break;
    case kSelectionLength: v.number = data_.selectionLength; break;
    case kPageSize: v.number = data_.pageSize; break;
    case kLineSize: v.number = data_.lineSize; break;
    case kMinimum: v.number = data_.minimum; break;
    case kMaximum: v.number = data_.maximum; break;
    case kPosition: v.number = sliderPosition(); break;
    default: break;
  }
  return v;
}

// Orientation, tick marks and the selection's display change the kind of
// control the unit is: the engine re-creates it from what writeBack gives.
std::int32_t SliderBarUnit::setProperty(std::int32_t number, const RawProperty& v) {
  switch (number) {
    case kBorder: data_.border = Clamp(v.number, 0, 5); update(); return 0;
    case kOrientation: data_.orientation = Clamp(v.number, 0, 1); return 1;
    case kTickMarks: data_.tickMarks = Clamp(v.number, 0, 3); return 1;
    case kTickFrequency: data_.tickFrequency = Clamp(v.number, 0, kMaxValue); applySteps(); return 0;
    case kSelectionShown: data_.selectionShown = static_cast<std::int32_t>(v.number); return 1;
    case kSelectionStart: data_.selectionStart = Clamp(v.number, 0, kMaxValue); update(); return 0;
    case kSelectionLength: data_.selectionLength = Clamp(v.number, 0, kMaxValue); update(); return 0;
    case kPageSize: data_.pageSize = Clamp(v.number, 1, kMaxValue); applySteps(); return 0;
    case kLineSize: data_.lineSize = Clamp(v.number, 1, kMaxValue); applySteps(); return 0;
    case kMinimum: data_.minimum = Clamp(v.number, 0, kMaxValue); applyRange(); break;
    case kMaximum: data_.maximum = Clamp(v.number, 0, kMaxValue); applyRange(); break;
    case kPosition: setValue(Clamp(v.number, 0, kMaxValue)); break;
    default: return 0;
  }
  data_.position = sliderPosition();
  return 0;
}

Bytes SliderBarUnit::writeBack() const {
  SliderBarData data = data_;
  data.position = sliderPosition();
  return writeSliderBarData(data);
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
  if (data_.border != 0) {
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.state |= data_.border == 2 ? QStyle::State_Raised : QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
  }
}

}  // namespace horavia::ui::controls
