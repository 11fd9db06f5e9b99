// Text, byte-set and conversion commands.
//
// Index
//   [data]         the data bytes of byte-sets and numeric arrays
//   [conversions]  ToText, ToInteger, ToFloat64, ToByteSet
//   [texts]        CharFromCode, ToUpperCase, RightText, Spaces, CompareText,
//                  SplitText, TextAtAddress
//   [byte-sets]    LeftBytes, ZeroByteSet, ByteSetLength
//   [numbers]      FloorToInteger, RandomInteger and its generator
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "base/ascii.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/commands.h"
#include "runtime/memory.h"

namespace horavia::runtime::commands {
namespace {

bool IsLead(char c) { return static_cast<std::uint8_t>(c) >= 0x80; }

// [data] ---------------------------------------------------------------------

// The data bytes of a byte-set, or of an array of numbers (element size ×
// the size of its first dimension). Nothing for any other value.
std::string_view DataBytes(const ArgRecord& value) {
  if (value.tag == kTagByteSet) {
    ByteSetView bytes = ByteSetBytes(value.asPointer());
    if (bytes.data == nullptr) return {};
    return {reinterpret_cast<const char*>(bytes.data), bytes.size};
  }
  if (!IsArrayTag(value.tag) || !IsNumericTag(value.tag)) return {};
  const auto* block = static_cast<const std::uint8_t*>(value.asPointer());
  if (block == nullptr) return {};
  std::int32_t dimensions, firstSize;
  std::memcpy(&dimensions, block, 4);
  if (dimensions < 1) return {};
  std::memcpy(&firstSize, block + 4, 4);
  if (firstSize <= 0) return {};
  auto size = static_cast<std::size_t>(firstSize) * static_cast<std::size_t>(ElementSize(value.tag));
  return {reinterpret_cast<const char*>(block + 4 + 4 * static_cast<std::size_t>(dimensions)), size};
}

bool HasDataBytes(const ArgRecord& value) {
  return value.tag == kTagByteSet || (IsArrayTag(value.tag) && IsNumericTag(value.tag));
}

void SetText(ArgRecord* result, std::string_view text) { SetPointer(result, CopyText(text)); }
void SetByteSet(ArgRecord* result, std::string_view bytes) {
  SetPointer(result, MakeByteSet(bytes.data(), bytes.size()));
}

}  // namespace

// [conversions] --------------------------------------------------------------

void ToText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  if (HasDataBytes(value)) {
    std::string_view bytes = DataBytes(value);
    SetText(result, bytes.substr(0, bytes.find('\0')));
    return;
  }
  if (IsArrayTag(value.tag)) return;
  SetText(result, BasicValueToText(value));
}

void ToInteger(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  switch (value.tag) {
    case kTagBool:
    case kTagInt:
    case kTagLong:
    case kTagAddress: SetInt(result, static_cast<std::int32_t>(value.low)); return;
    case kTagText: SetInt(result, TextToInt32(value.asText())); return;
    case kTagByte:
    case kTagShort:
    case kTagFloat:
    case kTagDouble: SetInt(result, ToInt32(value)); return;
    default: return;
  }
}

void ToFloat64(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  switch (value.tag) {
    case kTagBool:
    case kTagInt: SetDouble(result, static_cast<double>(value.asInt32())); return;
    case kTagText: SetDouble(result, TextToDouble(value.asText())); return;
    case kTagAddress: SetDouble(result, static_cast<double>(value.low)); return;
    case kTagByte: SetDouble(result, static_cast<double>(value.low & 0xFF)); return;
    case kTagShort: SetDouble(result, static_cast<double>(static_cast<std::int16_t>(value.low & 0xFFFF))); return;
    case kTagLong: SetDouble(result, static_cast<double>(value.asInt64())); return;
    case kTagFloat: SetDouble(result, static_cast<double>(value.asFloat())); return;
    case kTagDouble: SetDouble(result, value.asDouble()); return;
    default: return;
  }
}

void ToByteSet(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  if (HasDataBytes(value)) {
    SetByteSet(result, DataBytes(value));
    return;
  }
  if (IsArrayTag(value.tag) || ClassifyTag(value.tag) != TagClass::Basic) return;
  if (value.tag == kTagText) {
    SetByteSet(result, TextOf(value));
    return;
  }
  ValueSpan bytes = ValueBytes(value);
  SetPointer(result, MakeByteSet(bytes.data, bytes.size));
}

