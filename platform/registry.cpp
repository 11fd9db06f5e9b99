// Index
//   [escapes]    names and bytes made safe for one line of a settings file
//   [values]     stored value lines
//   [folders]    the configuration folder, environment expansion
//   [store]      reading and writing values
//   [autostart]  the desktop entry mirrored from the Run key
#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/ascii.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text_codec.h"

namespace horavia::platform {
namespace {

// [escapes] ------------------------------------------------------------------

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void PushEscaped(std::string& out, unsigned char b) {
  out.push_back('%');
  out.push_back(kHexDigits[b >> 4]);
  out.push_back(kHexDigits[b & 0x0F]);
}

// Control bytes, blanks and "%" always become %XX, plus the bytes that mean
// something to the line's own syntax.
std::string Escape(std::string_view bytes, std::string_view special) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b == 0x7F || c == '%' || special.find(c) != std::string_view::npos) {
      PushEscaped(out, b);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// As Escape, for names, which the settings file reads character by
// character: a two-byte character stays as it is (its trail byte is part of
// it, whatever it looks like), and a lead byte without its trail is escaped
// so that it cannot swallow the "]" or "=" after the name.
std::string EscapeName(std::string_view name, std::string_view special) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto b = static_cast<unsigned char>(name[i]);
    if (b < 0x80) {
      out += Escape(name.substr(i, 1), special);
    } else if (i + 1 < name.size()) {
      out.append(name.substr(i, 2));
      ++i;
    } else {
      PushEscaped(out, b);
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    int high = HexValue(text[i + 1]);
    int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return out;
}

// A key path is a section "[k:<path>]", a value name a key "v:<name>": the
// prefixes keep empty names (the root, the default value) and leading
// brackets apart from the file's syntax.
std::string SectionFor(std::string_view keyPath) { return "k:" + EscapeName(keyPath, "[]"); }
std::string KeyFor(std::string_view valueName) { return "v:" + EscapeName(valueName, "=[]"); }

// [values] -------------------------------------------------------------------

struct TypeName {
  std::uint32_t type;
  std::string_view name;
};
constexpr TypeName kTypeNames[] = {
    {kRegSz, "sz"}, {kRegExpandSz, "expand"}, {kRegBinary, "binary"}, {kRegDword, "dword"}};

std::string_view NameOfType(std::uint32_t type) {
  for (const auto& t : kTypeNames) {
    if (t.type == type) return t.name;
  }
  return {};
}

std::optional<std::uint32_t> TypeOfName(std::string_view name) {
  for (const auto& t : kTypeNames) {
    if (t.name == name) return t.type;
  }
  if (name.size() < 2 || name[0] != 't') return std::nullopt;
  std::uint32_t type = 0;
  for (char c : name.substr(1)) {
    if (c < '0' || c > '9' || type > 100000000) return std::nullopt;
    type = type * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return type;
}

constexpr std::string_view kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Case-insensitive ASCII comparison; the Run key's path is plain ASCII.
bool IsRunKey(std::string_view keyPath) {
  while (!keyPath.empty() && keyPath.front() == '\\') keyPath.remove_prefix(1);
  while (!keyPath.empty() && keyPath.back() == '\\') keyPath.remove_suffix(1);
  return base::EqualIgnoringAsciiCase(keyPath, kRunKey);
}

// [autostart] ----------------------------------------------------------------

// One argument of an Exec line: quoted when it holds a reserved character,
// with the four characters that stay special inside quotes escaped.
std::string ExecArgument(std::string_view argument) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  if (!argument.empty() && argument.find_first_of(kReserved) == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

// A desktop entry's string value: backslashes and line breaks escaped, so a
// value can never start a line of its own.
std::string EntryString(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

// The entry's file name: the value name as UTF-8 without folder separators;
// empty when the name cannot name a file.
std::string EntryFileName(std::string_view valueName) {
  std::string name = Cp936ToUtf8(valueName);
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == '\0') c = '_';
  }
  if (name.empty() || name == "." || name == "..") return {};
  return name;
}

}  // namespace

std::string EncodeRegistryValue(const RegistryValue& value) {
  std::string_view name = NameOfType(value.type);
  std::string prefix = name.empty() ? "t" + std::to_string(value.type) : std::string(name);
  return prefix + ":" + Escape(value.data, "");
}

std::optional<RegistryValue> DecodeRegistryValue(std::string_view stored) {
  std::size_t colon = stored.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  auto type = TypeOfName(stored.substr(0, colon));
  if (!type) return std::nullopt;
  auto data = Unescape(stored.substr(colon + 1));
  if (!data) return std::nullopt;
  if (*type == kRegDword && data->size() != 4) return std::nullopt;
  return RegistryValue{*type, std::move(*data)};
}

// [folders] --------------------------------------------------------------------

std::string UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config";
  return {};
}

std::string ExpandEnvironmentReferences(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t open = text.find('%', i);
    if (open == std::string_view::npos) break;
    std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    std::string name = Cp936ToUtf8(text.substr(open + 1, close - open - 1));
    const char* found = name.empty() ? nullptr : std::getenv(name.c_str());
    out.append(text.substr(i, open - i));
    if (found != nullptr) {
      out.append(Utf8ToCp936(found));  // the environment speaks UTF-8
      i = close + 1;
    } else {
      // An unknown name stays; its closing "%" may open the next reference.
      out.append(text.substr(open, close - open));
      i = close;
    }
  }
  out.append(text.substr(i));
  return out;
}

