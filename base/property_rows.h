// Unit property tables: one table per unit type, one row per property. A row
// says the property's number, its names, its kind code, the member of the
// type's stored-data record that holds it, the stored-data version that
// brought that member, how a written value is clamped, and the hook the unit
// runs when the value changes. Everything else is derived from the rows: the
// stored layout (VisitStoredFields, which readStored, writeStored and the
// form compiler walk), the runtime's property table, and reading and writing
// a property by number (ui/units/property_table.h).
//
//   MakePropertyTable<SliderBarData, 20>(
//       //    No. name        kind      member                     since clamp              hook
//       Field(8,  "border",   kChoice,  &SliderBarData::border,    0,    Between(0, 5),     Hook::Redraw),
//       Live(19,  "position", kInteger, &SliderBarData::position,  0,    Between(0, 32767), Hook::Position));
//
// Rows come in stored order. A Field row's value is the member: a write
// stores it and runs the hook only when it changes the value. A Live row's
// value is kept by the unit itself (a control's check state, say), which
// reads it and takes every write through the hook; its member, when it has
// one (kNotStored when not), is refreshed from the unit when the unit writes
// its data back.
//
// Index
//   [kinds]     the property kind codes
//   [values]    the default colour, the one clamp, choices
//   [rows]      Field and Live rows
//   [tables]    MakePropertyTable and what derives from it without a unit
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "base/bytes.h"

namespace horavia::base {

// [kinds] ---------------------------------------------------------------------

// How a property's value is converted on its way in and out of the runtime.
namespace property_kind {
constexpr std::int32_t kInteger = 1000;
constexpr std::int32_t kInteger2 = 1001;
constexpr std::int32_t kWide = 1002;
constexpr std::int32_t kWide2 = 1004;
constexpr std::int32_t kBoolean = 1003;
constexpr std::int32_t kText = 1005;
constexpr std::int32_t kChoice = 1006;
constexpr std::int32_t kPicture = 1009;
constexpr std::int32_t kIcon = 1010;
constexpr std::int32_t kPointer = 1011;
constexpr std::int32_t kSound = 1012;
constexpr std::int32_t kFont = 1013;
constexpr std::int32_t kValue = 1014;
constexpr std::int32_t kValue2 = 1015;
constexpr std::int32_t kFileName = 1016;
constexpr std::int32_t kColour = 1017;
constexpr std::int32_t kOtherFile = 1023;
constexpr std::int32_t kOtherFile2 = 1024;
}  // namespace property_kind

// Numbers 0-7 are the common properties every unit shares; a type's own
// start here.
inline constexpr std::int32_t kFirstTypeProperty = 8;

// [values] --------------------------------------------------------------------

// A colour 0x00BBGGRR; this value (any value with its top byte set, where
// colours are drawn) stands for the default: the system's button face for a
// background, no colour for a key.
inline constexpr std::uint32_t kDefaultColour = 0xFF000000;

// The one clamp: `value` limited to low .. high, as an int32.
constexpr std::int32_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high) {
  return static_cast<std::int32_t>(value < low ? low : value > high ? high : value);
}

// How a written number is limited before it is stored; kAsGiven keeps its
// low 32 bits.
struct Range {
  std::int64_t low = std::numeric_limits<std::int32_t>::min();
  std::int64_t high = std::numeric_limits<std::int32_t>::max();
  bool limits = false;
  constexpr std::int32_t operator()(std::int64_t value) const {
    return limits ? Clamp(value, low, high) : static_cast<std::int32_t>(value);
  }
};
inline constexpr Range kAsGiven{};
constexpr Range Between(std::int64_t low, std::int64_t high) { return {low, high, true}; }
constexpr Range AtLeast(std::int64_t low) { return {low, std::numeric_limits<std::int32_t>::max(), true}; }

// A choice field: one of the numbered values of E, stored as an int32. Stored
// data may hold a number E does not name (units treat it as their table
// says), so the number is kept as read. Numbers and values of E compare with
// it directly.
template <class E>
class Choice {
  static_assert(std::is_enum_v<E> && std::is_same_v<std::underlying_type_t<E>, std::int32_t>);

 public:
  constexpr Choice() = default;
  constexpr Choice(E value) : number_(static_cast<std::int32_t>(value)) {}  // NOLINT: a value is a choice
  constexpr Choice(std::int32_t number) : number_(number) {}                // NOLINT: so is its number
  constexpr E value() const { return static_cast<E>(number_); }
  constexpr std::int32_t number() const { return number_; }
  // The stored field itself, for the walks over stored data.
  constexpr std::int32_t& stored() { return number_; }
  friend constexpr bool operator==(Choice, Choice) = default;

 private:
  std::int32_t number_ = 0;
};

template <class T>
struct IsChoice : std::false_type {};
template <class E>
struct IsChoice<Choice<E>> : std::true_type {};

// [rows] ----------------------------------------------------------------------

// A property's names in the runtime's table: its own (code page 936) and the
// English one, which also names its stored field. Most types use one name
// for both.
struct PropertyName {
  const char* local;
  const char* english;
  constexpr PropertyName(const char* both) : local(both), english(both) {}  // NOLINT: one name serves both
  constexpr PropertyName(const char* localName, const char* englishName) : local(localName), english(englishName) {}
};

// Marks a Live row whose value is not part of the stored data.
struct NotStored {};
inline constexpr NotStored kNotStored{};

