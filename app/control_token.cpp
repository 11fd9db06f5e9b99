#include "app/control_token.h"

#include <array>
#include <cstdint>

#include "platform/entropy.h"

namespace horavia::app {

std::optional<std::string> NewControlToken() {
  std::array<std::uint8_t, kTokenLength / 2> bytes{};
  if (!platform::FillFromSystemEntropy(bytes)) return std::nullopt;
  constexpr char kDigits[] = "0123456789abcdef";
  std::string token;
  for (std::uint8_t b : bytes) {
    token += kDigits[b >> 4];
    token += kDigits[b & 0x0F];
  }
  return token;
}

bool IsWellFormedToken(std::string_view token) {
  if (token.size() != kTokenLength) return false;
  for (char c : token) {
    const bool digit = c >= '0' && c <= '9';
    const bool letter = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!digit && !letter) return false;
  }
  return true;
}

}  // namespace horavia::app