// [texts] --------------------------------------------------------------------

void CharFromCode(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  char code = static_cast<char>(IntOf(ArgAt(argCount, args, 0)) & 0xFF);
  if (code == '\0') return;
  SetText(result, std::string_view(&code, 1));
}

void ToUpperCase(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string text(TextOf(ArgAt(argCount, args, 0)));
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLead(text[i])) {
      ++i;  // the trail byte belongs to the character, whatever it looks like
      continue;
    }
    text[i] = base::ToAsciiUpper(text[i]);
  }
  SetText(result, text);
}

void RightText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view text = TextOf(ArgAt(argCount, args, 0));
  std::int32_t n = IntOf(ArgAt(argCount, args, 1));
  if (n <= 0) return;
  auto count = static_cast<std::size_t>(n);
  SetText(result, count >= text.size() ? text : text.substr(text.size() - count));
}

void Spaces(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::int32_t n = IntOf(ArgAt(argCount, args, 0));
  if (n < 1) return;
  auto* text = static_cast<char*>(Allocate(static_cast<std::size_t>(n) + 1));
  std::memset(text, ' ', static_cast<std::size_t>(n));
  text[n] = '\0';
  SetPointer(result, text);
}

namespace {

// One character of a code-page-936 text: a lead byte and its trail form one
// code; a lead byte at the very end stands alone.
unsigned NextCharacter(std::string_view text, std::size_t& i) {
  auto b = static_cast<std::uint8_t>(text[i++]);
  if (b < 0x80 || i >= text.size()) return b;
  return (static_cast<unsigned>(b) << 8) | static_cast<std::uint8_t>(text[i++]);
}

// A single byte folds as ASCII; a two-byte character (above 0xFF) has no case.
unsigned FoldToLower(unsigned c) {
  return c > 0xFF ? c : static_cast<std::uint8_t>(base::ToAsciiLower(static_cast<char>(c)));
}

int CompareCharacters(std::string_view a, std::string_view b, bool caseSensitive) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    unsigned x = NextCharacter(a, i);
    unsigned y = NextCharacter(b, j);
    if (!caseSensitive) {
      x = FoldToLower(x);
      y = FoldToLower(y);
    }
    // A single byte and a two-byte character compare by their first bytes.
    unsigned xKey = x > 0xFF ? x : x << 8;
    unsigned yKey = y > 0xFF ? y : y << 8;
    if (xKey != yKey) return xKey < yKey ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

void CompareText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view a = TextOf(ArgAt(argCount, args, 0));
  std::string_view b = TextOf(ArgAt(argCount, args, 1));
  ArgRecord caseArg = ArgAt(argCount, args, 2);
  bool caseSensitive = caseArg.omitted() || caseArg.low != 0;
  SetInt(result, CompareCharacters(a, b, caseSensitive));
}

namespace {

// A one-dimensional array of texts: [1][count][count text pointers].
void* MakeTextArray(const std::vector<std::string_view>& pieces) {
  std::size_t bytes = 8 + pieces.size() * sizeof(char*);
  auto* block = static_cast<std::uint8_t*>(Allocate(bytes));
  const std::int32_t header[2] = {1, static_cast<std::int32_t>(pieces.size())};
  std::memcpy(block, header, sizeof header);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    char* text = CopyText(pieces[i]);
    std::memcpy(block + 8 + i * sizeof(char*), &text, sizeof text);
  }
  return block;
}

}  // namespace

