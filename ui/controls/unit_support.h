// What every simple unit shares: who it is in its form, raising its events
// and reporting its end through the core library's link, the suppress-events
// flag, and colours, alignments and captions on their way to the toolkit.
// Their properties come from their tables (ui/controls/stored_data.h)
// through ui/units/property_table.h.
//
// Index
//   [identity]    UnitIdentity, RaiseUnitEvent, ReportUnitDestroyed
//   [suppress]    EventSuppressor
//   [values]      colours, alignments, captions, pictures
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/controls/stored_data.h"
#include "ui/units/property_table.h"
#include "ui/units/qt_text.h"
#include "ui/units/unit_interface.h"

namespace horavia::ui::controls {

// [identity] -------------------------------------------------------------------

// Who a unit is: carried in every event it raises.
struct UnitIdentity {
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
};

// Raises type event `event` (no arguments) through the core library's link
// (request 2008); true when a subroutine ran.
bool RaiseUnitEvent(const UnitIdentity& unit, std::int32_t event);

// Tells the runtime that the unit's window is gone (request 2000).
void ReportUnitDestroyed(const UnitIdentity& unit);

// Places a new unit and applies the style bits the engine hands it.
void ApplyCreateParams(QWidget& widget, const UnitCreateParams& params);

// [suppress] -------------------------------------------------------------------

// Set while the unit itself changes its control (filling, selecting, setting
// properties), so the control's change notifications raise no event 0.
class EventSuppressor {
 public:
  class Scope {
   public:
    explicit Scope(EventSuppressor& owner) : owner_(owner) { ++owner_.depth_; }
    ~Scope() { --owner_.depth_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    EventSuppressor& owner_;
  };
  bool active() const { return depth_ > 0; }

 private:
  int depth_ = 0;
};

// [values] ---------------------------------------------------------------------

// A colour value 0x00BBGGRR; the default colour (0xFF000000, or any value
// with its top byte set) gives `fallback`.
QColor ColourOf(std::uint32_t colour, const QColor& fallback);

// A border choice as a QFrame's frame style.
int FrameStyleOf(base::Choice<BorderStyle> border);

// Alignment choices (start, centre, any other number the end) as Qt flags.
Qt::Alignment HorizontalAlignment(base::Choice<Alignment> choice);
Qt::Alignment VerticalAlignment(base::Choice<Alignment> choice);

// Draws a caption (text with its "&" mnemonic shown underlined) or, when
// there is one, a picture instead, aligned within `area`.
void DrawCaption(QPainter& painter, const QWidget& widget, const QRect& area, Qt::Alignment alignment,
                 const QString& text, const QImage* picture, const QColor& colour, bool wordWrap);

// Decodes picture bytes (any format of the picture service); nothing when
// they do not decode.
std::optional<QImage> DecodeImage(const std::vector<std::uint8_t>& bytes);

}  // namespace horavia::ui::controls
