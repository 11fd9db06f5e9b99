// Events from units to application subroutines: the one delivery path, and
// the plain and typed event records of the runtime's event requests.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/services.h"
#include "ui/units/subroutines.h"

namespace horavia::ui {

class LiveForms;

struct EventSource {
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
};

// The outcome of raising an event: whether a subroutine ran, and its result.
struct EventOutcome {
  bool handled = false;
  SubroutineResult result;
  // A returned false (or 0) swallows the input that raised the event.
  bool swallows() const { return handled && result.returned && result.low == 0; }
};

// The dwords a typed record's arguments are passed as, first argument first:
// one dword as stored (passing bit 0), two dwords (passing bit 1, a unit
// reference, a date-time, a 64-bit integer, a double or tag 0x80000008), a
// byte zero-extended, a short sign-extended, anything else its low dword.
std::vector<std::uint32_t> PushedDwords(const runtime::TypedEventRecord& record);

// Delivers events to the application's subroutines and keeps the current
// event source, which the window and unit commands read.
class EventDelivery {
 public:
  EventDelivery(HandlerTable handlers, LiveForms& forms) : handlers_(handlers), forms_(forms) {}

  // The one path: blocked counter, form ("未找到引发事件的窗口"), unit, 0
  // meaning the window unit ("未找到引发事件的窗口组件"), event source links,
  // the type's event flags ("引发事件的窗口组件无效"), the binding, the
  // handler.
  EventOutcome deliver(std::uint32_t formId, std::uint32_t unitId, std::int32_t event,
                       std::span<const std::uint32_t> arguments);
  // Requests 2008 and 2031: 1 when a subroutine ran, else 0; a returned value
  // is stored in the record.
  std::int32_t raisePlain(runtime::PlainEventRecord& record);
  std::int32_t raiseTyped(runtime::TypedEventRecord& record);

  // The source of the event whose handler runs; its form is cleared when the
  // handler returns (not restored for an outer handler).
  EventSource source() const { return source_; }

 private:
  HandlerTable handlers_;
  LiveForms& forms_;
  EventSource source_;
};

}  // namespace horavia::ui
