// Each runtime library's link to the runtime, set by notify code 1 at image
// initialisation. Library code (commands, units) reaches the runtime only
// through its own library's link.
#pragma once

#include "runtime/services.h"

namespace horavia::runtime {

LibraryLink& CoreLibraryLink();
LibraryLink& ExtendedInterfaceLibraryLink();
LibraryLink& SpecialFunctionsLibraryLink();
LibraryLink& SystemInterfaceLibraryLink();
LibraryLink& DataOperationsLibraryLink();

}  // namespace horavia::runtime
