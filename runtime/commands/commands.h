// The runtime's commands: time, settings files and the registry, text and
// conversions, files and the system, and the window and unit commands (which
// reach the windows through the runtime's window host).
//
// Every command takes (result record, argument count, arguments), writes its
// result into the zeroed result record, hands out new heap texts and
// byte-sets (null for empty) and never frees or keeps an argument.
//
// Index
//   [time]       time.cpp
//   [settings]   settings.cpp
//   [text]       text.cpp
//   [files]      files.cpp
//   [windows]    windows.cpp
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/values.h"

namespace horavia::runtime::commands {

// [time] ---------------------------------------------------------------------

void CurrentTime(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void HourOf(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void MinuteOf(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void SecondOf(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void Delay(ArgRecord* result, std::int32_t argCount, ArgRecord* args);

// The shared component routine: 1 year, 2 quarter, 3 month, 4 week of the
// year, 5 day, 6 hour, 7 minute, 8 second, 9 day of week (1 = Sunday), 10 day
// of year; numbers above 10 count as 10, below 1 as 1. -1 for an invalid date.
std::int32_t DateComponent(double date, std::int32_t component);

// [settings] -----------------------------------------------------------------

void ReadIniValue(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void WriteIniValue(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ReadRegistryText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void WriteRegistryValue(ArgRecord* result, std::int32_t argCount, ArgRecord* args);

// A registry value path split at its last backslash (stepping over two-byte
// characters): the key path before it, the value name after it. Without a
// backslash the whole path is the value name.
struct RegistryPath {
  std::string_view key;
  std::string_view value;
};
RegistryPath SplitRegistryPath(std::string_view path);

// [text] ---------------------------------------------------------------------

void ToText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ToInteger(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ToFloat64(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ToByteSet(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void CharFromCode(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ToUpperCase(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void RightText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void Spaces(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void CompareText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void SplitText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void LeftBytes(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ZeroByteSet(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ByteSetLength(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void TextAtAddress(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void FloorToInteger(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void RandomInteger(ArgRecord* result, std::int32_t argCount, ArgRecord* args);

// The core library's pseudo-random generator: state × 214013 + 2531011
// (mod 2^32), output bits 16-30 of the new state. One per runtime, starting
// at state 1; nothing reseeds it except tests.
class RandomGenerator {
 public:
  std::int32_t next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
  }
  void reset(std::uint32_t state = 1) { state_ = state; }

 private:
  std::uint32_t state_ = 1;
};
RandomGenerator& CoreRandomGenerator();

// [files] --------------------------------------------------------------------

void FileExists(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ReadFileBytes(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void WriteFileBytes(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void GetProgramDirectory(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void GetProgramFileName(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void SetLibraryDirectory(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void SetClipboardText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ShowMessageBox(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void SoundBeep(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ProcessEvents(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ShellOpen(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void GetSpecialFolder(ArgRecord* result, std::int32_t argCount, ArgRecord* args);

// [windows] ------------------------------------------------------------------

void LoadWindow(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void IsLoaded(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void DestroyWindowOrUnit(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void MoveUnit(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void SetWindowShape(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void PopupMenu(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void CopyUnit(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void AddComboItem(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void AddListItem(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void GetListItemCount(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void GetListItemText(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void ClearDrawPanel(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void FillGradientRect(ArgRecord* result, std::int32_t argCount, ArgRecord* args);
void CopyDrawPanelArea(ArgRecord* result, std::int32_t argCount, ArgRecord* args);

}  // namespace horavia::runtime::commands