void SplitText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view text = TextOf(ArgAt(argCount, args, 0));
  ArgRecord delimiterArg = ArgAt(argCount, args, 1);
  std::string_view delimiter = delimiterArg.omitted() ? std::string_view(",") : TextOf(delimiterArg);
  ArgRecord maximumArg = ArgAt(argCount, args, 2);
  bool limited = !maximumArg.omitted();
  std::int32_t remaining = limited ? std::max(IntOf(maximumArg), 0) : 0;

  std::vector<std::string_view> pieces;
  if (text.empty() || (limited && remaining == 0)) {
    SetPointer(result, MakeTextArray(pieces));
    return;
  }
  if (delimiter.empty()) {
    pieces.push_back(text);
    SetPointer(result, MakeTextArray(pieces));
    return;
  }

  std::size_t start = 0, position = 0;
  bool usedUp = false;
  while (text.size() - position >= delimiter.size()) {
    if (text.compare(position, delimiter.size(), delimiter) == 0) {
      pieces.push_back(text.substr(start, position - start));
      position += delimiter.size();
      start = position;
      if (limited && --remaining == 0) {
        usedUp = true;
        break;
      }
      continue;
    }
    // Character by character, so a delimiter never matches inside a
    // two-byte character; a lead byte at the very end stops the scan.
    if (IsLead(text[position])) {
      if (position + 1 >= text.size()) break;
      position += 2;
    } else {
      position += 1;
    }
  }
  if (!usedUp && start < text.size()) pieces.push_back(text.substr(start));
  SetPointer(result, MakeTextArray(pieces));
}

void TextAtAddress(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  // Memory handed out by an external function: the caller vouches for it.
  const char* text = static_cast<const char*>(ArgAt(argCount, args, 0).asPointer());
  SetPointer(result, CopyText(text));
}

// [byte-sets] ----------------------------------------------------------------

void LeftBytes(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  std::int32_t n = IntOf(ArgAt(argCount, args, 1));
  if (value.tag != kTagByteSet || n <= 0) return;
  ByteSetView bytes = ByteSetBytes(value.asPointer());
  std::size_t count = std::min(static_cast<std::size_t>(n), bytes.size);
  SetPointer(result, MakeByteSet(bytes.data, count));
}

void ZeroByteSet(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::int32_t n = IntOf(ArgAt(argCount, args, 0));
  if (n <= 0) return;
  SetPointer(result, MakeByteSet(nullptr, static_cast<std::size_t>(n)));
}

void ByteSetLength(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  if (value.tag != kTagByteSet) return;
  SetInt(result, static_cast<std::int32_t>(ByteSetBytes(value.asPointer()).size));
}

// [numbers] ------------------------------------------------------------------

void FloorToInteger(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord value = ArgAt(argCount, args, 0);
  double x = value.tag == kTagDouble || value.tag == kTagDateTime ? value.asDouble() : 0.0;
  if (value.tag != kTagDouble && value.tag != kTagDateTime && IsNumericTag(value.tag)) {
    ArgRecord wide;
    ToFloat64(&wide, 1, &value);
    x = wide.asDouble();
  }
  double whole;
  double fraction = std::modf(x, &whole);
  // A value a hair away from the next integer (rounding noise of a sum or
  // a division) counts as that integer. The side is taken from the value's
  // own sign: modf gives -0.0 as the whole part of -0.9999999999999, which
  // must become -1, not 1.
  if (std::fabs(fraction) > 0.999999999999) x = std::signbit(x) ? whole - 1.0 : whole + 1.0;
  double floored = std::floor(x);
  if (!(floored >= -2147483648.0 && floored < 2147483648.0)) {
    SetInt(result, std::numeric_limits<std::int32_t>::min());
    return;
  }
  SetInt(result, static_cast<std::int32_t>(floored));
}

RandomGenerator& CoreRandomGenerator() {
  // The core library's generator: one per process, like the library itself.
  static RandomGenerator generator;
  return generator;
}

void RandomInteger(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord a = ArgAt(argCount, args, 0);
  ArgRecord b = ArgAt(argCount, args, 1);
  std::int32_t lower = a.omitted() ? 0 : std::max(IntOf(a), 0);
  std::int32_t upper = b.omitted() ? std::numeric_limits<std::int32_t>::max() : std::max(IntOf(b), 0);
  if (lower > upper) std::swap(lower, upper);
  if (lower == upper) {
    SetInt(result, lower);
    return;
  }
  std::int64_t range = std::min<std::int64_t>(std::int64_t{upper} - lower, 2147483646);
  std::int64_t r = std::abs(CoreRandomGenerator().next());
  SetInt(result, static_cast<std::int32_t>(lower + r % (range + 1)));
}

}  // namespace horavia::runtime::commands
