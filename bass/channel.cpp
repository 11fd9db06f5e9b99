#include "bass/channel.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace horavia::bass {
namespace {

constexpr std::size_t kId3v1Size = 128;

std::optional<std::array<char, 129>> ReadId3v1(ByteSource& source) {
  if (source.size() < kId3v1Size) return std::nullopt;
  std::array<std::uint8_t, kId3v1Size> block;
  if (!source.readAt(source.size() - kId3v1Size, block)) return std::nullopt;
  if (std::memcmp(block.data(), "TAG", 3) != 0) return std::nullopt;
  std::array<char, 129> tag{};
  std::memcpy(tag.data(), block.data(), kId3v1Size);
  return tag;
}

}  // namespace

std::unique_ptr<Channel> Channel::Create(std::unique_ptr<Mp3Decoder> decoder, int outputRate) {
  if (decoder == nullptr) return nullptr;
  std::unique_ptr<Channel> channel(new Channel);
  if (decoder->rate() != outputRate) {
    channel->converter_ =
        SDL_NewAudioStream(AUDIO_S16SYS, 2, decoder->rate(), AUDIO_S16SYS, 2, outputRate);
    if (channel->converter_ == nullptr) return nullptr;
  }
  channel->outputRate_ = outputRate;
  channel->id3v1_ = ReadId3v1(decoder->source());
  channel->decoder_ = std::move(decoder);
  return channel;
}

Channel::~Channel() {
  if (converter_ != nullptr) SDL_FreeAudioStream(converter_);
}

bool Channel::seek(std::uint64_t frame) {
  if (frame > lengthFrames() || !decoder_->seek(frame)) return false;
  if (converter_ != nullptr) SDL_AudioStreamClear(converter_);
  decoderDrained_ = false;
  convertedIn_ = 0;
  convertedOut_ = 0;
  finished_ = false;
  positionFrames_ = frame;
  history_.fill(0.0f);
  historyNext_ = 0;
  return true;
}

std::size_t Channel::pull(std::span<std::int16_t> out, std::span<std::int16_t> scratch) {
  if (finished_) return 0;
  std::size_t frames = converter_ == nullptr ? decodeDirect(out) : decodeConverted(out, scratch);
  if (frames < out.size() / 2) finished_ = true;
  return frames;
}

std::size_t Channel::decodeDirect(std::span<std::int16_t> out) {
  std::size_t frames = decoder_->read(out);
  remember(out.first(frames * 2));
  positionFrames_ += frames;
  return frames;
}

std::size_t Channel::decodeConverted(std::span<std::int16_t> out,
                                     std::span<std::int16_t> scratch) {
  const int wantBytes = static_cast<int>(out.size() / 2 * kBytesPerFrame);
  // Feed the converter one scratch-full at a time until it can give what is
  // asked.
  while (SDL_AudioStreamAvailable(converter_) < wantBytes && !decoderDrained_) {
    std::size_t frames = decoder_->read(scratch);
    remember(scratch.first(frames * 2));
    positionFrames_ += frames;
    convertedIn_ += frames;
    if (frames > 0) {
      SDL_AudioStreamPut(converter_, scratch.data(), static_cast<int>(frames * kBytesPerFrame));
    }
    if (frames < scratch.size() / 2) drainConverter(scratch);
  }
  std::size_t want = out.size() / 2;
  if (decoderDrained_) {
    // Only as many frames as the input makes at the output rate: the rest
    // is the silence that pushed them out.
    std::uint64_t total = convertedIn_ * static_cast<std::uint64_t>(outputRate_) /
                          static_cast<std::uint64_t>(rate());
    want = static_cast<std::size_t>(std::min<std::uint64_t>(want, total - convertedOut_));
  }
  int got = SDL_AudioStreamGet(converter_, out.data(), static_cast<int>(want * kBytesPerFrame));
  std::size_t frames = got > 0 ? static_cast<std::size_t>(got) / kBytesPerFrame : 0;
  convertedOut_ += frames;
  return frames;
}

void Channel::drainConverter(std::span<std::int16_t> scratch) {
  // SDL's resampler holds back a window of output until more input comes,
  // and flushing does not release it; silence after the end does.
  std::fill(scratch.begin(), scratch.end(), std::int16_t{0});
  for (int i = 0; i < 4; ++i) {
    SDL_AudioStreamPut(converter_, scratch.data(), static_cast<int>(scratch.size() * 2));
  }
  SDL_AudioStreamFlush(converter_);
  decoderDrained_ = true;
}

void Channel::remember(std::span<const std::int16_t> frames) {
  for (std::size_t i = 0; i + 1 < frames.size(); i += 2) {
    float mono = (static_cast<float>(frames[i]) + static_cast<float>(frames[i + 1])) / 65536.0f;
    history_[historyNext_] = mono;
    historyNext_ = (historyNext_ + 1) % kFftSize;
  }
}

std::array<float, kFftSize> Channel::recentSamples() const {
  std::array<float, kFftSize> ordered;
  for (std::size_t i = 0; i < kFftSize; ++i) ordered[i] = history_[(historyNext_ + i) % kFftSize];
  return ordered;
}

}  // namespace horavia::bass
