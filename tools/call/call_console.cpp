// Index
//   [arguments]  command-line words to argument records
//   [commands]   the result type of each command the console can run
//   [results]    one line per result
#include "tools/call/call_console.h"

#include <charconv>
#include <cstring>

#include "platform/text_codec.h"
#include "runtime/libraries/library_records.h"

namespace horavia::tools {
namespace {

using runtime::ArgRecord;
using runtime::TypeTag;

// [arguments] ----------------------------------------------------------------

template <class T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  int base = 10;
  bool negative = false;
  if constexpr (std::is_integral_v<T>) {
    if (!text.empty() && text.front() == '-') {
      negative = true;
      text.remove_prefix(1);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      base = 16;
      text.remove_prefix(2);
    }
  }
  const char* end = text.data() + text.size();
  std::from_chars_result r;
  if constexpr (std::is_integral_v<T>) {
    r = std::from_chars(text.data(), end, value, base);
  } else {
    r = std::from_chars(text.data(), end, value);
  }
  if (text.empty() || r.ec != std::errc() || r.ptr != end) return std::nullopt;
  if constexpr (std::is_integral_v<T>) {
    if (negative) value = static_cast<T>(0 - value);
  }
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> ParseHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

// [results] ------------------------------------------------------------------

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 15]);
  }
  return out;
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (b < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", b);
      out += escape;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

std::string Shortest(double d) {
  char buffer[64];
  auto r = std::to_chars(buffer, buffer + sizeof buffer, d);
  return std::string(buffer, r.ptr);
}

}  // namespace

std::optional<ArgRecord> ParseArgument(const std::string& word, ArgumentStore& store) {
  if (word == "omit") return ArgRecord{};
  std::size_t colon = word.find(':');
  if (colon == std::string::npos) return std::nullopt;
  std::string kind = word.substr(0, colon);
  std::string_view value = std::string_view(word).substr(colon + 1);

  if (kind == "text") {
    store.texts.push_back(platform::Utf8ToCp936(value));
    return ArgRecord::Pointer(store.texts.back().c_str(), runtime::kTagText);
  }
  if (kind == "bytes") {
    auto bytes = ParseHex(value);
    if (!bytes) return std::nullopt;
    std::vector<char> block(8 + bytes->size());
    const std::int32_t header[2] = {1, static_cast<std::int32_t>(bytes->size())};
    std::memcpy(block.data(), header, 8);
    std::memcpy(block.data() + 8, bytes->data(), bytes->size());
    store.byteSets.push_back(std::move(block));
    return ArgRecord::Pointer(store.byteSets.back().data(), runtime::kTagByteSet);
  }
  if (kind == "int" || kind == "short" || kind == "byte" || kind == "bool") {
    auto n = ParseNumber<std::int64_t>(value);
    if (!n || *n < -2147483648LL || *n > 4294967295LL) return std::nullopt;
    auto low = static_cast<std::uint32_t>(*n);
    if (kind == "short") return ArgRecord{low & 0xFFFF, 0, runtime::kTagShort};
    if (kind == "byte") return ArgRecord{low & 0xFF, 0, runtime::kTagByte};
    if (kind == "bool") return ArgRecord::Bool(low != 0);
    return ArgRecord{low, 0, runtime::kTagInt};
  }
  if (kind == "long") {
    auto n = ParseNumber<std::int64_t>(value);
    if (!n) return std::nullopt;
    return ArgRecord::Int64(*n);
  }
  if (kind == "float" || kind == "double" || kind == "date") {
    auto d = ParseNumber<double>(value);
    if (!d) return std::nullopt;
    if (kind == "float") return ArgRecord::Float(static_cast<float>(*d));
    return ArgRecord::Double(*d, kind == "date" ? runtime::kTagDateTime : runtime::kTagDouble);
  }
  return std::nullopt;
}

int LibraryNumber(const std::string& name) {
  static constexpr const char* kNames[] = {"core", "ext", "special", "system", "data"};
  for (int i = 0; i < 5; ++i) {
    if (name == kNames[i]) return i + 1;
  }
  return 0;
}

// [commands] -----------------------------------------------------------------

// What the command tables record of the command, found by its function.
std::optional<TypeTag> ResultTypeOf(runtime::CommandFunction command) {
  if (command == nullptr) return std::nullopt;
  const runtime::LibraryInfo* const* libraries = runtime::RuntimeLibraries();
  for (int library = 1; library <= runtime::kLibraryCount; ++library) {
    const runtime::LibraryInfo& info = *libraries[library - 1];
    for (std::int32_t index = 0; index < info.commandCount; ++index) {
      if (info.commands[index] != command) continue;
      const std::optional<runtime::CommandResult> result = runtime::ResultOfCommand(library, index);
      if (!result || result->actsOnWindows) return std::nullopt;
      return result->type;
    }
  }
  return std::nullopt;
}

std::string FormatResult(const ArgRecord& result, TypeTag declared) {
  using namespace runtime;
  TypeTag tag = result.tag != kTagNone ? result.tag : declared;
  char head[16];
  std::snprintf(head, sizeof head, "%x ", tag);
  std::string line = head;
  switch (tag) {
    case kTagNone: return line + "none";
    case kTagByte: return line + std::to_string(result.low & 0xFF);
    case kTagShort: return line + std::to_string(static_cast<std::int16_t>(result.low));
    case kTagInt:
    case kTagBool: return line + std::to_string(result.asInt32());
    case kTagAddress: return line + std::to_string(result.low);
    case kTagLong: return line + std::to_string(result.asInt64());
    case kTagFloat: return line + Shortest(result.asFloat());
    case kTagDouble:
    case kTagDateTime: return line + Shortest(result.asDouble());
    case kTagText: {
      const char* text = result.asText();
      return line + "text:" + platform::Cp936ToUtf8(text != nullptr ? text : "");
    }
    case kTagByteSet: {
      ByteSetView bytes = ByteSetBytes(result.asPointer());
      return line + "bytes:" + Hex(std::string_view(reinterpret_cast<const char*>(bytes.data), bytes.size));
    }
    case kTagText | kArrayFlag: {
      std::string list = "[";
      ArrayView view = ArrayElements(result.asPointer());
      auto** texts = static_cast<char**>(view.first);
      for (std::size_t i = 0; i < view.count; ++i) {
        if (i > 0) list += ",";
        list += JsonString(platform::Cp936ToUtf8(texts[i] != nullptr ? texts[i] : ""));
      }
      return line + list + "]";
    }
    default: return line + std::to_string(result.low) + " " + std::to_string(result.high);
  }
}

void FreeResult(const ArgRecord& result, TypeTag declared) {
  runtime::FreeCommandResult(result, result.tag != runtime::kTagNone ? result.tag : declared);
}

}  // namespace horavia::tools
