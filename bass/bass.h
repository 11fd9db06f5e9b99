/* The audio library's C interface: output devices, MP3 streams, mixing.
 *
 * Index
 *   types          BOOL, DWORD, QWORD, HSTREAM, BASS_DEVICEINFO
 *   constants      device flags, attributes, data requests, tag types
 *   error codes    what BASS_ErrorGetCode reports after a failed call
 *   functions      device, stream, channel and volume calls
 *
 * The library is loaded by path or name and called through function
 * pointers (decltype(&BASS_Init) and so on); nothing else is exported.
 * Every function may be called from any one application thread while the
 * audio thread mixes; none of them waits for more than one output buffer.
 */
#ifndef HORAVIA_BASS_BASS_H
#define HORAVIA_BASS_BASS_H

#include <stdint.h>

/* [types] ------------------------------------------------------------------ */
#ifdef _WIN32
#include <windows.h>
typedef uint64_t QWORD;
#else
typedef int BOOL;
typedef uint32_t DWORD;
typedef uint64_t QWORD;
#endif
typedef DWORD HSTREAM;

/* Exports use the standard Windows calling convention on 32-bit Windows,
 * where the callee removes its arguments; elsewhere the platform's own. */
#if defined(_WIN32) && !defined(_WIN64)
#define BASS_CALL __stdcall
#else
#define BASS_CALL
#endif

#if defined(_WIN32)
#ifdef HORAVIA_BASS_BUILDING
#define BASS_API __declspec(dllexport)
#else
#define BASS_API __declspec(dllimport)
#endif
#else
#define BASS_API __attribute__((visibility("default")))
#endif

/* One entry of the output device list. The texts are code page 936 and stay
 * valid until BASS_Free. */
typedef struct BASS_DEVICEINFO {
  const char* name;   /* the device's description */
  const char* driver; /* the host audio driver behind it ("" for no sound) */
  DWORD flags;        /* BASS_DEVICE_* bits */
} BASS_DEVICEINFO;

/* [constants] -------------------------------------------------------------- */
#define BASS_DEVICE_ENABLED 1u /* the device can be opened */
#define BASS_DEVICE_DEFAULT 2u /* the system's default output */
#define BASS_DEVICE_INIT 4u    /* the device the library is initialised on */

#define BASS_ATTRIB_VOL 2u /* channel volume, 0 (silent) ... 1 (full level) */

#define BASS_POS_BYTE 0u /* positions and lengths in bytes of 16-bit stereo */

/* BASS_ChannelGetData length: 128 floats of a 256-sample FFT. */
#define BASS_DATA_FFT256 0x80000000u

#define BASS_TAG_ID3 0u /* the 128-byte ID3v1 block at the end of the file */

/* BASS_ChannelIsActive results. */
#define BASS_ACTIVE_STOPPED 0u
#define BASS_ACTIVE_PLAYING 1u
#define BASS_ACTIVE_PAUSED 3u

/* --- error codes ------------------------------------------------------------
 * BASS_ErrorGetCode returns the code of the last call that failed, or
 * BASS_OK when the last call succeeded. */
#define BASS_OK 0
#define BASS_ERROR_INIT 1      /* BASS_Init has not succeeded */
#define BASS_ERROR_ALREADY 2   /* already initialised; call BASS_Free first */
#define BASS_ERROR_DEVICE 3    /* no device with that number */
#define BASS_ERROR_DRIVER 4    /* the device exists but could not be opened */
#define BASS_ERROR_FILEOPEN 5  /* the file could not be opened or read */
#define BASS_ERROR_FILEFORM 6  /* no MP3 audio could be decoded from the data */
#define BASS_ERROR_HANDLE 7    /* not a live stream handle */
#define BASS_ERROR_ILLPARAM 8  /* an argument is out of range or null */
#define BASS_ERROR_POSITION 9  /* the position lies beyond the stream's end */
#define BASS_ERROR_NOPLAY 10   /* the channel is not playing, or no output */
#define BASS_ERROR_NOTAVAIL 11 /* the requested tag or data does not exist */
#define BASS_ERROR_NONET 12    /* this build has no network support */
#define BASS_ERROR_MEM 13      /* out of memory or too many streams */
#define BASS_ERROR_UNKNOWN -1  /* the host audio layer failed otherwise */

