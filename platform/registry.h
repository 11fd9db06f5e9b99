// A registry of roots, keys and typed values, kept in files under the user's
// configuration folder (<config>/horavia/registry, one settings file per
// root: a section per key path, a line per value).
//
// Key paths and value names are code-page-936 bytes and match without
// regard to ASCII case. Writing one value rewrites one line of its root's
// file through a temporary file, so a damaged store loses nothing a later
// write did not touch.
//
// A text value written under SOFTWARE\Microsoft\Windows\CurrentVersion\Run
// (any root) is mirrored to the desktop's autostart entry
// <config>/autostart/<value name>.desktop; an empty text marks that entry
// hidden. Reading never looks at the mirror.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace horavia::platform {

enum class RegistryRoot : int { ClassesRoot, CurrentConfig, CurrentUser, LocalMachine, Users };

// Value types, numbered as the registry numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

struct RegistryValue {
  std::uint32_t type = 0;
  std::string data;  // the stored bytes: texts with their terminating zero
  bool operator==(const RegistryValue&) const = default;
};

// One stored value as its line in the root's file ("type:escaped bytes")
// and back. Parsing is strict: anything malformed is no value at all.
std::string EncodeRegistryValue(const RegistryValue& value);
std::optional<RegistryValue> DecodeRegistryValue(std::string_view stored);

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; empty
// when neither is known.
std::string UserConfigFolder();

// Code-page-936 text with its %NAME% references replaced by the
// environment's values, converted from UTF-8 (an unknown name stays as it
// is written).
std::string ExpandEnvironmentReferences(std::string_view text);

class RegistryStore {
 public:
  // configFolder: the host folder holding "horavia/registry" and "autostart".
  explicit RegistryStore(std::string configFolder);
  // The store under UserConfigFolder().
  static RegistryStore ForUser();

  // Nothing when the key or value does not exist or cannot be read.
  std::optional<RegistryValue> read(RegistryRoot root, std::string_view keyPath, std::string_view valueName) const;
  // Creates the key as needed. False when the store cannot be written.
  bool write(RegistryRoot root, std::string_view keyPath, std::string_view valueName, const RegistryValue& value);

  // Host paths, for tests and for the folder lookups.
  std::string rootFile(RegistryRoot root) const;
  std::string autostartEntry(std::string_view valueName) const;

 private:
  void mirrorAutostart(std::string_view valueName, const RegistryValue& value) const;

  std::string config_;
};

// The autostart entry's text for a program (host path) and entry name
// (UTF-8); hidden marks the entry as switched off.
std::string AutostartEntryText(std::string_view name, std::string_view hostProgram, bool hidden);

}  // namespace horavia::platform
