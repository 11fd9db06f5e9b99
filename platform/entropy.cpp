#include "platform/entropy.h"

#include <sys/random.h>

#include <cerrno>
#include <random>
#include <utility>

namespace horavia::platform {
namespace {

std::function<EntropySeed()>& Source() {
  static std::function<EntropySeed()> source;
  return source;
}

EntropySeed SystemSeed() {
  EntropySeed seed{};
  auto* bytes = reinterpret_cast<std::uint8_t*>(seed.data());
  if (FillFromSystemEntropy(std::span(bytes, sizeof seed))) return seed;
  std::random_device device;
  for (std::uint32_t& word : seed) word = device();
  return seed;
}

}  // namespace

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

EntropySeed ReadEntropySeed() {
  auto& source = Source();
  return source ? source() : SystemSeed();
}

void SetEntropySource(std::function<EntropySeed()> source) { Source() = std::move(source); }

}  // namespace horavia::platform
