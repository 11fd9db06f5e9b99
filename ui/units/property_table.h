// What a unit type derives from its property table (base/property_rows.h):
// the runtime's property table, reading and writing a property by number,
// writing its stored data back, and the interface function the engine asks
// for the type's functions.
//
// A unit class U declares
//   static constexpr const auto& kTable = <its table>;
//   friend struct ui::PropertyAccess;  (qualified in a nested namespace)
// and keeps privately
//   Record& record();  const Record& record() const;  its stored data
//   std::int32_t apply(Hook);        a Field row's value changed; 1 when the
//                                    change needs a new unit window
//   RawProperty liveValue(Hook) const;               Live rows: the unit's value
//   void setLive(Hook, const RawProperty& value);    (clamped as the row says)
// (liveValue and setLive only when its table has Live rows).
//
// Index
//   [table]      the runtime's property table
//   [access]     reading, writing and writing back by the rows
//   [interface]  UnitInterface<U>
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "base/property_rows.h"
#include "base/stored_fields.h"
#include "runtime/libraries/library_records.h"
#include "runtime/library_types.h"
#include "ui/units/logical_font.h"
#include "ui/units/property_values.h"
#include "ui/units/unit_interface.h"

namespace horavia::ui {

// [table] ----------------------------------------------------------------------

// The common properties, then the type's rows by number; numbers without a
// row are empty slots (an empty name), which read nothing and change nothing.
template <class Table>
constexpr std::array<runtime::PropertyInfo, Table::kCount> PropertyInfos(const Table& table) {
  std::array<runtime::PropertyInfo, Table::kCount> infos{};
  for (std::size_t i = 0; i < infos.size(); ++i) {
    infos[i] = i < kCommonProperties.size() ? kCommonProperties[i]
                                            : runtime::PropertyInfo{"", "", property_kind::kInteger};
  }
  table.forEach([&infos](const auto& row) {
    infos[static_cast<std::size_t>(row.number)] = {row.name.local, row.name.english, row.kind};
  });
  return infos;
}

// [access] ---------------------------------------------------------------------

struct PropertyAccess {
  // The value of property `number` (8 and up); nothing for a number the type
  // does not have.
  template <class U>
  static RawProperty Get(const U& unit, std::int32_t number) {
    RawProperty value;
    U::kTable.withRow(number, [&](const auto& row) {
      if constexpr (std::decay_t<decltype(row)>::kLive) {
        value = unit.liveValue(row.hook);
      } else {
        value = ValueOf(row, unit.record().*row.member);
      }
    });
    return value;
  }

  // Writes property `number`; 1 when the unit needs a new window. A Field
  // row's value is clamped and stored, and its hook runs, only when it
  // changes.
  template <class U>
  static std::int32_t Set(U& unit, std::int32_t number, const RawProperty& value) {
    std::int32_t answer = 0;
    U::kTable.withRow(number, [&](const auto& row) {
      if constexpr (std::decay_t<decltype(row)>::kLive) {
        unit.setLive(row.hook, Clamped(row, value));
      } else {
        auto& field = unit.record().*row.member;
        auto written = Written(row, value, field);
        if (written == field) return;
        field = std::move(written);
        if (row.hook != decltype(row.hook){}) answer = unit.apply(row.hook);
      }
    });
    return answer;
  }

  // The stored data with every Live value as the unit holds it now.
  template <class U>
  static std::vector<std::uint8_t> WriteBack(const U& unit) {
    auto data = unit.record();
    U::kTable.forEach([&](const auto& row) {
      using Row = std::decay_t<decltype(row)>;
      if constexpr (base::kIsStored<Row> && Row::kLive) {
        data.*row.member = Written(row, unit.liveValue(row.hook), data.*row.member);
      }
    });
    return base::writeStored(data);
  }

