#include "bass/mp3_decoder.h"

#include <mpg123.h>
#include <sys/types.h>

#include <cstdio>

namespace horavia::bass {
namespace {

// libmpg123 reads through these two callbacks, so the same decoder serves
// files and memory and never sees more than the source's window.
ssize_t ReadSource(void* handle, void* buffer, size_t size) {
  auto* source = static_cast<ByteSource*>(handle);
  return source->read(std::span(static_cast<std::uint8_t*>(buffer), size));
}

off_t SeekSource(void* handle, off_t offset, int whence) {
  auto* source = static_cast<ByteSource*>(handle);
  return static_cast<off_t>(source->seek(offset, whence));
}

// Every rate the decoder knows, but only signed 16-bit stereo: libmpg123
// then turns mono into two equal channels itself.
bool OfferStereo16(mpg123_handle* handle) {
  if (mpg123_format_none(handle) != MPG123_OK) return false;
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    if (mpg123_format(handle, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
      return false;
    }
  }
  return true;
}

mpg123_handle* NewHandle() {
  int error = MPG123_OK;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  if (handle == nullptr) return nullptr;
  // Quiet: a damaged file must not print to the host program's stderr.
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  if (!OfferStereo16(handle)) {
    mpg123_delete(handle);
    return nullptr;
  }
  return handle;
}

}  // namespace

std::unique_ptr<Mp3Decoder> Mp3Decoder::Open(std::unique_ptr<ByteSource> source) {
  if (source == nullptr || source->size() == 0) return nullptr;
  mpg123_handle* handle = NewHandle();
  if (handle == nullptr) return nullptr;
  std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder);
  decoder->handle_ = handle;
  decoder->source_ = std::move(source);
  if (mpg123_replace_reader_handle(handle, ReadSource, SeekSource, nullptr) != MPG123_OK) {
    return nullptr;
  }
  if (mpg123_open_handle(handle, decoder->source_.get()) != MPG123_OK) return nullptr;
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK) return nullptr;
  decoder->rate_ = static_cast<int>(rate);
  // The scan walks every frame header once (no decoding), so the length and
  // later seeks are exact rather than guessed from the bit rate.
  if (mpg123_scan(handle) != MPG123_OK) return nullptr;
  off_t length = mpg123_length(handle);
  if (length <= 0 || rate <= 0) return nullptr;
  decoder->lengthFrames_ = static_cast<std::uint64_t>(length);
  // A header alone proves little: garbage can look like one. Demand that
  // real samples come out before calling the source MP3.
  std::int16_t probe[2 * 1152];
  if (decoder->read(probe) == 0) return nullptr;
  if (!decoder->seek(0)) return nullptr;
  return decoder;
}

Mp3Decoder::~Mp3Decoder() {
  if (handle_ == nullptr) return;
  mpg123_close(handle_);
  mpg123_delete(handle_);
}

std::size_t Mp3Decoder::read(std::span<std::int16_t> out) {
  std::size_t wantBytes = (out.size() / 2) * kBytesPerFrame;
  auto* bytes = reinterpret_cast<unsigned char*>(out.data());
  std::size_t filled = 0;
  while (filled < wantBytes && !ended_) {
    std::size_t done = 0;
    int result = mpg123_read(handle_, bytes + filled, wantBytes - filled, &done);
    filled += done;
    if (result == MPG123_NEW_FORMAT && !keepsRate()) {
      ended_ = true;
      continue;
    }
    if (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
      if (done == 0 && result == MPG123_OK) ended_ = true;  // no progress: give up
      continue;
    }
    // MPG123_DONE at the end; any error means the rest cannot be trusted.
    ended_ = true;
  }
  return filled / kBytesPerFrame;
}

bool Mp3Decoder::keepsRate() {
  // Positions, lengths and the converter all assume one rate; a stream that
  // switches rate part-way ends where the switch is.
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) return false;
  return rate == rate_;
}

bool Mp3Decoder::seek(std::uint64_t frame) {
  if (mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) < 0) return false;
  ended_ = false;
  return true;
}

}  // namespace horavia::bass
