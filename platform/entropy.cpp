#include "platform/entropy.h"

#include <sys/random.h>

#include <random>
#include <utility>

namespace horavia::platform {
namespace {

std::function<EntropySeed()>& Source() {
  static std::function<EntropySeed()> source;
  return source;
}

// getrandom blocks only until the kernel's pool is first initialised, which
// is long past by the time a desktop session runs.
EntropySeed SystemSeed() {
  EntropySeed seed{};
  std::size_t filled = 0;
  auto* bytes = reinterpret_cast<unsigned char*>(seed.data());
  while (filled < sizeof seed) {
    const ssize_t got = getrandom(bytes + filled, sizeof seed - filled, 0);
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  if (filled == sizeof seed) return seed;
  std::random_device device;
  for (std::uint32_t& word : seed) word = device();
  return seed;
}

}  // namespace

EntropySeed ReadEntropySeed() {
  auto& source = Source();
  return source ? source() : SystemSeed();
}

void SetEntropySource(std::function<EntropySeed()> source) { Source() = std::move(source); }

}  // namespace horavia::platform
