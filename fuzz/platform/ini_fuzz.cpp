// Fuzz entry point for the INI engine. The input is
//   [section length][key length][value length] section key value content
// (lengths taken modulo 16, 16 and 32, cut short when the input is). Every
// lookup and edit must finish without crashing, and a name and value that
// round-trip through an empty file must round-trip through any file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ini.h"

using namespace horavia::platform;

namespace {

std::string_view Take(std::string_view& input, std::size_t n) {
  std::string_view piece = input.substr(0, n < input.size() ? n : input.size());
  input.remove_prefix(piece.size());
  return piece;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t lengths[3] = {4, 3, 5};
  if (input.size() >= 3) {
    lengths[0] = static_cast<std::uint8_t>(input[0]) % 16;
    lengths[1] = static_cast<std::uint8_t>(input[1]) % 16;
    lengths[2] = static_cast<std::uint8_t>(input[2]) % 32;
    input.remove_prefix(3);
  }
  std::string_view section = Take(input, lengths[0]);
  std::string_view key = Take(input, lengths[1]);
  std::string_view value = Take(input, lengths[2]);
  std::string_view content = input;

  (void)IniLookup(content, section, key);
  std::string set = IniSetValue(content, section, key, value);
  std::string withoutKey = IniRemoveKey(content, section, key);
  std::string withoutSection = IniRemoveSection(content, section);

  // Names and values the file format can hold at all (no line breaks, no
  // brackets or "=" in the wrong place) come back from a fresh file; they
  // must come back from this one too.
  auto fresh = IniLookup(IniSetValue("", section, key, value), section, key);
  if (fresh.has_value() && *fresh == value) {
    Check(IniLookup(set, section, key) == std::optional<std::string>(std::string(value)));
    Check(!IniLookup(IniRemoveKey(set, section, key), section, key).has_value());
    Check(!IniLookup(IniRemoveSection(set, section), section, key).has_value());
  }
  // Removing never adds bytes.
  Check(withoutKey.size() <= content.size());
  Check(withoutSection.size() <= content.size());
  return 0;
}
