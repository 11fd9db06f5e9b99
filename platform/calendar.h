// The calendar time: seconds since the epoch, as the clock on the wall shows
// it. Everything that tells the time of day reads it here, so tests can set
// the hour they need instead of waiting for it.
#pragma once

#include <ctime>
#include <functional>

namespace horavia::platform {

std::time_t CalendarTime();

// The civil time of the host's time zone at `time`, with its offset from
// UTC (daylight saving included).
struct LocalTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  int utcOffsetSeconds = 0;
};
LocalTime LocalTimeAt(std::time_t time);

// Replaces the calendar (tests); an empty function restores the system's.
void SetCalendarSource(std::function<std::time_t()> source);

}  // namespace horavia::platform
