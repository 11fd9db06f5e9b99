// The application's handler table: its subroutines in the order of
// app/handler_names.h, so that a handler's offset from the code base is its
// index here.
#pragma once

#include "ui/units/subroutines.h"

namespace horavia::app {

ui::HandlerTable Handlers();

}  // namespace horavia::app
