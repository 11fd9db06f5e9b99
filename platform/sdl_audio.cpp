#include "platform/sdl_audio.h"

#include <SDL.h>

namespace horavia::platform {

bool InitSdlAudio() {
  SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_DEFAULT);
  return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

void QuitSdlAudio() { SDL_QuitSubSystem(SDL_INIT_AUDIO); }

}  // namespace horavia::platform
