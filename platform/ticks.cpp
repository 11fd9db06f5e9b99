#include "platform/ticks.h"

#include <chrono>
#include <utility>

namespace horavia::platform {
namespace {

std::uint32_t SteadyTicks() {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(ms);
}

// The one clock of the process; replaced only by tests.
std::function<std::uint32_t()>& Source() {
  static std::function<std::uint32_t()> source;
  return source;
}

}  // namespace

std::uint32_t TickCount() {
  auto& source = Source();
  return source ? source() : SteadyTicks();
}

void SetTickSource(std::function<std::uint32_t()> source) { Source() = std::move(source); }

ManualTicks::ManualTicks(std::uint32_t start) : now_(start) {
  SetTickSource([this] { return now_; });
}

ManualTicks::~ManualTicks() { SetTickSource({}); }

}  // namespace horavia::platform
