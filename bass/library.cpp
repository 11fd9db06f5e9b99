// The exported C functions. They validate their arguments, take the locks
// and hand the work to the device list, the mixer and its channels.
//
// Index
//   [state]     the one library context and its error code
//   [devices]   BASS_Init, BASS_Free, BASS_GetDevice, BASS_GetDeviceInfo
//   [streams]   BASS_StreamCreateFile, BASS_StreamCreateURL, BASS_StreamFree
//   [playback]  play, pause, stop, state
//   [position]  positions, lengths, byte/second conversions
//   [data]      tags and the spectrum
//   [volume]    master volume and channel attributes
#include <mpg123.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <optional>

#include "bass/bass.h"
#include "bass/device_list.h"
#include "bass/fft.h"
#include "bass/mixer.h"
#include "platform/sdl_audio.h"
#include "platform/text_codec.h"

namespace horavia::bass {
namespace {

// [state] ---------------------------------------------------------------------
constexpr BOOL kTrue = 1;
constexpr BOOL kFalse = 0;
constexpr DWORD kDefaultRate = 44100;
constexpr DWORD kMinRate = 8000;
constexpr DWORD kMaxRate = 192000;
constexpr QWORD kFailedQword = ~QWORD{0};
constexpr DWORD kFailedDword = ~DWORD{0};

// A shared library that the host loads by name has one context; it lives
// here and is reached only through Context(). The API lock serialises calls
// from application threads; the mixer's own lock is taken inside it, and
// only for as long as a channel is touched.
struct Library {
  std::mutex api;
  bool sdlAudioHeld = false;          // one reference on SDL's audio subsystem
  std::optional<DeviceList> devices;  // kept until BASS_Free: its texts are handed out
  std::unique_ptr<Mixer> mixer;       // set while initialised
  int device = -1;                    // the initialised device's number
  std::atomic<int> lastError{BASS_OK};
};

Library& Context() {
  // Never destroyed: a destructor at process exit would race the host's own
  // teardown of SDL.
  static Library* library = new Library;
  return *library;
}

template <class T>
T Fail(Library& library, int code, T result) {
  library.lastError = code;
  return result;
}

template <class T>
T Succeed(Library& library, T result) {
  library.lastError = BASS_OK;
  return result;
}

bool HoldSdlAudio(Library& library) {
  if (!library.sdlAudioHeld) library.sdlAudioHeld = platform::InitSdlAudio();
  return library.sdlAudioHeld;
}

void ReleaseSdlAudio(Library& library) {
  if (!library.sdlAudioHeld) return;
  platform::QuitSdlAudio();
  library.sdlAudioHeld = false;
}

const DeviceList& Devices(Library& library) {
  if (!library.devices) library.devices = DeviceList::FromSdl(HoldSdlAudio(library));
  return *library.devices;
}

// Runs `action (library, channel)` on the live stream `handle` with both
// locks held; without one, fails with `failed` and the reason.
template <class T, class Action>
T WithChannel(DWORD handle, T failed, Action action) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer == nullptr) return Fail(library, BASS_ERROR_INIT, failed);
  std::lock_guard mix(library.mixer->mutex());
  Channel* channel = library.mixer->find(handle);
  if (channel == nullptr) return Fail(library, BASS_ERROR_HANDLE, failed);
  return action(library, *channel);
}

// [streams] -------------------------------------------------------------------
std::unique_ptr<ByteSource> OpenSource(BOOL mem, const void* file, QWORD offset, QWORD length) {
  if (mem) return ByteSource::FromMemory(file, offset, length);
  // The caller's path is code page 936 with backslashes as separators.
  return ByteSource::FromFile(platform::HostPath(static_cast<const char*>(file)), offset, length);
}

}  // namespace
}  // namespace horavia::bass

using namespace horavia::bass;

