// The library records of the runtime.
//
// Index
//   [links]      each library's link to the runtime and its notify routine
//   [types]      the data-type tables
//   [commands]   the command tables, by the command numbers the application uses
//   [records]    the five LibraryInfo records and the table
#include "runtime/libraries.h"

#include <array>
#include <span>

#include "runtime/commands/commands.h"
#include "runtime/library_links.h"
#include "runtime/messages.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime {
namespace {

namespace c = commands;
const auto& M = messages::kConstants;

// [links] ----------------------------------------------------------------------

// Each library keeps the routine it was handed with notify code 1.
template <int Library>
LibraryLink& Link() {
  static LibraryLink link;
  return link;
}

// Code 1 stores the service routine. Code 6 (shutdown) is answered by the
// special functions library alone; the core library also serves codes 2 and
// 10-13 for the runtime, which nothing in this program sends.
template <int Library>
std::intptr_t Notify(std::int32_t code, std::intptr_t value1, std::intptr_t) {
  switch (code) {
    case kNotifyStart:
      Link<Library>().connect(reinterpret_cast<ServiceRoutine>(value1));
      return 0;
    case kNotifyShutdown:
      return Library == kSpecialFunctionsLibrary ? 0 : -1;
    case 2:
    case 10:
    case 11:
    case 12:
    case 13:
      return Library == kCoreLibrary ? 0 : -1;
    default:
      return -1;
  }
}

// [types] ----------------------------------------------------------------------

constexpr int kCoreTypeCount = 51;
constexpr int kExtendedTypeCount = 9;

DataTypeInfo NamedType(const char* name, const char* english, std::uint32_t flags, std::int32_t properties) {
  DataTypeInfo type;
  type.name = name;
  type.englishName = english;
  type.stateFlags = flags;
  type.propertyCount = properties;
  return type;
}

// Slots without a type stay all-zero records.
std::array<DataTypeInfo, kCoreTypeCount> MakeCoreTypes() {
  std::array<DataTypeInfo, kCoreTypeCount> t{};
  t[0] = NamedType(M.TypeWindow, "window", kFlagsWindow, 32);
  t[2] = NamedType(M.TypeMenu, "menu", kFlagsMenu, 4);
  t[4] = NamedType(M.TypeEditBox, "EditBox", kFlagsEditBox, 29);
  t[5] = NamedType(M.TypePicBox, "PicBox", kFlagsPicBox, 15);
  t[7] = NamedType(M.TypeDrawPanel, "DrawPanel", kFlagsDrawPanel, 25);
  t[9] = NamedType(M.TypeLabel, "Label", kFlagsLabel, 29);
  t[10] = NamedType(M.TypeButton, "Button", kFlagsButton, 14);
  t[11] = NamedType(M.TypeCheckBox, "CheckBox", kFlagsCheckBox, 21);
  t[13] = NamedType(M.TypeComboBox, "ComboBox", kFlagsComboBox, 25);
  t[14] = NamedType(M.TypeListBox, "ListBox", kFlagsListBox, 22);
  t[19] = NamedType(M.TypeSliderBar, "SliderBar", kFlagsSliderBar, 20);
  t[47] = NamedType(M.TypeComObject, "ComObject", kFlagsObject, 0);
  return t;
}

std::array<DataTypeInfo, kExtendedTypeCount> MakeExtendedTypes() {
  std::array<DataTypeInfo, kExtendedTypeCount> t{};
  t[7] = NamedType(M.TypeCartoonBox, "CartoonBox", kFlagsCartoonBox, 21);
  t[8] = NamedType(M.TypeCartoonObject, "CartoonObject", kFlagsCartoonObject, 32);
  return t;
}

// The type tables are part of the library records; unit implementations
// fill in their interface functions at start-up (InstallUnitType).
std::array<DataTypeInfo, kCoreTypeCount>& CoreTypes() {
  static std::array<DataTypeInfo, kCoreTypeCount> types = MakeCoreTypes();
  return types;
}
std::array<DataTypeInfo, kExtendedTypeCount>& ExtendedTypes() {
  static std::array<DataTypeInfo, kExtendedTypeCount> types = MakeExtendedTypes();
  return types;
}

// [commands] -------------------------------------------------------------------

// Core commands by number. Numbers 18-20 are not used by the application and
// stay empty.
std::array<CommandFunction, 51> coreCommands = {
    /*0*/ c::LoadWindow,    c::CurrentTime,       c::HourOf,          c::MinuteOf,
    /*4*/ c::SecondOf,      c::FileExists,        c::ToText,          c::WriteIniValue,
    /*8*/ c::GetProgramDirectory, c::RightText,   c::SetLibraryDirectory, c::WriteFileBytes,
    /*12*/ c::ShowMessageBox, c::ReadIniValue,    c::ToInteger,       c::CharFromCode,
    /*16*/ c::ToByteSet,    c::ToUpperCase,       nullptr,            nullptr,
    /*20*/ nullptr,         c::Spaces,            c::SplitText,       c::CompareText,
    /*24*/ c::MoveUnit,     c::SetWindowShape,    c::ToFloat64,       c::ReadFileBytes,
    /*28*/ c::GetProgramFileName, c::WriteRegistryValue, c::GetListItemText, c::RandomInteger,
    /*32*/ c::SetClipboardText, c::IsLoaded,      c::ZeroByteSet,     c::ProcessEvents,
    /*36*/ c::LeftBytes,    c::ReadRegistryText,  c::AddListItem,     c::GetListItemCount,
    /*40*/ c::AddComboItem, c::TextAtAddress,     c::SoundBeep,       c::DestroyWindowOrUnit,
    /*44*/ c::PopupMenu,    c::ByteSetLength,     c::FloorToInteger,  c::CopyUnit,
    /*48*/ c::ClearDrawPanel, c::FillGradientRect, c::CopyDrawPanelArea,
};

// The animation box's seven commands are installed by the box's layer.
std::array<CommandFunction, 7> extendedCommands = {};
std::array<CommandFunction, 1> specialCommands = {c::Delay};
std::array<CommandFunction, 2> systemCommands = {c::ShellOpen, c::GetSpecialFolder};
// The data operations library carries two commands that this program never
// calls and whose behaviour nothing defines; their slots stay empty.
std::array<CommandFunction, 2> dataCommands = {};

// The table a library's record points at, by library number.
std::span<CommandFunction> CommandTable(int library) {
  switch (library) {
    case kCoreLibrary: return coreCommands;
    case kExtendedInterfaceLibrary: return extendedCommands;
    case kSpecialFunctionsLibrary: return specialCommands;
    case kSystemInterfaceLibrary: return systemCommands;
    case kDataOperationsLibrary: return dataCommands;
    default: return {};
  }
}

// [records] --------------------------------------------------------------------

template <std::size_t N>
LibraryInfo MakeLibrary(const char* id, const char* name, int major, int build, int rtMinor, int coreMinor,
                        std::uint32_t flags, const std::array<CommandFunction, N>& commands,
                        NotifyRoutine notify) {
  LibraryInfo info;
  info.identifier = id;
  info.majorVersion = major;
  info.buildNumber = build;
  info.requiredRuntimeMajor = 3;
  info.requiredRuntimeMinor = rtMinor;
  info.requiredCoreMajor = 3;
  info.requiredCoreMinor = coreMinor;
  info.displayName = name;
  info.stateFlags = flags;
  info.commandCount = static_cast<std::int32_t>(N);
  info.commands = commands.data();
  info.notify = notify;
  return info;
}

struct Records {
  std::array<LibraryInfo, kLibraryCount> info;
  std::array<const LibraryInfo*, kLibraryCount> table;
};

Records& TheRecords() {
  static Records records = [] {
    Records r;
    r.info[0] = MakeLibrary("5B0E6C1A9D3F47A2B8C4E1F60A7D2C31", M.LibraryCore, 5, 64, 7, 7, 0xC0000001,
                            coreCommands, &Notify<kCoreLibrary>);
    r.info[0].dataTypeCount = kCoreTypeCount;
    r.info[0].dataTypes = CoreTypes().data();
    r.info[1] = MakeLibrary("8E2A4F6C1B3D45E7A9C0D2F4B6E8A013", M.LibraryExtendedInterface, 2, 2, 4, 3, 0,
                            extendedCommands, &Notify<kExtendedInterfaceLibrary>);
    r.info[1].dataTypeCount = kExtendedTypeCount;
    r.info[1].dataTypes = ExtendedTypes().data();
    r.info[2] = MakeLibrary("C3D5E7F90A1B42C6D8E0F1A3B5C7D9E2", M.LibrarySpecialFunctions, 3, 0, 8, 0, 0xC0000000,
                            specialCommands, &Notify<kSpecialFunctionsLibrary>);
    r.info[3] = MakeLibrary("1F3E5D7C9B0A48F6E2D4C6B8A0F2E4D5", M.LibrarySystemInterface, 3, 0, 0, 0, 0,
                            systemCommands, &Notify<kSystemInterfaceLibrary>);
    r.info[4] = MakeLibrary("A7B9C1D3E5F640A2B4C6D8E0F1A3B5C6", M.LibraryDataOperations, 2, 50, 6, 0, 0xC0000000,
                            dataCommands, &Notify<kDataOperationsLibrary>);
    for (int i = 0; i < kLibraryCount; ++i) r.table[i] = &r.info[i];
    return r;
  }();
  return records;
}

}  // namespace

