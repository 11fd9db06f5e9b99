#include "ui/controls/label.h"

#include <QPainter>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {

using namespace label_property;

QWidget* LabelUnit::Create(const UnitCreateParams& params) {
  LabelData data;
  if (readLabelData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new LabelUnit(params, std::move(data));
}

LabelUnit::LabelUnit(const UnitCreateParams& params, LabelData data)
    : QFrame(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  ApplyCreateParams(*this, params);
  applyData();
}

LabelUnit::~LabelUnit() { ReportUnitDestroyed(id_); }

void LabelUnit::applyData() {
  // The engine's mnemonic handling reads captions from the "text" property.
  QObject::setProperty("text", FromCp936(data_.caption));
  font_ = FontFromRecord(data_.font);
  if (!data_.font.empty()) setFont(QFontOf(font_));
  switch (data_.border) {
    case 1: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case 2: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case 3: setFrameStyle(QFrame::Box | QFrame::Plain); break;
    default: setFrameStyle(QFrame::NoFrame); break;
  }
  update();
}

RawProperty LabelUnit::getProperty(std::int32_t number) const {
  RawProperty v;
  switch (number) {
    case kCaption: v.text = data_.caption; break;
    case kTextColour: v.number = data_.textColour; break;
    case kBackColour: v.number = data_.backColour; break;
    case kHorizontalAlign: v.number = data_.horizontalAlign; break;
    case kVerticalAlign: v.number = data_.verticalAlign; break;
    case kBorder: v.number = data_.border; break;
    case kWordWrap: v.number = data_.wordWrap; break;
    case kTransparent: v.number = data_.transparent; break;
    case kFont: v.font = font_; break;
    default: break;
  }
  return v;
}

std::int32_t LabelUnit::setProperty(std::int32_t number, const RawProperty& v) {
  switch (number) {
    case kCaption: data_.caption = v.text; break;
    case kTextColour: data_.textColour = static_cast<std::uint32_t>(v.number); break;
    case kBackColour: data_.backColour = static_cast<std::uint32_t>(v.number); break;
    case kHorizontalAlign: data_.horizontalAlign = ClampChoice(v.number, 2); break;
    case kVerticalAlign: data_.verticalAlign = ClampChoice(v.number, 2); break;
    case kBorder: data_.border = ClampChoice(v.number, 3); break;
    case kWordWrap: data_.wordWrap = Flag(v); break;
    case kTransparent: data_.transparent = Flag(v); break;
    case kFont: data_.font = RecordFromFont(v.font); break;
    default: return 0;
  }
  applyData();
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
