#include "platform/entropy.h"

#include <sys/random.h>

#include <cerrno>

namespace horavia::platform {

bool FillFromSystemEntropy(std::span<std::uint8_t> out) {
  // getrandom blocks only until the pool is first seeded at boot; a large
  // request may come back in parts, and a signal may interrupt it.
  std::size_t filled = 0;
  while (filled < out.size()) {
    const ssize_t got = getrandom(out.data() + filled, out.size() - filled, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    filled += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace horavia::platform
