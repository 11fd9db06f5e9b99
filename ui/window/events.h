// Events from units to application subroutines: the plain and typed event
// records of the runtime's event requests, and the one delivery path.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/services.h"

namespace horavia::ui {

class WindowEngine;
struct EventOutcome;

// The dwords a typed record's arguments are passed as, first argument first:
// one dword as stored (passing bit 0), two dwords (passing bit 1, a unit
// reference, a date-time, a 64-bit integer, a double or tag 0x80000008), a
// byte zero-extended, a short sign-extended, anything else its low dword.
std::vector<std::uint32_t> PushedDwords(const runtime::TypedEventRecord& record);

// Delivery: blocked counter, form ("未找到引发事件的窗口"), unit, 0 meaning the
// window unit ("未找到引发事件的窗口组件"), event source links, the type's
// event flags ("引发事件的窗口组件无效"), the binding, the handler.
EventOutcome DeliverEvent(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId, std::int32_t event,
                          std::span<const std::uint32_t> arguments);

// Requests 2008 and 2031: 1 when a subroutine ran, else 0; a returned value
// is stored in the record.
std::int32_t RaisePlainEvent(WindowEngine& engine, runtime::PlainEventRecord& record);
std::int32_t RaiseTypedEvent(WindowEngine& engine, runtime::TypedEventRecord& record);

}  // namespace horavia::ui
