// Time and date commands.
#include <ctime>
#include <functional>

#include "platform/calendar.h"
#include "platform/event_loop.h"
#include "platform/ticks.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/commands.h"
#include "runtime/library_links.h"

namespace horavia::runtime::commands {
namespace {

double DateArg(const ArgRecord& arg) {
  if (arg.tag == kTagDateTime || arg.tag == kTagDouble) return arg.asDouble();
  return 0.0;
}

}  // namespace

std::int32_t DateComponent(double date, std::int32_t component) {
  if (component > 10) component = 10;
  if (component < 1) component = 1;
  DateParts p = SplitDate(date);
  if (p.year < 0) return -1;
  switch (component) {
    case 1: return p.year;
    case 2: return (p.month - 1) / 3 + 1;
    case 3: return p.month;
    case 4: return (p.dayOfYear - 1) / 7 + 1;
    case 5: return p.day;
    case 6: return p.hour;
    case 7: return p.minute;
    case 8: return p.second;
    case 9: return p.dayOfWeek;
    default: return p.dayOfYear;
  }
}

void CurrentTime(ArgRecord* result, std::int32_t, ArgRecord*) {
  std::time_t now = platform::CalendarTime();
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return;
  // A leap second reads as the last second of its minute.
  int second = local.tm_sec > 59 ? 59 : local.tm_sec;
  double date = 0.0;
  if (!MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, second, date)) {
    return;
  }
  SetDouble(result, date);
}

void HourOf(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  SetInt(result, DateComponent(DateArg(ArgAt(argCount, args, 0)), 6));
}

void MinuteOf(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  SetInt(result, DateComponent(DateArg(ArgAt(argCount, args, 0)), 7));
}

void SecondOf(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  SetInt(result, DateComponent(DateArg(ArgAt(argCount, args, 0)), 8));
}

// Waits while the user interface keeps running: pending messages are
// dispatched (windows closed meanwhile are gone when it returns), and between
// them the thread sleeps until the next message, timer or the deadline
// rather than spinning. Elapsed time is measured as a wrapping difference, so
// a wait across the 32-bit wrap of the tick count lasts as long as any other.
// Once the program is quitting the wait ends at once: nothing that follows
// it should keep a closing program alive.
void Delay(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  std::int32_t ms = IntOf(ArgAt(argCount, args, 0));
  if (ms <= 0) return;
  const LibraryLink& link = SpecialFunctionsLibraryLink();
  const std::uint32_t start = platform::TickCount();
  const auto wanted = static_cast<std::uint32_t>(ms);
  for (;;) {
    link.request(kServicePumpMessages);
    link.request(kServicePumpMessages);
    if (link.request(kServiceQuitting) != 0) return;
    std::uint32_t elapsed = platform::TickCount() - start;
    if (elapsed > wanted) return;
    // "Slightly more than" the time asked: the wait ends one tick past it.
    platform::WaitForEvents(wanted - elapsed + 1);
  }
}

}  // namespace horavia::runtime::commands
