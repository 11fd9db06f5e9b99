// Closing a connection the toolkit accepted but nobody will serve, straight
// from its descriptor: refusing a connection that way costs a system call,
// where wrapping it in a socket object first costs far more, and a client
// that reconnects as fast as it is refused would spend the user-interface
// thread on it.
#pragma once

#include <cstdint>

namespace horavia::platform {

void CloseSocketHandle(std::intptr_t handle);

}  // namespace horavia::platform
