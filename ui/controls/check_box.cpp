#include "ui/controls/check_box.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {

QWidget* CheckBoxUnit::Create(const UnitCreateParams& params) {
  CheckBoxData data;
  if (readCheckBoxData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new CheckBoxUnit(params, std::move(data));
}

CheckBoxUnit::CheckBoxUnit(const UnitCreateParams& params, CheckBoxData data)
    : QAbstractButton(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  for (CheckBoxHook hook : {CheckBoxHook::Caption, CheckBoxHook::Font, CheckBoxHook::Picture}) apply(hook);
  EventSuppressor::Scope quiet(suppress_);
  setChecked(data_.checked == 1);
  // A click by the user (mouse, Space, its mnemonic) is the only source of
  // event 0; setChecked from code emits no clicked.
  connect(this, &QAbstractButton::clicked, this, [this] {
    if (!suppress_.active()) RaiseUnitEvent(id_, 0);
  });
}

CheckBoxUnit::~CheckBoxUnit() { ReportUnitDestroyed(id_); }

std::int32_t CheckBoxUnit::apply(CheckBoxHook hook) {
  switch (hook) {
    // The engine's mnemonic handling reads the caption from the text property.
    case CheckBoxHook::Caption: setText(FromCp936(data_.caption)); break;
    case CheckBoxHook::Font:
      if (!data_.font.empty()) setFont(QFontOf(FontFromRecord(data_.font)));
      break;
    case CheckBoxHook::Picture: picture_ = DecodeImage(data_.picture); break;
    default: break;
  }
  update();
  return 0;
}

// Checked exactly when the control reports its check state as on; setting it
// raises no click.
RawProperty CheckBoxUnit::liveValue(CheckBoxHook) const {
  RawProperty v;
  v.number = isChecked() ? 1 : 0;
  return v;
}

void CheckBoxUnit::setLive(CheckBoxHook, const RawProperty& value) {
  EventSuppressor::Scope quiet(suppress_);
  setChecked(value.number != 0);
}

// [painting] -------------------------------------------------------------------

QRect CheckBoxUnit::indicatorRect() const {
  const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
  const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
  const Qt::Alignment side = data_.textOnLeft ? Qt::AlignRight : Qt::AlignLeft;
  return QStyle::alignedRect(Qt::LeftToRight, side | VerticalAlignment(data_.verticalAlign), QSize(w, h), rect());
}

void CheckBoxUnit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if ((data_.backColour & base::kDefaultColour) == 0) painter.fillRect(rect(), ColourOf(data_.backColour, {}));
  QStyleOptionButton option;
  option.initFrom(this);
  option.state |= isChecked() ? QStyle::State_On : QStyle::State_Off;
  if (isDown()) option.state |= QStyle::State_Sunken;
  const Qt::Alignment alignment =
      HorizontalAlignment(data_.horizontalAlign) | VerticalAlignment(data_.verticalAlign);
  const QColor textColour = ColourOf(data_.textColour, palette().color(QPalette::ButtonText));
  const QImage* picture = picture_ ? &*picture_ : nullptr;

  QRect label;
  if (data_.pushLike) {
    if (data_.flat) option.features |= QStyleOptionButton::Flat;
    if (isChecked()) option.state |= QStyle::State_Sunken;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    label = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  } else {
    const QRect indicator = indicatorRect();
    QStyleOptionButton box = option;
    box.rect = indicator;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter, this);
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
    label = data_.textOnLeft ? QRect(0, 0, indicator.left() - spacing, height())
                             : QRect(indicator.right() + 1 + spacing, 0, width() - indicator.right() - 1 - spacing,
                                     height());
  }
  DrawCaption(painter, *this, label, alignment, text(), picture, textColour, false);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = label;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

}  // namespace horavia::ui::controls
