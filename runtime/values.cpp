// Value helpers shared by the runtime and its commands.
//
// Index
//   [blocks]      byte-set and array views, new heap texts and byte-sets
//   [dates]       OLE automation dates: clamping, components, construction
//   [numbers]     ToInt32, ValueBytes, the number formats
//   [text]        any basic value as text, full-width folding, text to number
#include "runtime/values.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/fatal.h"
#include "runtime/memory.h"
#include "runtime/messages.h"

namespace horavia::runtime {
namespace {

std::int32_t ReadInt32(const void* at) {
  std::int32_t v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

}  // namespace

// [blocks] -------------------------------------------------------------------

ByteSetView ByteSetBytes(const void* byteSet) {
  if (byteSet == nullptr) return {};
  auto* block = static_cast<const std::uint8_t*>(byteSet);
  std::int32_t length = ReadInt32(block + 4);
  if (length <= 0) return {block + 8, 0};
  return {block + 8, static_cast<std::size_t>(length)};
}

void FreeCommandResult(const ArgRecord& result, TypeTag type) {
  void* block = result.asPointer();
  if (!IsHeapBlock(type) || block == nullptr) return;
  if (type == (kTagText | kArrayFlag)) {
    const ArrayView texts = ArrayElements(block);
    for (std::size_t i = 0; i < texts.count; ++i) Free(static_cast<void**>(texts.first)[i]);
  }
  Free(block);
}

ArrayView ArrayElements(const void* arrayBlock) {
  if (arrayBlock == nullptr) return {};
  auto* block = static_cast<std::uint8_t*>(const_cast<void*>(arrayBlock));
  std::int32_t dimensions = ReadInt32(block);
  if (dimensions < 0) dimensions = 0;
  std::size_t count = 1;
  for (std::int32_t i = 0; i < dimensions; ++i) {
    std::int32_t size = ReadInt32(block + 4 + 4 * i);
    count *= size > 0 ? static_cast<std::size_t>(size) : 0;
  }
  return {block + 4 + 4 * static_cast<std::size_t>(dimensions), count};
}

char* CopyText(const char* source) {
  if (source == nullptr || source[0] == '\0') return nullptr;
  return CopyText(std::string_view(source));
}

char* CopyTextN(const char* source, std::ptrdiff_t n) {
  if (source == nullptr || n < 1) return nullptr;
  return CopyText(std::string_view(source, static_cast<std::size_t>(n)));
}

char* CopyText(std::string_view source) {
  if (source.empty()) return nullptr;
  auto* text = static_cast<char*>(Allocate(source.size() + 1));
  std::memcpy(text, source.data(), source.size());
  text[source.size()] = '\0';
  return text;
}

void* MakeByteSet(const void* source, std::size_t n) {
  if (n == 0) return nullptr;
  // The length field is a signed 32-bit number; nothing larger can be held.
  if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 8) return nullptr;
  auto* block = static_cast<std::uint8_t*>(Allocate(n + 8));
  const std::int32_t header[2] = {1, static_cast<std::int32_t>(n)};
  std::memcpy(block, header, sizeof header);
  if (source != nullptr) {
    std::memcpy(block + 8, source, n);
  } else {
    std::memset(block + 8, 0, n);
  }
  return block;
}

// [dates] --------------------------------------------------------------------

namespace {

// Days before each month of a common year; index 12 is the year's length.
constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
// Days from 0001-01-01 (counted as day 1 of year 0's reckoning) to 1899-12-30.
constexpr long kDaysTo1899 = 693959;
constexpr double kHalfSecond = 1.0 / 172800.0;

bool IsLeapYear(int year) { return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0); }

}  // namespace

double ClampDate(double date) {
  if (date < kMinDate) return kMinDate;
  if (date > kMaxDate) return kMaxDate;
  return date;
}

