// Settings-file and registry commands.
#include <optional>
#include <string>

#include "platform/ini.h"
#include "platform/registry.h"
#include "platform/text_codec.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/commands.h"

namespace horavia::runtime::commands {
namespace {

// The profile read's buffer, terminator included.
constexpr std::size_t kIniBufferSize = 10240;

std::string_view SkipControlBytes(std::string_view s) {
  while (!s.empty() && static_cast<std::uint8_t>(s.front()) <= 32) s.remove_prefix(1);
  return s;
}

platform::RegistryRoot RootOf(std::int32_t root) {
  switch (root) {
    case 1: return platform::RegistryRoot::ClassesRoot;
    case 2: return platform::RegistryRoot::CurrentConfig;
    case 4: return platform::RegistryRoot::LocalMachine;
    case 5: return platform::RegistryRoot::Users;
    default: return platform::RegistryRoot::CurrentUser;
  }
}

std::string LittleEndian32(std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  char bytes[4] = {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                   static_cast<char>(u >> 24)};
  return std::string(bytes, 4);
}

// The value to store for an argument, by its kind; nothing for a kind the
// registry cannot hold.
std::optional<platform::RegistryValue> StoredValue(const ArgRecord& value) {
  if (IsNumericTag(value.tag) && !IsArrayTag(value.tag)) {
    return platform::RegistryValue{platform::kRegDword, LittleEndian32(ToInt32(value))};
  }
  if (value.tag == kTagText) {
    std::string data(TextOf(value));
    data.push_back('\0');  // stored with its terminating zero
    return platform::RegistryValue{platform::kRegSz, data};
  }
  if (value.tag == kTagByteSet) {
    ByteSetView bytes = ByteSetBytes(value.asPointer());
    std::string data = bytes.data != nullptr ? std::string(reinterpret_cast<const char*>(bytes.data), bytes.size)
                                             : std::string();
    return platform::RegistryValue{platform::kRegBinary, data};
  }
  return std::nullopt;
}

}  // namespace

RegistryPath SplitRegistryPath(std::string_view path) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size();) {
    if (static_cast<std::uint8_t>(path[i]) >= 0x80) {
      if (i + 1 >= path.size()) break;  // a lead byte without its trail ends the text
      i += 2;
      continue;
    }
    if (path[i] == '\\') last = i;
    ++i;
  }
  if (last == std::string_view::npos) return {{}, path};
  return {path.substr(0, last), path.substr(last + 1)};
}

void ReadIniValue(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view file = SkipControlBytes(TextOf(ArgAt(argCount, args, 0)));
  std::string_view section = SkipControlBytes(TextOf(ArgAt(argCount, args, 1)));
  std::string_view key = SkipControlBytes(TextOf(ArgAt(argCount, args, 2)));
  if (file.empty() || section.empty() || key.empty()) return;
  std::string_view defaultValue = TextOf(ArgAt(argCount, args, 3));
  std::string value = platform::ReadIniString(platform::HostPath(file), section, key, defaultValue, kIniBufferSize);
  SetPointer(result, CopyText(value));
}

void WriteIniValue(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  std::string_view file = a.text(0);
  if (file.empty()) return;
  SetBool(result, platform::WriteIniString(platform::HostPath(file), a.text(1), a.optionalText(2), a.optionalText(3)));
}

void ReadRegistryText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  platform::RegistryRoot root = RootOf(IntOf(ArgAt(argCount, args, 0)));
  RegistryPath path = SplitRegistryPath(TextOf(ArgAt(argCount, args, 1)));
  auto stored = platform::RegistryStore::ForUser().read(root, path.key, path.value);
  if (stored && (stored->type == platform::kRegSz || stored->type == platform::kRegExpandSz)) {
    std::string_view text(stored->data);
    text = text.substr(0, text.find('\0'));
    if (stored->type == platform::kRegSz) {
      SetPointer(result, CopyText(text));
    } else {
      SetPointer(result, CopyText(platform::ExpandEnvironmentReferences(text)));
    }
    return;
  }
  SetPointer(result, CopyText(TextOf(ArgAt(argCount, args, 2))));
}

void WriteRegistryValue(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  platform::RegistryRoot root = RootOf(IntOf(ArgAt(argCount, args, 0)));
  RegistryPath path = SplitRegistryPath(TextOf(ArgAt(argCount, args, 1)));
  auto value = StoredValue(ArgAt(argCount, args, 2));
  if (!value) return;
  auto store = platform::RegistryStore::ForUser();
  SetBool(result, store.write(root, path.key, path.value, *value));
}

}  // namespace horavia::runtime::commands
