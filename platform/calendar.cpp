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

LocalTime LocalTimeAt(std::time_t time) {
  std::tm parts{};
  if (localtime_r(&time, &parts) == nullptr) return {};
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,        parts.tm_hour,
          parts.tm_min,         parts.tm_sec,     static_cast<int>(parts.tm_gmtoff)};
}

void SetCalendarSource(std::function<std::time_t()> source) { Source() = std::move(source); }

}  // namespace horavia::platform
