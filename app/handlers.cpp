// The handler table: the application's subroutines in the order of
// app/handler_names.h, so that a handler's offset from the code base is its
// index here.
#include "app/handlers.h"

#include <array>

#include "app/handler_names.h"
#include "app/image.h"
#include "app/subroutines.h"

namespace horavia::app {
namespace {

constexpr std::array<ui::AppSubroutine, kHandlerCount> kHandlers = {
#define HORAVIA_HANDLER_ENTRY(name) &name,
    HORAVIA_APP_HANDLERS(HORAVIA_HANDLER_ENTRY)
#undef HORAVIA_HANDLER_ENTRY
};

}  // namespace

ui::HandlerTable Handlers() { return {kCodeBase, kHandlers}; }

}  // namespace horavia::app
