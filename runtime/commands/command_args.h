// Small helpers the command families share for reading arguments and
// writing results.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/values.h"

namespace horavia::runtime::commands {

// Argument i, or an omitted record when the caller passed fewer.
inline ArgRecord ArgAt(std::int32_t argCount, const ArgRecord* args, std::int32_t i) {
  if (args == nullptr || i < 0 || i >= argCount) return {};
  return args[i];
}

// A text argument's bytes; anything that is not a text reads as empty.
inline std::string_view TextOf(const ArgRecord& arg) {
  if (arg.tag != kTagText) return {};
  const char* text = arg.asText();
  return text != nullptr ? std::string_view(text) : std::string_view();
}

// A number argument as a 32-bit integer: numbers through ToInt32, a bool as
// 0 or 1, anything else (an omitted argument included) as 0.
inline std::int32_t IntOf(const ArgRecord& arg) {
  if (IsNumericTag(arg.tag)) return ToInt32(arg);
  if (arg.tag == kTagBool) return arg.low != 0 ? 1 : 0;
  return 0;
}

inline void SetInt(ArgRecord* result, std::int32_t v) { result->low = static_cast<std::uint32_t>(v); }
inline void SetBool(ArgRecord* result, bool v) { result->low = v ? 1u : 0u; }
inline void SetDouble(ArgRecord* result, double d) {
  ArgRecord r = ArgRecord::Double(d);
  result->low = r.low;
  result->high = r.high;
}
inline void SetPointer(ArgRecord* result, const void* p) { result->setPointer(p); }

// True when the last character of the text is a backslash, reading the text
// character by character (a trail byte of 0x5C is part of a letter).
inline bool EndsWithBackslash(std::string_view text) {
  bool last = false;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<std::uint8_t>(text[i]) >= 0x80 && i + 1 < text.size()) {
      last = false;
      i += 2;
    } else {
      last = text[i] == '\\';
      i += 1;
    }
  }
  return last;
}

}  // namespace horavia::runtime::commands
