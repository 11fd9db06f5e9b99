// Plays the application's sounds through the external audio library: every
// method is one call of a declared library function (app/externals.h), with
// the defaults the application relies on. It holds no state of its own; the
// current stream lives in AppState.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace horavia::app {

class SoundPlayer {
 public:
  SoundPlayer() = default;
  SoundPlayer(const SoundPlayer&) = default;
  virtual ~SoundPlayer() = default;

  // The library's success flag. Defaults: device -1 (the default output),
  // 44100 Hz, no flags, no window.
  virtual bool Init(std::optional<std::int32_t> device = {}, std::optional<std::uint32_t> frequency = {},
                    std::optional<std::uint32_t> flags = {}, void* window = nullptr);
  virtual bool Free();
  // A stream from the first of these that is given: a file that exists (its
  // code-page-936 name), bytes, an address. 0 when none is given or the
  // library refuses. The offset is sign-extended.
  virtual std::uint32_t CreateStream(const char* file, const void* byteSet, const char* url,
                                     std::int32_t offset = 0);
  // Handle 0 plays nothing; restart defaults to 1 (from the start).
  virtual bool Play(std::uint32_t handle, std::optional<std::int32_t> restart = {});
  virtual bool Pause(std::uint32_t handle);
  virtual bool Stop(std::uint32_t handle);
  virtual std::uint64_t GetPosition(std::uint32_t handle);
  virtual bool SetPosition(std::uint32_t handle, std::uint64_t position);
  virtual std::uint64_t GetLength(std::uint32_t handle);
  // The stream's tag as a new runtime text (the caller frees it).
  virtual char* GetTags(std::uint32_t handle);
  virtual std::uint32_t IsActive(std::uint32_t handle);
  virtual bool StreamFree(std::uint32_t handle);
  // The 256-point spectrum: 128 levels.
  virtual std::array<float, 128> GetData(std::uint32_t handle);
  virtual bool SetVolume(float volume);
  virtual float GetVolume();
  // The channel's volume attribute (0.0 silent … 1.0 full).
  virtual bool SetAttribute(std::uint32_t handle, float value);
  virtual float GetAttribute(std::uint32_t handle);
  virtual double Bytes2Seconds(std::uint32_t handle, std::uint64_t position);
  virtual std::uint64_t Seconds2Bytes(std::uint32_t handle, double seconds);
  // Byte `index` (0 red, 1 green, 2 blue) of a 0x00BBGGRR colour.
  virtual std::int32_t ColourPart(std::uint32_t colour, std::int32_t index);
};

}  // namespace horavia::app
