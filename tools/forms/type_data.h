// The unit types the form compiler knows: their names in form sources, their
// type codes and their stored-data records. Each type's record (ui/forms,
// ui/controls, anim/cartoonbox) is the one description of its layout; this
// table only routes a type to it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"

namespace horavia::tools {

// One "data KEY VALUE" line of a source, with the value still as written.
struct DataField {
  std::string key;
  std::string value;  // the token, with its quotes when it was quoted
  bool quoted = false;
  int line = 0;
};

// Turns written values into stored ones; supplied by the caller, which knows
// where asset files live and how texts are converted.
struct ValueResolver {
  // UTF-8 text -> code page 936; nothing when it cannot be represented.
  std::function<std::optional<std::string>(std::string_view utf8)> text;
  // A blob value: "file:PATH", "asset:PATH" or "hex:..." (the empty quoted
  // value is empty).
  std::function<std::optional<base::Bytes>(std::string_view value, std::string& error)> blob;
};

struct UnitTypeInfo {
  std::string_view name;  // as written in sources: "CheckBox", "window", ...
  std::uint32_t code;
  bool hasRecord;         // whether the type has stored data fields
};

const std::vector<UnitTypeInfo>& unitTypes();
const UnitTypeInfo* findUnitType(std::string_view name);
const UnitTypeInfo* findUnitType(std::uint32_t code);

// Stored data of type `code` with every field at its default but those given.
// Nothing, and `error` set (with the line), for an unknown key or a value of
// the wrong kind.
std::optional<base::Bytes> compileTypeData(std::uint32_t code, const std::vector<DataField>& fields,
                                           const ValueResolver& resolver, std::string& error);

// Parses a whole integer: decimal, 0x hexadecimal, optionally negative; any
// value from -2^31 to 2^32-1, stored as its low 32 bits.
std::optional<std::uint32_t> parseInteger(std::string_view text);

// A JSON string literal of UTF-8 text, with quotes, backslashes and control
// characters escaped.
std::string jsonString(std::string_view utf8);

// The stored data as a JSON object of its fields (blobs as {"bytes":N}),
// texts converted to UTF-8 by `toUtf8`; "null" when it does not read.
std::string typeDataJson(std::uint32_t code, std::span<const std::uint8_t> bytes,
                         const std::function<std::string(std::string_view)>& toUtf8);

}  // namespace horavia::tools