extern "C" {

// [devices] -------------------------------------------------------------------
BOOL BASS_CALL BASS_Init(int device, DWORD freq, DWORD, void*, void*) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer != nullptr) return Fail(library, BASS_ERROR_ALREADY, kFalse);
  if (freq == 0) freq = kDefaultRate;
  if (freq < kMinRate || freq > kMaxRate) return Fail(library, BASS_ERROR_ILLPARAM, kFalse);
  if (device == -1) device = kDefaultDevice;
  const DeviceEntry* entry = device < 0 ? nullptr : Devices(library).at(static_cast<std::size_t>(device));
  if (entry == nullptr) return Fail(library, BASS_ERROR_DEVICE, kFalse);
  mpg123_init();  // a no-op on current libmpg123, required by older ones
  auto mixer = std::make_unique<Mixer>(static_cast<int>(freq));
  if (device != kNoSoundDevice) {
    const char* name = device == kDefaultDevice ? nullptr : entry->hostName.c_str();
    if (!HoldSdlAudio(library) || !mixer->openOutput(name)) {
      return Fail(library, BASS_ERROR_DRIVER, kFalse);
    }
  }
  library.mixer = std::move(mixer);
  library.device = device;
  return Succeed(library, kTrue);
}

BOOL BASS_CALL BASS_Free(void) {
  Library& library = Context();
  std::lock_guard api(library.api);
  std::unique_ptr<Mixer> mixer = std::move(library.mixer);
  library.devices.reset();
  library.device = -1;
  // Destroying the mixer closes the output first, then the channels go.
  bool wasInitialised = mixer != nullptr;
  mixer.reset();
  ReleaseSdlAudio(library);
  if (!wasInitialised) return Fail(library, BASS_ERROR_INIT, kFalse);
  return Succeed(library, kTrue);
}

DWORD BASS_CALL BASS_GetDevice(void) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer == nullptr) return Fail(library, BASS_ERROR_INIT, kFailedDword);
  return Succeed(library, static_cast<DWORD>(library.device));
}

BOOL BASS_CALL BASS_GetDeviceInfo(DWORD device, BASS_DEVICEINFO* info) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (info == nullptr) return Fail(library, BASS_ERROR_ILLPARAM, kFalse);
  const DeviceEntry* entry = Devices(library).at(device);
  if (entry == nullptr) return Fail(library, BASS_ERROR_DEVICE, kFalse);
  info->name = entry->name.c_str();
  info->driver = entry->driver.c_str();
  info->flags = entry->flags;
  if (library.mixer != nullptr && static_cast<DWORD>(library.device) == device) {
    info->flags |= BASS_DEVICE_INIT;
  }
  return Succeed(library, kTrue);
}

// [streams] -------------------------------------------------------------------
HSTREAM BASS_CALL BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length,
                                        DWORD) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer == nullptr) return Fail(library, BASS_ERROR_INIT, HSTREAM{0});
  if (file == nullptr) return Fail(library, BASS_ERROR_ILLPARAM, HSTREAM{0});
  std::unique_ptr<ByteSource> source = OpenSource(mem, file, offset, length);
  if (source == nullptr) return Fail(library, BASS_ERROR_FILEOPEN, HSTREAM{0});
  // Opening scans the file; only the API lock is held, so playback goes on.
  std::unique_ptr<Mp3Decoder> decoder = Mp3Decoder::Open(std::move(source));
  if (decoder == nullptr) return Fail(library, BASS_ERROR_FILEFORM, HSTREAM{0});
  std::unique_ptr<Channel> channel =
      Channel::Create(std::move(decoder), library.mixer->outputRate());
  if (channel == nullptr) return Fail(library, BASS_ERROR_UNKNOWN, HSTREAM{0});
  std::lock_guard mix(library.mixer->mutex());
  Handle handle = library.mixer->add(std::move(channel));
  if (handle == 0) return Fail(library, BASS_ERROR_MEM, HSTREAM{0});
  return Succeed(library, handle);
}

HSTREAM BASS_CALL BASS_StreamCreateURL(const char*, DWORD, DWORD, void*, void*) {
  return Fail(Context(), BASS_ERROR_NONET, HSTREAM{0});
}

