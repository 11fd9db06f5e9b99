// Settings (INI) files with the classic profile-function semantics, on
// code-page-936 bytes.
//
// Reading: section and key names match without regard to ASCII case (the
// bytes of two-byte characters match exactly), the first matching section
// and, in it, the first matching key win; white space around names and
// values is trimmed; a value enclosed in a pair of the same quote character
// loses the quotes. Only lines holding "=" are keys.
//
// Writing edits single lines and keeps every other byte of the file as it
// was (line endings, comments, junk): a changed key keeps its place, a new
// key goes after the last non-blank line of its section, a new section goes
// at the end of the file. The file is replaced through a temporary file.
//
// The pure functions work on the file's bytes, so that they can be tested
// and fuzzed without a disk.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace horavia::platform {

// The value of section/key in the file's bytes, trimmed and unquoted (and
// cut at a NUL byte); nothing when the section or key is missing.
std::optional<std::string> IniLookup(std::string_view content, std::string_view section, std::string_view key);

// The file's bytes after setting section/key to value.
std::string IniSetValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);
// The file's bytes without the key (every line of it in the first matching
// section).
std::string IniRemoveKey(std::string_view content, std::string_view section, std::string_view key);
// The file's bytes without every section of that name, header to the line
// before the next section.
std::string IniRemoveSection(std::string_view content, std::string_view section);

// Reads a value from the file at hostPath into a buffer of bufferSize bytes
// with its terminator: the result holds at most bufferSize - 1 bytes and
// never ends in half a two-byte character. A missing file, section or key
// gives the default (cut the same way).
std::string ReadIniString(const std::string& hostPath, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize);

// Writes one value: no key removes the section, no value removes the key.
// False when the file cannot be written, when a name or value holds a line
// break (which would add lines of its own to the file), or when the section
// and key could not be found again once written (a "]" in the section, an
// "=" in the key, a name ending in half a character).
bool WriteIniString(const std::string& hostPath, std::string_view section,
                    std::optional<std::string_view> key, std::optional<std::string_view> value);

}  // namespace horavia::platform
