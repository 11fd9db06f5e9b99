// Values as they cross between application code and the runtime.
//
// Index
//   [tags]        TypeTag numbers and their classification
//   [records]     ArgRecord, the 12-byte value carrier
//   [blocks]      texts, byte-sets and arrays on the runtime heap
//   [dates]       OLE automation dates and their components
//   [helpers]     the shared value helpers the commands use
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace horavia::runtime {

// [tags] ---------------------------------------------------------------------

// The 32-bit type of a value. Bits 31..30 give the category (10 basic,
// 01 application-defined, 00/11 a runtime library's data type), bit 29 marks
// an array, bits 28..0 number the type within its category.
using TypeTag = std::uint32_t;

inline constexpr TypeTag kTagNone = 0;  // an omitted argument
inline constexpr TypeTag kTagByte = 0x80000101;
inline constexpr TypeTag kTagShort = 0x80000201;
inline constexpr TypeTag kTagInt = 0x80000301;
inline constexpr TypeTag kTagLong = 0x80000401;
inline constexpr TypeTag kTagFloat = 0x80000501;
inline constexpr TypeTag kTagDouble = 0x80000601;
inline constexpr TypeTag kTagBool = 0x80000002;
inline constexpr TypeTag kTagDateTime = 0x80000003;
inline constexpr TypeTag kTagText = 0x80000004;
inline constexpr TypeTag kTagByteSet = 0x80000005;
inline constexpr TypeTag kTagAddress = 0x80000006;
inline constexpr TypeTag kTagEightBytes = 0x80000008;
inline constexpr TypeTag kArrayFlag = 0x20000000;

// Library data types: (library number << 16) | type number, both from 1.
constexpr TypeTag LibraryTypeTag(std::uint32_t library, std::uint32_t type) {
  return (library << 16) | type;
}

// The unit types' tags: the type code every unit record starts with, the tag
// of a unit reference and the key of the type's record in its library.
namespace unit_type {
inline constexpr TypeTag kWindow = LibraryTypeTag(1, 1);
inline constexpr TypeTag kMenuItem = LibraryTypeTag(1, 3);
inline constexpr TypeTag kEditBox = LibraryTypeTag(1, 5);
inline constexpr TypeTag kPicBox = LibraryTypeTag(1, 6);
inline constexpr TypeTag kDrawPanel = LibraryTypeTag(1, 8);
inline constexpr TypeTag kLabel = LibraryTypeTag(1, 10);
inline constexpr TypeTag kButton = LibraryTypeTag(1, 11);
inline constexpr TypeTag kCheckBox = LibraryTypeTag(1, 12);
inline constexpr TypeTag kComboBox = LibraryTypeTag(1, 14);
inline constexpr TypeTag kListBox = LibraryTypeTag(1, 15);
inline constexpr TypeTag kSliderBar = LibraryTypeTag(1, 20);
inline constexpr TypeTag kComObject = LibraryTypeTag(1, 48);
inline constexpr TypeTag kCartoonBox = LibraryTypeTag(2, 8);
inline constexpr TypeTag kCartoonObject = LibraryTypeTag(2, 9);
}  // namespace unit_type

enum class TagClass : int { None = 0, Basic = 1, Application = 2, Library = 3 };

// Classifies a tag after removing the array flag.
constexpr TagClass ClassifyTag(TypeTag tag) {
  tag &= ~kArrayFlag;
  if (tag == 0) return TagClass::None;
  switch (tag >> 30) {
    case 2: return TagClass::Basic;
    case 1: return TagClass::Application;
    default: return TagClass::Library;
  }
}
constexpr bool IsArrayTag(TypeTag tag) { return (tag & kArrayFlag) != 0; }
// A basic tag whose low byte is 0x01 is numeric (byte … double).
constexpr bool IsNumericTag(TypeTag tag) {
  return ClassifyTag(tag) == TagClass::Basic && (tag & 0xFF) == 0x01;
}
// Bytes per element of a numeric tag; 0 for every other tag.
constexpr int ElementSize(TypeTag tag) {
  switch (tag & ~kArrayFlag) {
    case kTagByte: return 1;
    case kTagShort: return 2;
    case kTagInt:
    case kTagFloat: return 4;
    case kTagLong:
    case kTagDouble: return 8;
    default: return 0;
  }
}

// [records] ------------------------------------------------------------------

// 12 bytes, little-endian, 4-byte aligned. A pointer fills value low alone on
// a 32-bit host and value low plus value high on a 64-bit host.
struct ArgRecord {
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  TypeTag tag = kTagNone;

  bool omitted() const { return tag == kTagNone; }

  std::int32_t asInt32() const { return static_cast<std::int32_t>(low); }
  std::int64_t asInt64() const {
    return static_cast<std::int64_t>((std::uint64_t{high} << 32) | low);
  }
  double asDouble() const {
    std::uint64_t bits = (std::uint64_t{high} << 32) | low;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  float asFloat() const {
    float f;
    std::memcpy(&f, &low, sizeof f);
    return f;
  }
  void* asPointer() const {
    std::uintptr_t p = low;
    if constexpr (sizeof(void*) == 8) p |= static_cast<std::uintptr_t>(std::uint64_t{high} << 32);
    return reinterpret_cast<void*>(p);
  }
  const char* asText() const { return static_cast<const char*>(asPointer()); }

  static ArgRecord Int(std::int32_t v, TypeTag t = kTagInt) {
    return {static_cast<std::uint32_t>(v), 0, t};
  }
  static ArgRecord Bool(bool v) { return {v ? 1u : 0u, 0, kTagBool}; }
  static ArgRecord Int64(std::int64_t v, TypeTag t = kTagLong) {
    auto u = static_cast<std::uint64_t>(v);
    return {static_cast<std::uint32_t>(u), static_cast<std::uint32_t>(u >> 32), t};
  }
  static ArgRecord Double(double d, TypeTag t = kTagDouble) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return {static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32), t};
  }
  static ArgRecord Float(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return {bits, 0, kTagFloat};
  }
  static ArgRecord Pointer(const void* p, TypeTag t) {
    auto u = reinterpret_cast<std::uintptr_t>(p);
    ArgRecord r{static_cast<std::uint32_t>(u), 0, t};
    if constexpr (sizeof(void*) == 8) r.high = static_cast<std::uint32_t>(static_cast<std::uint64_t>(u) >> 32);
    return r;
  }
  void setPointer(const void* p) {
    auto u = reinterpret_cast<std::uintptr_t>(p);
    low = static_cast<std::uint32_t>(u);
    high = sizeof(void*) == 8 ? static_cast<std::uint32_t>(static_cast<std::uint64_t>(u) >> 32) : 0;
  }
};
static_assert(sizeof(ArgRecord) == 12 && alignof(ArgRecord) == 4);