BOOL BASS_CALL BASS_StreamFree(HSTREAM handle) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer == nullptr) return Fail(library, BASS_ERROR_INIT, kFalse);
  std::unique_ptr<Channel> channel;
  {
    std::lock_guard mix(library.mixer->mutex());
    channel = library.mixer->remove(handle);
  }
  // The decoder is torn down here, outside the mixer's lock.
  if (channel == nullptr) return Fail(library, BASS_ERROR_HANDLE, kFalse);
  return Succeed(library, kTrue);
}

// [playback] ------------------------------------------------------------------
BOOL BASS_CALL BASS_ChannelPlay(DWORD handle, BOOL restart) {
  {
    // The output rests while nothing plays; it runs again before the
    // channel starts (outside the mixer's lock, which its callback takes).
    Library& library = Context();
    std::lock_guard api(library.api);
    if (library.mixer != nullptr && library.mixer->hasOutput() && !library.mixer->wakeOutput()) {
      return Fail(library, BASS_ERROR_DRIVER, kFalse);  // the device went away since
    }
  }
  return WithChannel(handle, kFalse, [restart](Library& library, Channel& channel) {
    if (!library.mixer->hasOutput()) return Fail(library, BASS_ERROR_NOPLAY, kFalse);
    if ((restart || channel.finished()) && !channel.seek(0)) {
      return Fail(library, BASS_ERROR_UNKNOWN, kFalse);
    }
    channel.setState(PlayState::kPlaying);
    return Succeed(library, kTrue);
  });
}

BOOL BASS_CALL BASS_ChannelPause(DWORD handle) {
  return WithChannel(handle, kFalse, [](Library& library, Channel& channel) {
    if (channel.state() != PlayState::kPlaying) return Fail(library, BASS_ERROR_NOPLAY, kFalse);
    channel.setState(PlayState::kPaused);
    return Succeed(library, kTrue);
  });
}

BOOL BASS_CALL BASS_ChannelStop(DWORD handle) {
  return WithChannel(handle, kFalse, [](Library& library, Channel& channel) {
    channel.setState(PlayState::kStopped);
    return Succeed(library, kTrue);
  });
}

DWORD BASS_CALL BASS_ChannelIsActive(DWORD handle) {
  return WithChannel(handle, BASS_ACTIVE_STOPPED, [](Library& library, Channel& channel) {
    switch (channel.state()) {
      case PlayState::kPlaying: return Succeed(library, BASS_ACTIVE_PLAYING);
      case PlayState::kPaused: return Succeed(library, BASS_ACTIVE_PAUSED);
      case PlayState::kStopped: break;
    }
    return Succeed(library, BASS_ACTIVE_STOPPED);
  });
}

// [position] ------------------------------------------------------------------
QWORD BASS_CALL BASS_ChannelGetPosition(DWORD handle, DWORD mode) {
  return WithChannel(handle, kFailedQword, [mode](Library& library, Channel& channel) {
    if (mode != BASS_POS_BYTE) return Fail(library, BASS_ERROR_ILLPARAM, kFailedQword);
    return Succeed(library, QWORD{channel.positionFrames() * kBytesPerFrame});
  });
}

BOOL BASS_CALL BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode) {
  return WithChannel(handle, kFalse, [pos, mode](Library& library, Channel& channel) {
    if (mode != BASS_POS_BYTE) return Fail(library, BASS_ERROR_ILLPARAM, kFalse);
    // A position inside a frame goes back to that frame's start.
    QWORD frame = pos / kBytesPerFrame;
    if (frame > channel.lengthFrames()) return Fail(library, BASS_ERROR_POSITION, kFalse);
    if (!channel.seek(frame)) return Fail(library, BASS_ERROR_POSITION, kFalse);
    return Succeed(library, kTrue);
  });
}

QWORD BASS_CALL BASS_ChannelGetLength(DWORD handle, DWORD mode) {
  return WithChannel(handle, kFailedQword, [mode](Library& library, Channel& channel) {
    if (mode != BASS_POS_BYTE) return Fail(library, BASS_ERROR_ILLPARAM, kFailedQword);
    return Succeed(library, QWORD{channel.lengthFrames() * kBytesPerFrame});
  });
}

