#include "platform/socket_handle.h"

#include <unistd.h>

namespace horavia::platform {

void CloseSocketHandle(std::intptr_t handle) { ::close(static_cast<int>(handle)); }

}  // namespace horavia::platform
