#include "ui/controls/unit_support.h"

#include <QFrame>
#include <QStyle>
#include <algorithm>

#include "runtime/library_links.h"
#include "runtime/services.h"
#include "ui/units/pictures.h"

namespace horavia::ui::controls {

bool RaiseUnitEvent(const UnitIdentity& unit, std::int32_t event) {
  runtime::PlainEventRecord record;
  record.formId = unit.formId;
  record.unitId = unit.unitId;
  record.event = event;
  return runtime::CoreLibraryLink().request(runtime::kServiceRaiseEvent, reinterpret_cast<std::intptr_t>(&record)) ==
         1;
}

void ReportUnitDestroyed(const UnitIdentity& unit) {
  runtime::CoreLibraryLink().request(runtime::kServiceUnitDestroyed, unit.formId, unit.unitId);
}

void ApplyCreateParams(QWidget& widget, const UnitCreateParams& params) {
  widget.setGeometry(params.left, params.top, std::max(0, params.width), std::max(0, params.height));
  if (params.style & unit_style::kDisabled) widget.setEnabled(false);
}

QColor ColourOf(std::uint32_t colour, const QColor& fallback) {
  if ((colour & 0xFF000000u) != 0) return fallback;
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

int FrameStyleOf(base::Choice<BorderStyle> border) {
  switch (border.value()) {
    case BorderStyle::Sunken: return QFrame::Panel | QFrame::Sunken;
    case BorderStyle::Raised: return QFrame::Panel | QFrame::Raised;
    case BorderStyle::SingleLine: return QFrame::Box | QFrame::Plain;
    default: return QFrame::NoFrame;
  }
}

Qt::Alignment HorizontalAlignment(base::Choice<Alignment> choice) {
  return choice == Alignment::Start ? Qt::AlignLeft : choice == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignRight;
}

Qt::Alignment VerticalAlignment(base::Choice<Alignment> choice) {
  return choice == Alignment::Start ? Qt::AlignTop : choice == Alignment::Centre ? Qt::AlignVCenter : Qt::AlignBottom;
}

void DrawCaption(QPainter& painter, const QWidget& widget, const QRect& area, Qt::Alignment alignment,
                 const QString& text, const QImage* picture, const QColor& colour, bool wordWrap) {
  if (picture != nullptr) {
    const QRect placed = QStyle::alignedRect(widget.layoutDirection(), alignment, picture->size(), area);
    painter.drawImage(placed.topLeft(), *picture);
    return;
  }
  int flags = static_cast<int>(alignment) | Qt::TextShowMnemonic;
  if (wordWrap) flags |= Qt::TextWordWrap;
  painter.save();
  painter.setPen(widget.isEnabled() ? colour : widget.palette().color(QPalette::Disabled, QPalette::WindowText));
  painter.setFont(widget.font());
  painter.drawText(area, flags, text);
  painter.restore();
}

std::optional<QImage> DecodeImage(const std::vector<std::uint8_t>& bytes) { return DecodePictureImage(bytes); }

}  // namespace horavia::ui::controls
