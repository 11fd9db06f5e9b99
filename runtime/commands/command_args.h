// Small helpers the command families (and the animation box's commands)
// share for reading arguments and writing results: the conversions of one
// argument, and CommandArgs, the one reader of a call's arguments by
// position, optional ones included.
#pragma once

#include <cstdint>
#include <optional>
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

// A byte-set argument's bytes; anything that is not a byte-set reads as none.
inline ByteSetView ByteSetOf(const ArgRecord& arg) {
  if (arg.tag != kTagByteSet) return {};
  return ByteSetBytes(arg.asPointer());
}

// The arguments of one call, by position. A position the caller did not pass
// reads as an omitted argument, so an optional argument is absent whether it
// was left out or not passed at all.
class CommandArgs {
 public:
  CommandArgs(std::int32_t count, const ArgRecord* args) : count_(count), args_(args) {}

  std::int32_t count() const { return args_ != nullptr && count_ > 0 ? count_ : 0; }
  ArgRecord at(std::int32_t i) const { return ArgAt(count_, args_, i); }
  bool given(std::int32_t i) const { return !at(i).omitted(); }

  std::int32_t integer(std::int32_t i) const { return IntOf(at(i)); }
  std::optional<std::int32_t> optionalInteger(std::int32_t i) const {
    if (!given(i)) return std::nullopt;
    return integer(i);
  }
  // A given bool, or any given number other than 0; `absent` when left out.
  bool boolean(std::int32_t i, bool absent) const { return given(i) ? integer(i) != 0 : absent; }
  std::string_view text(std::int32_t i) const { return TextOf(at(i)); }
  std::optional<std::string_view> optionalText(std::int32_t i) const {
    if (!given(i)) return std::nullopt;
    return text(i);
  }
  ByteSetView byteSet(std::int32_t i) const { return ByteSetOf(at(i)); }
  UnitRef unit(std::int32_t i) const { return UnitRef::From(at(i)); }

 private:
  std::int32_t count_;
  const ArgRecord* args_;
};

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