/* [functions] -------------------------------------------------------------- */
#ifdef __cplusplus
extern "C" {
#endif

/* Devices: -1 and 1 are the default output, 0 is "no sound" (streams can be
 * made and measured but not played), 2... the host's outputs without gaps.
 * freq 0 means 44100. flags, win and clsid are accepted and ignored. */
BASS_API BOOL BASS_CALL BASS_Init(int device, DWORD freq, DWORD flags, void* win, void* clsid);
BASS_API BOOL BASS_CALL BASS_Free(void);
/* The initialised device's number, or (DWORD)-1. */
BASS_API DWORD BASS_CALL BASS_GetDevice(void);
/* Fills info and returns non-zero; 0 past the last device. */
BASS_API BOOL BASS_CALL BASS_GetDeviceInfo(DWORD device, BASS_DEVICEINFO* info);

/* mem 0: file is a code-page-936 path (backslashes allowed); decoding starts
 * offset bytes into the file and uses length bytes (0: up to the end).
 * mem 1: file points to length bytes of MP3 data that must stay valid until
 * the stream is freed; decoding starts offset bytes into them.
 * flags are accepted and ignored. Returns 0 on failure. */
BASS_API HSTREAM BASS_CALL BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset,
                                                 QWORD length, DWORD flags);
/* Always 0 with BASS_ERROR_NONET. */
BASS_API HSTREAM BASS_CALL BASS_StreamCreateURL(const char* url, DWORD offset, DWORD flags,
                                                void* proc, void* user);
BASS_API BOOL BASS_CALL BASS_StreamFree(HSTREAM handle);

/* restart non-zero plays from the start; otherwise a paused or stopped
 * channel resumes where it was, and a finished one starts again. */
BASS_API BOOL BASS_CALL BASS_ChannelPlay(DWORD handle, BOOL restart);
BASS_API BOOL BASS_CALL BASS_ChannelPause(DWORD handle);
/* Stops without rewinding. */
BASS_API BOOL BASS_CALL BASS_ChannelStop(DWORD handle);
/* BASS_ACTIVE_*; a finished or unknown channel is stopped. */
BASS_API DWORD BASS_CALL BASS_ChannelIsActive(DWORD handle);

/* Byte positions of the decoded 16-bit stereo data at the stream's own
 * sample rate; (QWORD)-1 on failure. Only BASS_POS_BYTE is supported. */
BASS_API QWORD BASS_CALL BASS_ChannelGetPosition(DWORD handle, DWORD mode);
BASS_API BOOL BASS_CALL BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode);
BASS_API QWORD BASS_CALL BASS_ChannelGetLength(DWORD handle, DWORD mode);

/* BASS_TAG_ID3 only; the block stays valid until the stream is freed. */
BASS_API const char* BASS_CALL BASS_ChannelGetTags(DWORD handle, DWORD tags);
/* BASS_DATA_FFT256 only: 128 magnitudes of the last 256 samples the channel
 * played (mono, before its volume, Hann window; a full-scale sine on a bin
 * reads 1). Returns the bytes written (512) or (DWORD)-1. */
BASS_API DWORD BASS_CALL BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length);

/* Master output level, 0 ... 1, applied after the channel volumes. */
BASS_API BOOL BASS_CALL BASS_SetVolume(float volume);
/* The master level, or -1 on failure. */
BASS_API float BASS_CALL BASS_GetVolume(void);

/* BASS_ATTRIB_VOL only; values outside 0 ... 1 are clamped, NaN refused. */
BASS_API BOOL BASS_CALL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value);
BASS_API BOOL BASS_CALL BASS_ChannelGetAttribute(DWORD handle, DWORD attrib, float* value);

/* -1 on failure. */
BASS_API double BASS_CALL BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos);
/* Whole frames of 4 bytes; (QWORD)-1 on failure or negative seconds. */
BASS_API QWORD BASS_CALL BASS_ChannelSeconds2Bytes(DWORD handle, double pos);

BASS_API int BASS_CALL BASS_ErrorGetCode(void);

#ifdef __cplusplus
}
#endif

#endif /* HORAVIA_BASS_BASS_H */
