#include "ui/controls/check_box.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {

using namespace check_box_property;

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
  applyData();
  EventSuppressor::Scope quiet(suppress_);
  setChecked(data_.checked == 1);
  // A click by the user (mouse, Space, its mnemonic) is the only source of
  // event 0; setChecked from code emits no clicked.
  connect(this, &QAbstractButton::clicked, this, [this] {
    if (!suppress_.active()) RaiseUnitEvent(id_, 0);
  });
}

CheckBoxUnit::~CheckBoxUnit() { ReportUnitDestroyed(id_); }

void CheckBoxUnit::applyData() {
  // The engine's mnemonic handling reads the caption from the text property.
  setText(FromCp936(data_.caption));
  if (!data_.font.empty()) setFont(QFontOf(FontFromRecord(data_.font)));
  picture_ = DecodeImage(data_.picture);
  update();
}

RawProperty CheckBoxUnit::getProperty(std::int32_t number) const {
  RawProperty v;
  switch (number) {
    case kPicture: v.bytes = data_.picture; break;
    case kPushLike: v.number = data_.pushLike; break;
    case kFlat: v.number = data_.flat; break;
    case kCaption: v.text = data_.caption; break;
    case kTextOnLeft: v.number = data_.textOnLeft; break;
    case kHorizontalAlign: v.number = data_.horizontalAlign; break;
    case kVerticalAlign: v.number = data_.verticalAlign; break;
    case kTextColour: v.number = data_.textColour; break;
    case kBackColour: v.number = data_.backColour; break;
    case kFont: v.font = FontFromRecord(data_.font); break;
    // Checked exactly when the control reports its check state as on.
    case kChecked: v.number = isChecked() ? 1 : 0; break;
    case kExtraText1: v.text = data_.extraText1; break;
    case kExtraText2: v.text = data_.extraText2; break;
    default: break;
  }
  return v;
}

std::int32_t CheckBoxUnit::setProperty(std::int32_t number, const RawProperty& v) {
  EventSuppressor::Scope quiet(suppress_);
  switch (number) {
    case kPicture: data_.picture = v.bytes; break;
    case kPushLike: data_.pushLike = Flag(v); break;
    case kFlat: data_.flat = Flag(v); break;
    case kCaption: data_.caption = v.text; break;
    case kTextOnLeft: data_.textOnLeft = Flag(v); break;
    case kHorizontalAlign: data_.horizontalAlign = ClampChoice(v.number, 2); break;
    case kVerticalAlign: data_.verticalAlign = ClampChoice(v.number, 2); break;
    case kTextColour: data_.textColour = static_cast<std::uint32_t>(v.number); break;
    case kBackColour: data_.backColour = static_cast<std::uint32_t>(v.number); break;
    case kFont: data_.font = RecordFromFont(v.font); break;
    case kChecked: setChecked(v.number != 0); return 0;
    case kExtraText1: data_.extraText1 = v.text; return 0;
    case kExtraText2: data_.extraText2 = v.text; return 0;
    default: return 0;
  }
  applyData();
  return 0;
}

Bytes CheckBoxUnit::writeBack() const {
  CheckBoxData data = data_;
  data.checked = isChecked() ? 1 : 0;
  return writeCheckBoxData(data);
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
  if ((data_.backColour & 0xFF000000u) == 0) painter.fillRect(rect(), ColourOf(data_.backColour, {}));
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