const LibraryInfo* const* RuntimeLibraries() { return TheRecords().table.data(); }

void InstallUnitType(TypeTag tag, UnitInterfaceFunction interface, const PropertyInfo* properties) {
  DataTypeInfo* type = nullptr;
  std::uint32_t number = tag & 0xFFFF;
  if ((tag >> 16) == kCoreLibrary && number >= 1 && number <= kCoreTypeCount) type = &CoreTypes()[number - 1];
  if ((tag >> 16) == kExtendedInterfaceLibrary && number >= 1 && number <= kExtendedTypeCount) {
    type = &ExtendedTypes()[number - 1];
  }
  if (type == nullptr) return;
  type->interface = interface;
  if (properties != nullptr) type->properties = properties;
}

void InstallCommand(int library, int index, CommandFunction function) {
  std::span<CommandFunction> table = CommandTable(library);
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return;
  table[static_cast<std::size_t>(index)] = function;
}

LibraryLink& CoreLibraryLink() { return Link<kCoreLibrary>(); }
LibraryLink& ExtendedInterfaceLibraryLink() { return Link<kExtendedInterfaceLibrary>(); }
LibraryLink& SpecialFunctionsLibraryLink() { return Link<kSpecialFunctionsLibrary>(); }
LibraryLink& SystemInterfaceLibraryLink() { return Link<kSystemInterfaceLibrary>(); }
LibraryLink& DataOperationsLibraryLink() { return Link<kDataOperationsLibrary>(); }

}  // namespace horavia::runtime
