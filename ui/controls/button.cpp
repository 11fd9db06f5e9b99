#include "ui/controls/button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {
namespace {

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
  for (ButtonHook hook : {ButtonHook::Caption, ButtonHook::Style, ButtonHook::Font, ButtonHook::Picture}) apply(hook);
  connect(this, &QAbstractButton::clicked, this, [this] { RaiseUnitEvent(id_, 0); });
}

ButtonUnit::~ButtonUnit() { ReportUnitDestroyed(id_); }

void* ButtonUnit::OtherQuery(std::int32_t query) {
  return query == kQueryIsDefaultButton ? reinterpret_cast<void*>(&IsDefaultButton) : nullptr;
}

std::int32_t ButtonUnit::apply(ButtonHook hook) {
  switch (hook) {
    case ButtonHook::Caption: setText(FromCp936(data_.caption)); break;
    // The default button's look; Enter itself is the window's to handle.
    case ButtonHook::Style: setDefault(isDefaultButton()); break;
    case ButtonHook::Font:
      if (!data_.font.empty()) setFont(QFontOf(FontFromRecord(data_.font)));
      break;
    case ButtonHook::Picture: picture_ = DecodeImage(data_.picture); break;
    default: break;
  }
  update();
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
