// One stream as the mixer sees it: a decoder, an optional rate converter to
// the output rate, the play state, the volume, and the last samples played
// (for the spectrum). A Channel is not locked itself; the Mixer's lock
// guards every call once the channel is in the mixer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "bass/fft.h"
#include "bass/mp3_decoder.h"

struct _SDL_AudioStream;

namespace horavia::bass {

enum class PlayState { kStopped, kPlaying, kPaused };

class Channel {
 public:
  // Null when the converter to `outputRate` cannot be made.
  static std::unique_ptr<Channel> Create(std::unique_ptr<Mp3Decoder> decoder, int outputRate);
  ~Channel();
  Channel(const Channel&) = delete;
  Channel& operator=(const Channel&) = delete;

  PlayState state() const { return state_; }
  void setState(PlayState state) { state_ = state; }
  // True once everything decoded has been handed to the mixer.
  bool finished() const { return finished_; }

  float volume() const { return volume_; }
  void setVolume(float volume) { volume_ = volume; }

  int rate() const { return decoder_->rate(); }
  std::uint64_t lengthFrames() const { return decoder_->lengthFrames(); }
  // Frames taken from the decoder so far (at the stream's own rate).
  std::uint64_t positionFrames() const { return positionFrames_; }
  // Moves to `frame` (at most the length); drops converted and remembered
  // samples so nothing from the old place is heard.
  bool seek(std::uint64_t frame);

  // The 128-byte ID3v1 block plus a terminating zero, when the data ends
  // with one.
  const std::optional<std::array<char, 129>>& id3v1() const { return id3v1_; }

  // Writes up to out.size() / 2 output-rate stereo frames into `out` and
  // returns how many; fewer means the stream has ended. `scratch` is the
  // mixer's, at least as large as `out`, so nothing allocates here.
  std::size_t pull(std::span<std::int16_t> out, std::span<std::int16_t> scratch);

  // The last kFftSize samples played, mono, oldest first, in -1 ... 1.
  std::array<float, kFftSize> recentSamples() const;

 private:
  Channel() = default;
  std::size_t decodeDirect(std::span<std::int16_t> out);
  std::size_t decodeConverted(std::span<std::int16_t> out, std::span<std::int16_t> scratch);
  void drainConverter(std::span<std::int16_t> scratch);
  void remember(std::span<const std::int16_t> frames);

  std::unique_ptr<Mp3Decoder> decoder_;
  _SDL_AudioStream* converter_ = nullptr;  // null when rates agree
  int outputRate_ = 0;
  bool decoderDrained_ = false;
  // Frames into and out of the converter since the last seek.
  std::uint64_t convertedIn_ = 0;
  std::uint64_t convertedOut_ = 0;
  bool finished_ = false;
  PlayState state_ = PlayState::kStopped;
  float volume_ = 1.0f;
  std::uint64_t positionFrames_ = 0;
  std::array<float, kFftSize> history_{};  // ring buffer of mono samples
  std::size_t historyNext_ = 0;
  std::optional<std::array<char, 129>> id3v1_;
};

}  // namespace horavia::bass