// A window or unit passed as a value: low = form id, high = unit id, tag = the
// unit's library type tag.
struct UnitRef {
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
  TypeTag tag = kTagNone;
  static UnitRef From(const ArgRecord& r) { return {r.low, r.high, r.tag}; }
  ArgRecord record() const { return {formId, unitId, tag}; }
};

// [blocks] -------------------------------------------------------------------

// Texts are zero-terminated code-page-936 bytes; null is the empty text.
// A byte-set is [int32 1][int32 length][bytes]; null is the empty byte-set.
// An array is [int32 d][d int32 sizes][elements].
struct ByteSetView {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};
ByteSetView ByteSetBytes(const void* byteSet);

struct ArrayView {
  void* first = nullptr;   // first element
  std::size_t count = 0;   // product of the dimension sizes (1 when d = 0)
};
ArrayView ArrayElements(const void* arrayBlock);

// [dates] --------------------------------------------------------------------

// An OLE automation date: days since 1899-12-30 00:00 local time.
inline constexpr double kMinDate = -657434.0;  // 100-01-01
inline constexpr double kMaxDate = 2958465.0;  // 9999-12-31
double ClampDate(double date);

struct DateParts {
  int year = -1, month = -1, day = -1;
  int hour = -1, minute = -1, second = -1;
  int dayOfWeek = -1;  // 1 = Sunday
  int dayOfYear = -1;  // 1 = 1 January
};
// Components of a clamped date, the time of day rounded to the nearest second.
// Every field is -1 when the value is not a valid date (NaN, for instance).
DateParts SplitDate(double date);
// The date of a calendar day and time of day; false when out of range.
bool MakeDate(int year, int month, int day, int hour, int minute, int second, double& out);

// [helpers] ------------------------------------------------------------------

// The bytes that represent a value: the value slot for 1/2/4/8-byte kinds, the
// text with its terminator, the data of a byte-set. Null for any other tag.
struct ValueSpan {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};
ValueSpan ValueBytes(const ArgRecord& value);

// Whether a result of this type is a new heap block the receiver frees: a
// text, a byte-set or an array (an array of texts owns its texts too).
constexpr bool IsHeapBlock(TypeTag type) { return type == kTagText || type == kTagByteSet || IsArrayTag(type); }
// Frees what a result of that type owns; other results own nothing.
void FreeCommandResult(const ArgRecord& result, TypeTag type);

// New heap texts and byte-sets; empty results are null.
char* CopyText(const char* source);
char* CopyTextN(const char* source, std::ptrdiff_t n);
char* CopyText(std::string_view source);
void* MakeByteSet(const void* source, std::size_t n);

// Converts a numeric value to a 32-bit integer; any other kind is the fatal
// runtime error "欲转换数据类型不是数值".
std::int32_t ToInt32(const ArgRecord& value);

// Formats a numeric basic value ("%u", "%d", "%.6g", "%.13g").
std::string ValueToText(const ArgRecord& value);

// Any basic value as code-page-936 text: numbers, the text itself, bool as
// "真"/"假", a date-time in the date patterns; other kinds give "".
std::string BasicValueToText(const ArgRecord& value);
std::string DateToText(double date);

// Full-width digits, letters and signs folded to ASCII before parsing.
std::string FoldFullWidth(std::string_view text);
std::int32_t TextToInt32(const char* text);  // folding, then atoi
double TextToDouble(const char* text);       // folding, then atof

}  // namespace horavia::runtime
