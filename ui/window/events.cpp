#include "ui/window/events.h"

#include <algorithm>

#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "runtime/runtime_app.h"
#include "runtime/values.h"
#include "ui/units/unit_interface.h"
#include "ui/window/live_forms.h"
#include "ui/window/live_units.h"

namespace horavia::ui {
namespace {

const auto& M = runtime::messages::kConstants;

using namespace runtime;

// Eight-byte values, and arguments tagged with the menu type (how a unit
// reference is passed), take two dwords.
bool TakesTwoDwords(const TypedEventArg& a) {
  if (a.passing & 2u) return true;
  return a.tag == unit_type::kMenuItem || a.tag == kTagDateTime || a.tag == kTagLong || a.tag == kTagDouble ||
         a.tag == kTagEightBytes;
}

// Follows links while they name a unit of the same type; a cycle ends after
// one pass over the table.
const Unit* FollowEventSourceLinks(const UnitTable& units, const Unit* unit) {
  for (std::size_t steps = 0; unit->eventSourceLink != 0 && steps < units.size(); ++steps) {
    auto linked = findUnit(units, unit->eventSourceLink);
    if (!linked || linked->record->type != unit->type) break;
    unit = linked->record;
  }
  return unit;
}

FixedHandler HandlerFor(const Unit& unit, std::int32_t event) {
  if (unit.isMenuItem()) return unit.menu.handler;
  const EventBinding* binding = unit.findBinding(event);
  return binding != nullptr ? binding->handler : FixedHandler{};
}

}  // namespace

std::vector<std::uint32_t> PushedDwords(const runtime::TypedEventRecord& record) {
  std::vector<std::uint32_t> out;
  int count = std::clamp(record.argCount, 0, 12);
  for (int i = 0; i < count; ++i) {
    const runtime::TypedEventArg& a = record.args[i];
    if (a.passing & 1u) {
      out.push_back(a.low);
    } else if (TakesTwoDwords(a)) {
      out.push_back(a.low);
      out.push_back(a.high);
    } else if (a.tag == kTagByte) {
      out.push_back(a.low & 0xFFu);
    } else if (a.tag == kTagShort) {
      out.push_back(static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(a.low))));
    } else {
      out.push_back(a.low);
    }
  }
  return out;
}

EventOutcome EventDelivery::deliver(std::uint32_t formId, std::uint32_t unitId, std::int32_t event,
                                   std::span<const std::uint32_t> arguments) {
  runtime::RuntimeApp& app = runtime::Runtime();
  if (app.eventsBlocked() > 0) return {};
  if (forms_.findForm(formId) == nullptr) runtime::FatalError(M.EventWindowMissing);
  // A closed window's units may still be about until it is deleted; what
  // they raise reaches no one.
  if (forms_.closedAndNotReloaded(formId)) return {};
  const UnitTable& units = *forms_.unitsOf(formId);
  auto found = findEventSource(units, unitId);
  if (!found) runtime::FatalError(M.EventUnitMissing);
  const Unit* source = found->record;
  const Unit* bound = FollowEventSourceLinks(units, source);
  if ((TypeFlags(*bound) & (type_flags::kRaisesEvents | type_flags::kRaisesEventsToo)) == 0) {
    runtime::FatalError(M.EventUnitInvalid);
  }
  FixedHandler handler = HandlerFor(*bound, event);
  if (!handler.bound) return {};
  AppSubroutine subroutine = handlers_.find(handler.address);
  if (subroutine == nullptr) return {};
  source_ = {formId, source->id};
  SubroutineResult result;
  {
    // Even a handler that never returns normally (the exit seam in tests
    // throws) must not leave its form marked as running.
    struct Running {
      LiveForms& forms;
      std::uint32_t formId;
      ~Running() { forms.endHandler(formId); }
    } running{forms_, formId};
    forms_.beginHandler(formId);
    result = subroutine(arguments);
  }
  source_.formId = 0;
  return {true, result};
}

std::int32_t EventDelivery::raisePlain(runtime::PlainEventRecord& record) {
  int count = std::clamp(record.argCount, 0, 5);
  std::span<const std::uint32_t> args(reinterpret_cast<const std::uint32_t*>(record.args),
                                      static_cast<std::size_t>(count));
  EventOutcome outcome = deliver(record.formId, record.unitId, record.event, args);
  if (!outcome.handled) return 0;
  if (outcome.result.returned) {
    record.hasResult = 1;
    record.result = static_cast<std::int32_t>(outcome.result.low);
  }
  return 1;
}

std::int32_t EventDelivery::raiseTyped(runtime::TypedEventRecord& record) {
  std::vector<std::uint32_t> args = PushedDwords(record);
  EventOutcome outcome = deliver(record.formId, record.unitId, record.event, args);
  if (!outcome.handled) return 0;
  if (outcome.result.returned) {
    record.hasResult = 1;
    record.result[0] = outcome.result.low;
    record.result[1] = outcome.result.high;
  }
  return 1;
}

}  // namespace horavia::ui
