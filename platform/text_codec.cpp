#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace horavia::platform {
namespace {

// Converts with one iconv descriptor; an invalid or incomplete sequence is
// replaced by `replacement` (already in the target encoding) and skipped by
// `skip` input bytes.
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, std::size_t skip) {
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
    std::size_t step = skip < inLeft ? skip : inLeft;
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
