// The commands' numbers in their libraries' tables: the position of each
// command in its library's command table, as compiled application code names
// it. The library records place the command functions by these numbers.
#pragma once

#include <cstdint>

namespace horavia::runtime {

// The core library (library 1), 51 slots; 18-20 are empty.
enum class CoreCommand : std::int32_t {
  LoadWindow = 0,
  CurrentTime = 1,
  HourOf = 2,
  MinuteOf = 3,
  SecondOf = 4,
  FileExists = 5,
  ToText = 6,
  WriteIniValue = 7,
  GetProgramDirectory = 8,
  RightText = 9,
  SetLibraryDirectory = 10,
  WriteFileBytes = 11,
  ShowMessageBox = 12,
  ReadIniValue = 13,
  ToInteger = 14,
  CharFromCode = 15,
  ToByteSet = 16,
  ToUpperCase = 17,
  Spaces = 21,
  SplitText = 22,
  CompareText = 23,
  MoveUnit = 24,
  SetWindowShape = 25,
  ToFloat64 = 26,
  ReadFileBytes = 27,
  GetProgramFileName = 28,
  WriteRegistryValue = 29,
  GetListItemText = 30,
  RandomInteger = 31,
  SetClipboardText = 32,
  IsLoaded = 33,
  ZeroByteSet = 34,
  ProcessEvents = 35,
  LeftBytes = 36,
  ReadRegistryText = 37,
  AddListItem = 38,
  GetListItemCount = 39,
  AddComboItem = 40,
  TextAtAddress = 41,
  SoundBeep = 42,
  DestroyWindowOrUnit = 43,
  PopupMenu = 44,
  ByteSetLength = 45,
  FloorToInteger = 46,
  CopyUnit = 47,
  ClearDrawPanel = 48,
  FillGradientRect = 49,
  CopyDrawPanelArea = 50,
};
inline constexpr std::int32_t kCoreCommandCount = 51;

// The extended interface library (library 2): the animation box's commands.
enum class BoxCommand : std::int32_t {
  SetObjectAngle = 0,
  StartAutoRotate = 1,
  CreateObject = 2,
  SetObjectVisible = 3,
  SetObjectPicture = 4,
  DestroyObjects = 5,
  ObjectExists = 6,
  SetPictureScale = 7,
};
inline constexpr std::int32_t kBoxCommandCount = 8;

// The special functions library (library 3).
enum class SpecialCommand : std::int32_t { Delay = 0 };
// The system interface library (library 4).
enum class SystemCommand : std::int32_t { ShellOpen = 0, GetSpecialFolder = 1 };
// The data operations library (library 5) numbers two commands this program
// never calls.
inline constexpr std::int32_t kDataCommandCount = 2;

}  // namespace horavia::runtime