template <class Data, class Member, class Hook, bool IsLive>
struct PropertyRow {
  using Value = Member;
  static constexpr bool kLive = IsLive;
  std::int32_t number;
  PropertyName name;
  std::int32_t kind;
  Member Data::*member;
  std::uint32_t since;  // the first stored-data version that carries the member
  Range clamp;
  Hook hook;            // Hook{} (its zero value): nothing runs
};

template <class Hook>
struct UnstoredRow {
  std::int32_t number;
  PropertyName name;
  std::int32_t kind;
  Range clamp;
  Hook hook;
  static constexpr bool kLive = true;
};

template <class Row>
inline constexpr bool kIsStored = false;
template <class Data, class Member, class Hook, bool IsLive>
inline constexpr bool kIsStored<PropertyRow<Data, Member, Hook, IsLive>> = true;

template <class Data, class Member, class Hook>
constexpr PropertyRow<Data, Member, Hook, false> Field(std::int32_t number, PropertyName name, std::int32_t kind,
                                                       Member Data::*member, std::uint32_t since, Range clamp,
                                                       Hook hook) {
  return {number, name, kind, member, since, clamp, hook};
}

template <class Data, class Member, class Hook>
constexpr PropertyRow<Data, Member, Hook, true> Live(std::int32_t number, PropertyName name, std::int32_t kind,
                                                     Member Data::*member, std::uint32_t since, Range clamp,
                                                     Hook hook) {
  return {number, name, kind, member, since, clamp, hook};
}

template <class Hook>
constexpr UnstoredRow<Hook> Live(std::int32_t number, PropertyName name, std::int32_t kind, NotStored, Range clamp,
                                 Hook hook) {
  return {number, name, kind, clamp, hook};
}

// [tables] --------------------------------------------------------------------

// A type's rows, with the number of properties its runtime table has (the
// common ones included; numbers without a row are unused slots).
template <class Data, std::size_t Count, class... Rows>
struct PropertyTable {
  using Record = Data;
  static constexpr std::size_t kCount = Count;
  std::tuple<Rows...> rows;

  template <class F>
  constexpr void forEach(F&& f) const {
    std::apply([&f](const auto&... row) { (f(row), ...); }, rows);
  }
  // Calls f with the row of `number`; false when the type has none.
  template <class F>
  constexpr bool withRow(std::int32_t number, F&& f) const {
    return std::apply([&](const auto&... row) { return ((row.number == number && (f(row), true)) || ...); }, rows);
  }
  // Every number is one of the type's own and appears once (tables assert
  // it where they are written).
  constexpr bool numbersAreSound() const {
    bool seen[Count] = {};
    bool sound = true;
    forEach([&](const auto& row) {
      const std::int32_t n = row.number;
      if (n < kFirstTypeProperty || n >= static_cast<std::int32_t>(Count) || seen[n]) {
        sound = false;
        return;
      }
      seen[n] = true;
    });
    return sound;
  }
};

template <class Data, std::size_t Count, class... Rows>
constexpr PropertyTable<Data, Count, Rows...> MakePropertyTable(Rows... rows) {
  return {std::tuple<Rows...>{rows...}};
}

// The stored fields, in stored order, for readStored, writeStored and the
// form compiler: int32 and choice members as i32, uint32 members as colours,
// strings as texts, byte vectors as blobs.
template <class Table, class Visitor>
void VisitStoredFields(const Table& table, typename Table::Record& data, Visitor& visitor) {
  table.forEach([&](const auto& row) {
    using Row = std::decay_t<decltype(row)>;
    if constexpr (kIsStored<Row>) {
      using Member = typename Row::Value;
      auto& field = data.*row.member;
      const char* name = row.name.english;
      if constexpr (IsChoice<Member>::value) {
        visitor.i32(name, field.stored(), row.since);
      } else if constexpr (std::is_same_v<Member, std::int32_t>) {
        visitor.i32(name, field, row.since);
      } else if constexpr (std::is_same_v<Member, std::uint32_t>) {
        visitor.colour(name, field, row.since);
      } else if constexpr (std::is_same_v<Member, std::string>) {
        visitor.text(name, field, row.since);
      } else {
        static_assert(std::is_same_v<Member, Bytes>, "a stored field is an int32, a choice, a uint32, a text or bytes");
        visitor.blob(name, field, row.since);
      }
    }
  });
}

// Limits every stored number that has a clamp, as a write would (for types
// that clamp what they read, too).
template <class Table>
void ClampStoredFields(const Table& table, typename Table::Record& data) {
  table.forEach([&](const auto& row) {
    using Row = std::decay_t<decltype(row)>;
    if constexpr (kIsStored<Row>) {
      using Member = typename Row::Value;
      if (!row.clamp.limits) return;
      if constexpr (IsChoice<Member>::value) {
        (data.*row.member).stored() = row.clamp((data.*row.member).number());
      } else if constexpr (std::is_same_v<Member, std::int32_t>) {
        data.*row.member = row.clamp(data.*row.member);
      }
    }
  });
}

// The number of the row named `english`, for code that names a property;
// -1 when there is none.
template <class Table>
constexpr std::int32_t NumberOf(const Table& table, std::string_view english) {
  std::int32_t number = -1;
  table.forEach([&](const auto& row) {
    if (std::string_view(row.name.english) == english) number = row.number;
  });
  return number;
}

// Its type-specific index (number − 8), as the unit queries count.
template <class Table>
constexpr std::int32_t IndexOf(const Table& table, std::string_view english) {
  return NumberOf(table, english) - kFirstTypeProperty;
}

}  // namespace horavia::base