DateParts SplitDate(double date) {
  if (std::isnan(date)) return {};
  date = ClampDate(date);

  // The whole value is rounded to the nearest second first, so a time a
  // hair before midnight becomes 00:00:00 of the next day. The fraction of
  // a negative date counts forward from its day, as OLE dates do.
  double rounded = date + (date > 0.0 ? kHalfSecond : -kHalfSecond);
  long days = static_cast<long>(rounded) + kDaysTo1899;  // from 0000-12-31 (a Saturday)
  double magnitude = std::fabs(rounded);
  long secondsInDay = static_cast<long>((magnitude - std::floor(magnitude)) * 86400.0);

  DateParts parts;
  parts.dayOfWeek = static_cast<int>((days - 1) % 7) + 1;

  // Gregorian cycles: 400 years of 146097 days; the first century of each
  // cycle has the extra leap day, so the others are one day shorter.
  long cycles400 = days / 146097;
  days %= 146097;
  long century = (days - 1) / 36524;
  long years4;
  long dayIn4;
  bool blockHasLeapYear = true;
  if (century != 0) {
    days = (days - 1) % 36524;
    years4 = (days + 1) / 1461;
    if (years4 != 0) {
      dayIn4 = (days + 1) % 1461;
    } else {
      blockHasLeapYear = false;  // a century year that is not a leap year
      dayIn4 = days;
    }
  } else {
    years4 = days / 1461;
    dayIn4 = days % 1461;
  }

  long yearIn4;
  if (blockHasLeapYear) {
    yearIn4 = (dayIn4 - 1) / 365;  // the block's first year has 366 days
    if (yearIn4 != 0) dayIn4 = (dayIn4 - 1) % 365;
  } else {
    yearIn4 = dayIn4 / 365;
    dayIn4 %= 365;
  }

  parts.dayOfYear = static_cast<int>(dayIn4) + 1;
  parts.year = static_cast<int>(cycles400 * 400 + century * 100 + years4 * 4 + yearIn4);

  bool leapDay = false;
  if (yearIn4 == 0 && blockHasLeapYear) {
    if (dayIn4 == 59) {
      leapDay = true;
      parts.month = 2;
      parts.day = 29;
    } else if (dayIn4 >= 60) {
      --dayIn4;  // the rest of a leap year maps onto a common year
    }
  }
  if (!leapDay) {
    long dayOfCommonYear = dayIn4 + 1;
    int month = static_cast<int>(dayOfCommonYear >> 5) + 1;
    while (dayOfCommonYear > kDaysBeforeMonth[month]) ++month;
    parts.month = month;
    parts.day = static_cast<int>(dayOfCommonYear - kDaysBeforeMonth[month - 1]);
  }

  parts.second = static_cast<int>(secondsInDay % 60);
  parts.minute = static_cast<int>((secondsInDay / 60) % 60);
  parts.hour = static_cast<int>(secondsInDay / 3600);
  return parts;
}

bool MakeDate(int year, int month, int day, int hour, int minute, int second, double& out) {
  if (year < 100 || year > 9999 || month < 1 || month > 12) return false;
  bool leap = IsLeapYear(year);
  int daysInMonth = kDaysBeforeMonth[month] - kDaysBeforeMonth[month - 1] + ((leap && month == 2) ? 1 : 0);
  if (day < 1 || day > daysInMonth) return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;

  long date = year * 365L + year / 4 - year / 100 + year / 400 + kDaysBeforeMonth[month - 1] + day;
  if (month <= 2 && leap) --date;  // this year's leap day is still ahead
  date -= kDaysTo1899;
  double time = (hour * 3600L + minute * 60L + second) / 86400.0;
  // Negative dates carry their time of day as a positive distance from the
  // day, so the fraction is subtracted.
  out = static_cast<double>(date) + (date >= 0 ? time : -time);
  return true;
}

// [numbers] ------------------------------------------------------------------

namespace {

// Conversion toward zero. A value that does not fit (or NaN) becomes the
// lowest integer, the result the processor's own conversion gives, instead
// of undefined behaviour.
std::int32_t TruncateToInt32(double d) {
  if (!(d > -2147483649.0 && d < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(d);
}

// printf's "%.<precision>g", independent of the process locale (the window
// layer sets the user's locale, which may use a decimal comma).
std::string FormatGeneral(double d, int precision) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::general, precision);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

}  // namespace

std::int32_t ToInt32(const ArgRecord& value) {
  switch (value.tag) {
    case kTagByte: return static_cast<std::int32_t>(value.low & 0xFF);
    case kTagShort: return static_cast<std::int16_t>(value.low & 0xFFFF);
    case kTagInt: return value.asInt32();
    case kTagLong: return static_cast<std::int32_t>(value.low);
    case kTagFloat: return TruncateToInt32(value.asFloat());
    case kTagDouble: return TruncateToInt32(value.asDouble());
    default: FatalError(messages::kConstants.NotNumeric);
  }
}

ValueSpan ValueBytes(const ArgRecord& value) {
  auto* slot = reinterpret_cast<const std::uint8_t*>(&value.low);
  switch (value.tag) {
    case kTagByte: return {slot, 1};
    case kTagShort: return {slot, 2};
    case kTagInt:
    case kTagFloat:
    case kTagBool:
    case kTagAddress: return {slot, 4};
    case kTagLong:
    case kTagDouble:
    case kTagDateTime:
    case kTagEightBytes: return {slot, 8};
    case kTagText: {
      const char* text = value.asText();
      if (text == nullptr) return {};
      return {reinterpret_cast<const std::uint8_t*>(text), std::strlen(text) + 1};
    }
    case kTagByteSet: {
      ByteSetView bytes = ByteSetBytes(value.asPointer());
      if (bytes.data == nullptr) return {};
      return {bytes.data, bytes.size};
    }
    default: return {};
  }
}

std::string ValueToText(const ArgRecord& value) {
  switch (value.tag) {
    case kTagByte: return std::to_string(value.low & 0xFF);
    case kTagShort: return std::to_string(static_cast<std::int16_t>(value.low & 0xFFFF));
    case kTagInt: return std::to_string(value.asInt32());
    case kTagLong: return std::to_string(value.asInt64());
    case kTagFloat: return FormatGeneral(static_cast<double>(value.asFloat()), 6);
    case kTagDouble: return FormatGeneral(value.asDouble(), 13);
    default: return {};
  }
}

// [text] ---------------------------------------------------------------------

std::string DateToText(double date) {
  DateParts p = SplitDate(date);
  const auto& m = messages::kConstants;
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, m.DatePattern, p.year, p.month, p.day);
  std::string text = buffer;
  if (p.second != 0) {
    std::snprintf(buffer, sizeof buffer, m.TimeHMS, p.hour, p.minute, p.second);
  } else if (p.minute != 0) {
    std::snprintf(buffer, sizeof buffer, m.TimeHM, p.hour, p.minute);
  } else if (p.hour != 0) {
    std::snprintf(buffer, sizeof buffer, m.TimeH, p.hour);
  } else {
    return text;
  }
  return text + buffer;
}

