// The application image: what the build produces for the runtime to read.
#pragma once

#include "runtime/runtime_app.h"

namespace horavia::app {

// The header of this program's image.
const runtime::ImageHeader& ApplicationImage();

// The start window's form.
inline constexpr std::uint32_t kStartForm = 0x52010001;
inline constexpr std::uint32_t kSettingsForm = 0x5201009E;

// Event handler offsets count from this code base; a handler's code address
// is the code base plus its index in the handler list (app/handler_names.h).
inline constexpr std::uintptr_t kCodeBase = 0x00401000;

}  // namespace horavia::app
