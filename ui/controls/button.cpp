#include "ui/controls/button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {
namespace {

using namespace button_property;

bool IsDefaultButton(QWidget* widget) {
  auto* button = dynamic_cast<ButtonUnit*>(widget);
  return button != nullptr && button->isDefaultButton();
}

}  // namespace

QWidget* ButtonUnit::Create(const UnitCreateParams& params) {
  ButtonData data;
  if (readButtonData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new ButtonUnit(params, std::move(data));
}

ButtonUnit::ButtonUnit(const UnitCreateParams& params, ButtonData data)
    : QPushButton(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  applyData();
  connect(this, &QAbstractButton::clicked, this, [this] { RaiseUnitEvent(id_, 0); });
}

ButtonUnit::~ButtonUnit() { ReportUnitDestroyed(id_); }

void* ButtonUnit::OtherQuery(std::int32_t query) {
  return query == kQueryIsDefaultButton ? reinterpret_cast<void*>(&IsDefaultButton) : nullptr;
}

void ButtonUnit::applyData() {
  setText(FromCp936(data_.caption));
  // The default button's look; Enter itself is the window's to handle.
  setDefault(data_.style == 1);
  if (!data_.font.empty()) setFont(QFontOf(FontFromRecord(data_.font)));
  picture_ = DecodeImage(data_.picture);
  update();
}

RawProperty ButtonUnit::getProperty(std::int32_t number) const {
  RawProperty v;
  switch (number) {
    case kCaption: v.text = data_.caption; break;
    case kStyle: v.number = data_.style; break;
    case kPicture: v.bytes = data_.picture; break;
    case kHorizontalAlign: v.number = data_.horizontalAlign; break;
    case kVerticalAlign: v.number = data_.verticalAlign; break;
    case kFont: v.font = FontFromRecord(data_.font); break;
    default: break;
  }
  return v;
}

std::int32_t ButtonUnit::setProperty(std::int32_t number, const RawProperty& v) {
  switch (number) {
    case kCaption: data_.caption = v.text; break;
    case kStyle: data_.style = ClampChoice(v.number, 1); break;
    case kPicture: data_.picture = v.bytes; break;
    case kHorizontalAlign: data_.horizontalAlign = ClampChoice(v.number, 2); break;
    case kVerticalAlign: data_.verticalAlign = ClampChoice(v.number, 2); break;
    case kFont: data_.font = RecordFromFont(v.font); break;
    default: return 0;
  }
  applyData();
  return 0;
}

// The style draws the button's face; the caption or picture goes on top,
// aligned as the data says (the style would always centre it).
void ButtonUnit::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  QRect label = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (isDown()) {
    label.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                    style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  DrawCaption(painter, *this, label, HorizontalAlignment(data_.horizontalAlign) | VerticalAlignment(data_.verticalAlign),
              text(), picture_ ? &*picture_ : nullptr, palette().color(QPalette::ButtonText), true);
}

}  // namespace horavia::ui::controls