std::string BasicValueToText(const ArgRecord& value) {
  if (IsNumericTag(value.tag)) return ValueToText(value);
  switch (value.tag) {
    case kTagText: {
      const char* text = value.asText();
      return text != nullptr ? std::string(text) : std::string();
    }
    case kTagBool: return value.low != 0 ? messages::kConstants.True : messages::kConstants.False;
    case kTagDateTime: return DateToText(value.asDouble());
    default: return {};
  }
}

std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto lead = static_cast<std::uint8_t>(text[i]);
    if (lead < 0x80 || i + 1 >= text.size()) {
      folded.push_back(text[i]);
      continue;
    }
    auto trail = static_cast<std::uint8_t>(text[i + 1]);
    ++i;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded.push_back(static_cast<char>(trail & 0x7F));  // full-width ASCII block
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded.push_back(' ');  // ideographic space
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded.push_back('*');  // the two stars
    } else {
      folded.push_back(static_cast<char>(lead));
      folded.push_back(static_cast<char>(trail));
    }
  }
  return folded;
}

namespace {

// The white space the C library's number parsers skip.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal exponent of a well-formed number's first significant digit
// (plus one), enough to tell a huge number from a tiny one. Saturates.
long DecimalMagnitude(std::string_view number) {
  std::size_t e = number.find_first_of("eE");
  std::string_view mantissa = number.substr(0, e);
  long magnitude = 0;
  bool found = false, afterPoint = false;
  for (char c : mantissa) {
    if (c == '.') {
      afterPoint = true;
    } else if (found) {
      if (!afterPoint) ++magnitude;
    } else if (c == '0') {
      if (afterPoint) --magnitude;  // a zero between the point and the first digit
    } else {
      found = true;
      if (afterPoint) break;
      magnitude = 1;
    }
  }
  std::size_t i = e == std::string_view::npos ? number.size() : e;
  long exponent = 0;
  if (i < number.size()) {
    bool negative = false;
    std::size_t k = i + 1;
    if (k < number.size() && (number[k] == '+' || number[k] == '-')) negative = number[k++] == '-';
    for (; k < number.size(); ++k) {
      if (exponent < 100000000) exponent = exponent * 10 + (number[k] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent;
}

}  // namespace

// atoi's reading: white space, a sign, decimal digits up to the first other
// byte. Values beyond the integer range stop at its ends instead of
// wrapping, so a long number never turns negative.
std::int32_t TextToInt32(const char* text) {
  if (text == nullptr) return 0;
  std::string folded = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && IsCSpace(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
  std::int64_t magnitude = 0;
  for (; i < folded.size() && IsDigit(folded[i]); ++i) {
    magnitude = magnitude * 10 + (folded[i] - '0');
    if (magnitude > 2147483648LL) magnitude = 2147483648LL;
  }
  std::int64_t v = negative ? -magnitude : magnitude;
  if (v > std::numeric_limits<std::int32_t>::max()) v = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

// atof's reading of a decimal number: white space, a sign, digits with an
// optional point, an optional exponent. Parsed without the process locale.
double TextToDouble(const char* text) {
  if (text == nullptr) return 0.0;
  std::string folded = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && IsCSpace(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';

  std::size_t start = i;
  std::size_t digits = 0;
  for (; i < folded.size() && IsDigit(folded[i]); ++i) ++digits;
  if (i < folded.size() && folded[i] == '.') {
    ++i;
    for (; i < folded.size() && IsDigit(folded[i]); ++i) ++digits;
  }
  if (digits == 0) return 0.0;
  // An exponent counts only when at least one digit follows it.
  if (i < folded.size() && (folded[i] == 'e' || folded[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < folded.size() && (folded[e] == '+' || folded[e] == '-')) ++e;
    if (e < folded.size() && IsDigit(folded[e])) {
      i = e;
      while (i < folded.size() && IsDigit(folded[i])) ++i;
    }
  }

  double v = 0.0;
  auto result = std::from_chars(folded.data() + start, folded.data() + i, v, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves v alone when the number is beyond a double; atof
    // gives infinity for a huge number and zero for a tiny one.
    v = DecimalMagnitude(std::string_view(folded).substr(start, i - start)) > 0
            ? std::numeric_limits<double>::infinity()
            : 0.0;
  }
  return negative ? -v : v;
}

}  // namespace horavia::runtime
