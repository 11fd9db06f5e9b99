// The calendar time: seconds since the epoch, as the clock on the wall shows
// it. Everything that tells the time of day reads it here, so tests can set
// the hour they need instead of waiting for it.
#pragma once

#include <ctime>
#include <functional>

namespace horavia::platform {

std::time_t CalendarTime();

// Replaces the calendar (tests); an empty function restores the system's.
void SetCalendarSource(std::function<std::time_t()> source);

}  // namespace horavia::platform
