// Plays the application's sounds through the external audio library.
#pragma once

namespace horavia::app {

// Holds no state of its own: every call goes to the library by declaration.
// Its methods arrive with sound playback.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
};

}  // namespace horavia::app