double BASS_CALL BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos) {
  return WithChannel(handle, -1.0, [pos](Library& library, Channel& channel) {
    double bytesPerSecond = static_cast<double>(channel.rate()) * kBytesPerFrame;
    return Succeed(library, static_cast<double>(pos) / bytesPerSecond);
  });
}

QWORD BASS_CALL BASS_ChannelSeconds2Bytes(DWORD handle, double pos) {
  return WithChannel(handle, kFailedQword, [pos](Library& library, Channel& channel) {
    // Frames beyond 2^53 cannot be told apart as doubles; refuse them along
    // with negative and non-numbers rather than wrap.
    double frames = std::floor(pos * channel.rate());
    if (!(frames >= 0.0) || frames > 9007199254740992.0) {
      return Fail(library, BASS_ERROR_ILLPARAM, kFailedQword);
    }
    return Succeed(library, static_cast<QWORD>(frames) * kBytesPerFrame);
  });
}

// [data] ----------------------------------------------------------------------
const char* BASS_CALL BASS_ChannelGetTags(DWORD handle, DWORD tags) {
  const char* none = nullptr;
  return WithChannel(handle, none, [tags, none](Library& library, Channel& channel) {
    if (tags != BASS_TAG_ID3 || !channel.id3v1()) {
      return Fail(library, BASS_ERROR_NOTAVAIL, none);
    }
    return Succeed(library, static_cast<const char*>(channel.id3v1()->data()));
  });
}

DWORD BASS_CALL BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length) {
  std::optional<std::array<float, kFftSize>> samples;
  DWORD result = WithChannel(handle, kFailedDword, [&](Library& library, Channel& channel) {
    if (buffer == nullptr) return Fail(library, BASS_ERROR_ILLPARAM, kFailedDword);
    if (length != BASS_DATA_FFT256) return Fail(library, BASS_ERROR_NOTAVAIL, kFailedDword);
    samples = channel.recentSamples();
    return Succeed(library, DWORD{kFftBins * sizeof(float)});
  });
  if (!samples) return result;
  // The transform runs after the locks are gone, so it never holds up mixing.
  std::array<float, kFftBins> spectrum = Spectrum256(*samples);
  std::memcpy(buffer, spectrum.data(), sizeof spectrum);
  return result;
}

// [volume] --------------------------------------------------------------------
BOOL BASS_CALL BASS_SetVolume(float volume) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer == nullptr) return Fail(library, BASS_ERROR_INIT, kFalse);
  if (!(volume >= 0.0f && volume <= 1.0f)) return Fail(library, BASS_ERROR_ILLPARAM, kFalse);
  std::lock_guard mix(library.mixer->mutex());
  library.mixer->setMasterVolume(volume);
  return Succeed(library, kTrue);
}

float BASS_CALL BASS_GetVolume(void) {
  Library& library = Context();
  std::lock_guard api(library.api);
  if (library.mixer == nullptr) return Fail(library, BASS_ERROR_INIT, -1.0f);
  std::lock_guard mix(library.mixer->mutex());
  return Succeed(library, library.mixer->masterVolume());
}

BOOL BASS_CALL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value) {
  return WithChannel(handle, kFalse, [attrib, value](Library& library, Channel& channel) {
    if (attrib != BASS_ATTRIB_VOL || std::isnan(value)) {
      return Fail(library, BASS_ERROR_ILLPARAM, kFalse);
    }
    channel.setVolume(std::clamp(value, 0.0f, 1.0f));
    return Succeed(library, kTrue);
  });
}

BOOL BASS_CALL BASS_ChannelGetAttribute(DWORD handle, DWORD attrib, float* value) {
  return WithChannel(handle, kFalse, [attrib, value](Library& library, Channel& channel) {
    if (attrib != BASS_ATTRIB_VOL || value == nullptr) {
      return Fail(library, BASS_ERROR_ILLPARAM, kFalse);
    }
    *value = channel.volume();
    return Succeed(library, kTrue);
  });
}

int BASS_CALL BASS_ErrorGetCode(void) { return Context().lastError; }

}  // extern "C"
