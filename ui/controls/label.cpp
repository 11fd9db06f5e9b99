#include "ui/controls/label.h"

#include <QPainter>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {

QWidget* LabelUnit::Create(const UnitCreateParams& params) {
  LabelData data;
  if (readLabelData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new LabelUnit(params, std::move(data));
}

LabelUnit::LabelUnit(const UnitCreateParams& params, LabelData data)
    : QFrame(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  ApplyCreateParams(*this, params);
  for (LabelHook hook : {LabelHook::Caption, LabelHook::Font, LabelHook::Border}) apply(hook);
}

LabelUnit::~LabelUnit() { ReportUnitDestroyed(id_); }

std::int32_t LabelUnit::apply(LabelHook hook) {
  switch (hook) {
    // The engine's mnemonic handling reads captions from the "text" property.
    case LabelHook::Caption: QObject::setProperty("text", FromCp936(data_.caption)); break;
    case LabelHook::Font:
      font_ = FontFromRecord(data_.font);
      if (!data_.font.empty()) setFont(QFontOf(font_));
      break;
    case LabelHook::Border: setFrameStyle(FrameStyleOf(data_.border)); break;
    default: break;
  }
  update();
  return 0;
}

void LabelUnit::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    // A transparent label lets its parent show behind the text.
    if (data_.transparent == 0) painter.fillRect(rect(), ColourOf(data_.backColour, palette().color(QPalette::Window)));
    const QColor colour = ColourOf(data_.textColour, palette().color(QPalette::WindowText));
    const Qt::Alignment alignment = HorizontalAlignment(data_.horizontalAlign) | VerticalAlignment(data_.verticalAlign);
    QRect area = contentsRect();
    if (font_.angle != 0) {
      // Turned text: about the centre of the label, counter-clockwise.
      painter.translate(area.center());
      painter.rotate(-font_.angle / 10.0);
      area.moveCenter(QPoint(0, 0));
    }
    DrawCaption(painter, *this, area, alignment, FromCp936(data_.caption), nullptr, colour, data_.wordWrap != 0);
  }
  QFrame::paintEvent(event);  // the border, over the background
}

}  // namespace horavia::ui::controls
