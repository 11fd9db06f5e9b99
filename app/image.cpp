// The image header, the declaration tables of the external functions and the
// library table, as the runtime reads them at start-up.
#include "app/image.h"

#include "app/externals.h"
#include "app/literals.h"
#include "app/forms/form_block.h"
#include "runtime/libraries/library_records.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;

// Declaration number -> library file name and function name.
const char* const kLibraryNames[kExternalCount] = {
    L.BassFileName,    L.LibKernel32,     L.LibKernel32Short, L.LibWininet,      L.LibWininet,
    L.LibWininet,      L.LibWininet,      L.BassFileName,     L.BassFileName,    L.BassFileName,
    L.BassFileName,    L.BassFileName,    L.BassFileName,     L.BassFileName,    L.BassFileName,
    L.BassFileName,    L.BassFileName,    L.BassFileName,     L.BassFileName,    L.BassFileName,
    L.BassFileName,    L.BassFileName,    L.BassFileName,     L.BassFileName,    L.BassFileName,
    L.BassFileName,    L.BassFileName,    L.BassFileName,     L.BassFileName,
};
const char* const kFunctionNames[kExternalCount] = {
    L.FnFree,          L.FnCreateThread,      L.FnCloseHandle,         L.FnInternetOpen,
    L.FnInternetOpenUrl, L.FnInternetReadFile, L.FnInternetCloseHandle, L.FnGetDevice,
    L.FnGetDeviceInfo, L.FnInit,              L.FnStreamCreateFile,    L.FnStreamCreateFile,
    L.FnStreamCreateURL, L.FnChannelPlay,     L.FnChannelPause,        L.FnChannelStop,
    L.FnChannelGetPosition, L.FnChannelSetPosition, L.FnChannelGetLength, L.FnChannelGetTags,
    L.FnChannelIsActive, L.FnStreamFree,      L.FnChannelGetData,      L.FnSetVolume,
    L.FnGetVolume,     L.FnChannelSetAttribute, L.FnChannelGetAttribute, L.FnChannelBytes2Seconds,
    L.FnChannelSeconds2Bytes,
};

runtime::ImageHeader MakeHeader() {
  runtime::ImageHeader h;
  h.runMode = 3;
  h.reserved = 0;
  h.buildValue = 0x10C55;
  h.codeBase = kCodeBase;
  h.constantStart = &kConstants;
  h.constantLength = sizeof kConstants;
  h.formStart = kFormBlock;
  h.formLength = kFormBlockSize;
  h.libraryCount = runtime::kLibraryCount;
  h.libraries = runtime::RuntimeLibraries();
  h.externalCount = kExternalCount;
  h.externalLibraryNames = kLibraryNames;
  h.externalFunctionNames = kFunctionNames;
  return h;
}

}  // namespace

const runtime::ImageHeader& ApplicationImage() {
  static const runtime::ImageHeader header = MakeHeader();
  return header;
}

}  // namespace horavia::app
