#include "platform/calendar.h"

#include <utility>

namespace horavia::platform {
namespace {

std::function<std::time_t()>& Source() {
  static std::function<std::time_t()> source;
  return source;
}

}  // namespace

std::time_t CalendarTime() {
  auto& source = Source();
  return source ? source() : std::time(nullptr);
}

void SetCalendarSource(std::function<std::time_t()> source) { Source() = std::move(source); }

}  // namespace horavia::platform
