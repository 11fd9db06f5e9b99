// What every simple unit shares: who it is in its form, raising its events
// and reporting its end through the core library's link, the suppress-events
// flag, texts and colours on their way to the toolkit, the common part of
// the property tables, and the interface function built from a unit class.
//
// Index
//   [identity]    UnitIdentity, RaiseUnitEvent, ReportUnitDestroyed
//   [suppress]    EventSuppressor
//   [values]      texts, colours, choices
//   [tables]      the common properties 0-7 and the type-specific slots
//   [interface]   UnitInterface<U>
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/library_types.h"
#include "ui/units/property_values.h"
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

QString FromCp936(const std::string& text);
std::string ToCp936(const QString& text);

// A colour value 0x00BBGGRR; the default colour (0xFF000000, or any value
// with its top byte set) gives `fallback`.
QColor ColourOf(std::uint32_t colour, const QColor& fallback);

// Choices clamp into 0 .. high.
std::int32_t ClampChoice(std::int64_t value, std::int32_t high);
inline std::int32_t Flag(const RawProperty& v) { return v.number != 0 ? 1 : 0; }

// Alignment choices (0 start, 1 centre, other end) as Qt flags.
Qt::Alignment HorizontalAlignment(std::int32_t choice);
Qt::Alignment VerticalAlignment(std::int32_t choice);

// Draws a caption (text with its "&" mnemonic shown underlined) or, when
// there is one, a picture instead, aligned within `area`.
void DrawCaption(QPainter& painter, const QWidget& widget, const QRect& area, Qt::Alignment alignment,
                 const QString& text, const QImage* picture, const QColor& colour, bool wordWrap);

// Decodes picture bytes (any format of the picture service); nothing when
// they do not decode.
std::optional<QImage> DecodeImage(const std::vector<std::uint8_t>& bytes);

// [tables] ---------------------------------------------------------------------

inline constexpr std::int32_t kFirstTypeProperty = common_property::kFirstTypeProperty;

// A type-specific property slot. Slots a type leaves unnamed read nothing and
// change nothing, as numbers outside its range do.
struct PropertySlot {
  const char* name = nullptr;  // null: an unused number
  std::int32_t kind = property_kind::kInteger;
};

// The type's whole table: the eight common properties, then its own slots.
template <std::size_t N>
constexpr std::array<runtime::PropertyInfo, kFirstTypeProperty + N> PropertyTable(
    const std::array<PropertySlot, N>& own) {
  std::array<runtime::PropertyInfo, N> typeSlots{};
  for (std::size_t i = 0; i < N; ++i) {
    const char* name = own[i].name != nullptr ? own[i].name : "";
    typeSlots[i] = {name, name, own[i].kind};
  }
  return WithCommonProperties(typeSlots);
}

// [interface] ------------------------------------------------------------------

// A unit class U supplies:
//   static constexpr std::array<runtime::PropertyInfo, n> kProperties;
//   static QWidget* Create(const UnitCreateParams&);    (null: data unreadable)
//   RawProperty getProperty(std::int32_t number) const;  (number 8 … n - 1)
//   std::int32_t setProperty(std::int32_t number, const RawProperty&);
//   Bytes writeBack() const;
//   static void* OtherQuery(std::int32_t query);        (queries beyond 1, 4-6)
// The engine hands back the widget Create made; a widget of another class
// and numbers outside the type's range are refused here, so the unit classes
// see only their own numbers.
namespace detail {

template <class U>
U* UnitOf(QWidget* widget) {
  return dynamic_cast<U*>(widget);
}

template <class U>
bool InRange(std::int32_t index) {
  return index >= 0 && index < static_cast<std::int32_t>(U::kProperties.size()) - kFirstTypeProperty &&
         U::kProperties[static_cast<std::size_t>(index + kFirstTypeProperty)].name[0] != '\0';
}

template <class U>
QWidget* Create(const UnitCreateParams& params) {
  return U::Create(params);
}

template <class U>
RawProperty Get(QWidget* widget, std::int32_t index) {
  U* unit = UnitOf<U>(widget);
  if (unit == nullptr || !InRange<U>(index)) return {};
  return unit->getProperty(index + kFirstTypeProperty);
}

template <class U>
std::int32_t Set(QWidget* widget, std::int32_t index, const RawProperty& value) {
  U* unit = UnitOf<U>(widget);
  if (unit == nullptr || !InRange<U>(index)) return 0;
  return unit->setProperty(index + kFirstTypeProperty, value);
}

template <class U>
std::vector<std::uint8_t> WriteBack(QWidget* widget) {
  U* unit = UnitOf<U>(widget);
  return unit != nullptr ? unit->writeBack() : std::vector<std::uint8_t>{};
}

}  // namespace detail

template <class U>
void* UnitInterface(std::int32_t query) {
  switch (query) {
    case kQueryCreate: return reinterpret_cast<void*>(&detail::Create<U>);
    case kQueryGetProperty: return reinterpret_cast<void*>(&detail::Get<U>);
    case kQuerySetProperty: return reinterpret_cast<void*>(&detail::Set<U>);
    case kQueryWriteBack: return reinterpret_cast<void*>(&detail::WriteBack<U>);
    default: return U::OtherQuery(query);
  }
}

}  // namespace horavia::ui::controls
