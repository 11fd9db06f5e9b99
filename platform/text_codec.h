// Text at the edges: the runtime keeps code-page-936 bytes, Qt wants UTF-16
// and the file system UTF-8. Conversions go through iconv.
#pragma once

#include <string>
#include <string_view>

namespace horavia::platform {

// Undecodable input bytes become U+FFFD (or '?' towards code page 936) rather
// than failing: a text from a file or the user is never fatal.
std::string Cp936ToUtf8(std::string_view cp936);
std::string Utf8ToCp936(std::string_view utf8);
std::u16string Cp936ToUtf16(std::string_view cp936);
std::string Utf16ToCp936(std::u16string_view utf16);

// A runtime path (code page 936, backslashes as folder separators) as a host
// path. The bytes are decoded first, so a trail byte of 0x5C stays a letter.
std::string HostPath(std::string_view runtimePath);
// The reverse: a host path as a runtime path with backslashes.
std::string RuntimePath(std::string_view hostPath);

}  // namespace horavia::platform
