// SDL's audio subsystem, shared by the sound service and the audio library.
// Each successful InitSdlAudio holds one reference that QuitSdlAudio drops.
#pragma once

namespace horavia::platform {

// Starting SDL's audio also starts its event subsystem, which by default
// catches SIGINT and SIGTERM to turn them into quit events. Nothing here
// reads SDL's events, so the program could then no longer be ended by a
// signal (a session's logout, `kill`): SDL is told to leave signals alone
// first, unless the user's environment says otherwise.
bool InitSdlAudio();
void QuitSdlAudio();

}  // namespace horavia::platform