std::string AutostartEntryText(std::string_view name, std::string_view hostProgram, bool hidden) {
  std::string exec = ExecArgument(hostProgram);
  std::string escapedExec;
  for (char c : exec) {
    if (c == '%') escapedExec.push_back('%');  // "%" starts a field code
    escapedExec.push_back(c);
  }
  std::string text = "[Desktop Entry]\n";
  text += "Type=Application\n";
  text += "Name=" + EntryString(name) + "\n";
  text += "Exec=" + EntryString(escapedExec) + "\n";
  text += std::string("Hidden=") + (hidden ? "true" : "false") + "\n";
  text += "X-GNOME-Autostart-enabled=true\n";
  return text;
}

// [store] --------------------------------------------------------------------

RegistryStore::RegistryStore(std::string configFolder) : config_(std::move(configFolder)) {}

RegistryStore RegistryStore::ForUser() { return RegistryStore(UserConfigFolder()); }

std::string RegistryStore::rootFile(RegistryRoot root) const {
  static constexpr std::string_view kFiles[] = {"classes_root.ini", "current_config.ini", "current_user.ini",
                                                "local_machine.ini", "users.ini"};
  auto index = static_cast<std::size_t>(root);
  if (config_.empty() || index >= std::size(kFiles)) return {};
  return config_ + "/horavia/registry/" + std::string(kFiles[index]);
}

std::string RegistryStore::autostartEntry(std::string_view valueName) const {
  std::string name = EntryFileName(valueName);
  if (config_.empty() || name.empty()) return {};
  return config_ + "/autostart/" + name + ".desktop";
}

std::optional<RegistryValue> RegistryStore::read(RegistryRoot root, std::string_view keyPath,
                                                 std::string_view valueName) const {
  std::string path = rootFile(root);
  if (path.empty()) return std::nullopt;
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  std::string_view content(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  auto stored = IniLookup(content, SectionFor(keyPath), KeyFor(valueName));
  if (!stored) return std::nullopt;
  return DecodeRegistryValue(*stored);
}

bool RegistryStore::write(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                          const RegistryValue& value) {
  std::string path = rootFile(root);
  if (path.empty() || !MakeFolders(config_ + "/horavia/registry")) return false;
  if (!WriteIniString(path, SectionFor(keyPath), KeyFor(valueName), EncodeRegistryValue(value))) return false;
  if (value.type == kRegSz && IsRunKey(keyPath)) mirrorAutostart(valueName, value);
  return true;
}

void RegistryStore::mirrorAutostart(std::string_view valueName, const RegistryValue& value) const {
  std::string entry = autostartEntry(valueName);
  if (entry.empty()) return;
  std::string_view program(value.data);
  program = program.substr(0, program.find('\0'));

  if (program.empty()) {
    // Switched off: the entry stays, hidden, so the desktop's own settings
    // for it survive; a missing entry has nothing to hide.
    auto bytes = ReadWholeFile(entry);
    if (!bytes) return;
    std::string_view content(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    std::string updated = IniSetValue(content, "Desktop Entry", "Hidden", "true");
    if (updated != content) ReplaceFile(entry, updated);
    return;
  }
  if (!MakeFolders(config_ + "/autostart")) return;
  ReplaceFile(entry, AutostartEntryText(Cp936ToUtf8(valueName), HostPath(program), false));
}

}  // namespace horavia::platform
