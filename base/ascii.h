// ASCII case folding, written once for every caller. Only 'A'-'Z' and 'a'-'z'
// change; every other byte folds to itself, so the bytes of a code-page-936
// character (lead bytes from 0x81) are never touched. Callers that walk
// two-byte characters keep their own loops: a trail byte can look like an
// ASCII letter, and only the caller knows where the characters start.
#pragma once

#include <cstddef>
#include <string_view>

namespace horavia::base {

constexpr bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }

constexpr char ToAsciiLower(char c) { return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char ToAsciiUpper(char c) { return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

// Byte strings equal once ASCII letters are folded, byte by byte.
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToAsciiLower(a[i]) != ToAsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace horavia::base