 private:
  template <class Row, class Member>
  static RawProperty ValueOf(const Row& row, const Member& field) {
    RawProperty value;
    if constexpr (base::IsChoice<Member>::value) {
      value.number = field.number();
    } else if constexpr (std::is_integral_v<Member>) {
      value.number = field;
    } else if constexpr (std::is_same_v<Member, std::string>) {
      value.text = field;
    } else if (row.kind == property_kind::kFont) {
      value.font = UnitFontFromRecord(field).value_or(DefaultGuiFont());
    } else {
      value.bytes = field;
    }
    return value;
  }

  // A written number as the row keeps it: a boolean as 0 or 1, anything
  // else within the row's clamp.
  template <class Row>
  static RawProperty Clamped(const Row& row, RawProperty value) {
    value.number = row.kind == property_kind::kBoolean ? (value.number != 0 ? 1 : 0) : row.clamp(value.number);
    return value;
  }

  template <class Row, class Member>
  static Member Written(const Row& row, const RawProperty& value, const Member& current) {
    if constexpr (base::IsChoice<Member>::value || std::is_same_v<Member, std::int32_t>) {
      return Member(Clamped(row, value).number);
    } else if constexpr (std::is_same_v<Member, std::uint32_t>) {
      return static_cast<std::uint32_t>(value.number);
    } else if constexpr (std::is_same_v<Member, std::string>) {
      return value.text;
    } else if (row.kind == property_kind::kFont) {
      // What a unit font does not carry stays as the record had it.
      return RecordFromUnitFont(value.font, current);
    } else {
      return value.bytes;
    }
  }
};

// [interface] ------------------------------------------------------------------

// The interface function of unit class U. U also supplies
//   static QWidget* Create(const UnitCreateParams&);   (null: data unreadable)
//   static void* OtherQuery(std::int32_t query);       (queries beyond 1, 4-6)
// The engine hands back the widget Create made; a widget of another class
// and numbers the table has no row for are refused here.
namespace unit_queries {

template <class U>
U* UnitOf(QWidget* widget) {
  return dynamic_cast<U*>(widget);
}

template <class U>
QWidget* Create(const UnitCreateParams& params) {
  return U::Create(params);
}

template <class U>
RawProperty Get(QWidget* widget, std::int32_t index) {
  U* unit = UnitOf<U>(widget);
  return unit != nullptr ? PropertyAccess::Get(*unit, index + base::kFirstTypeProperty) : RawProperty{};
}

template <class U>
std::int32_t Set(QWidget* widget, std::int32_t index, const RawProperty& value) {
  U* unit = UnitOf<U>(widget);
  return unit != nullptr ? PropertyAccess::Set(*unit, index + base::kFirstTypeProperty, value) : 0;
}

template <class U>
std::vector<std::uint8_t> WriteBack(QWidget* widget) {
  U* unit = UnitOf<U>(widget);
  return unit != nullptr ? PropertyAccess::WriteBack(*unit) : std::vector<std::uint8_t>{};
}

}  // namespace unit_queries

template <class U>
void* UnitInterface(std::int32_t query) {
  switch (query) {
    case kQueryCreate: return reinterpret_cast<void*>(&unit_queries::Create<U>);
    case kQueryGetProperty: return reinterpret_cast<void*>(&unit_queries::Get<U>);
    case kQuerySetProperty: return reinterpret_cast<void*>(&unit_queries::Set<U>);
    case kQueryWriteBack: return reinterpret_cast<void*>(&unit_queries::WriteBack<U>);
    default: return U::OtherQuery(query);
  }
}

// The runtime's property table of U, kept for the runtime to point at.
template <class U>
inline constexpr auto kPropertyInfos = PropertyInfos(U::kTable);

// Installs U's interface function and property table into the record of
// `type`.
template <class U>
void InstallUnit(std::uint32_t type) {
  runtime::InstallUnitType(type, &UnitInterface<U>, kPropertyInfos<U>.data());
}

}  // namespace horavia::ui
