#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace horavia::platform {
namespace {

// How many input bytes a failed character occupies: `unit` for fixed-width
// sources; for UTF-8 the whole sequence its lead byte announces, so a
// character code page 936 lacks becomes one replacement, not one per byte.
std::size_t FailedCharacterLength(const char* at, std::size_t left, std::size_t unit, bool utf8) {
  if (!utf8) return unit;
  auto lead = static_cast<unsigned char>(*at);
  std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t i = 1;
  while (i < n && i < left && (static_cast<unsigned char>(at[i]) & 0xC0) == 0x80) ++i;
  return i;
}

// Converts with one iconv descriptor; an invalid or incomplete sequence is
// replaced by `replacement` (already in the target encoding) and skipped.
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, std::size_t skip) {
  const bool utf8Source = std::string_view(from) == "UTF-8";
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  out.reserve(input.size() * 2 + 4);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* o = buffer;
    std::size_t oLeft = sizeof buffer;
    std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buffer, static_cast<std::size_t>(o - buffer));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: replace and step over the bad input.
    out.append(replacement);
    std::size_t step = FailedCharacterLength(in, inLeft, skip, utf8Source);
    if (step > inLeft) step = inLeft;
    in += step;
    inLeft -= step;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp936ToUtf8(std::string_view cp936) {
  return Convert("UTF-8", "CP936", cp936, "\xEF\xBF\xBD", 1);
}

std::string Utf8ToCp936(std::string_view utf8) {
  return Convert("CP936", "UTF-8", utf8, "?", 1);
}

std::u16string Cp936ToUtf16(std::string_view cp936) {
  std::string bytes = Convert("UTF-16LE", "CP936", cp936, std::string_view("\xFD\xFF", 2), 1);
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

std::string Utf16ToCp936(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t c : utf16) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return Convert("CP936", "UTF-16LE", bytes, "?", 2);
}

std::string HostPath(std::string_view runtimePath) {
  std::string path = Cp936ToUtf8(runtimePath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::string RuntimePath(std::string_view hostPath) {
  std::string path = Utf8ToCp936(hostPath);
  // Only single-byte slashes are separators; GBK trail bytes never are 0x2F.
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace horavia::platform
