// The library records of the runtime: the five libraries with their type
// tables and the command tables that number their commands. They sit above
// the command families they list.
//
// Index
//   [links]      each library's link to the runtime and its notify routine
//   [types]      the data-type tables
//   [commands]   the command tables, by the command numbers the application uses
//   [records]    the five LibraryInfo records and the table
#include "runtime/libraries/library_records.h"

#include <array>
#include <span>

#include "runtime/commands/commands.h"
#include "runtime/libraries/command_numbers.h"
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

// The slot of a type in its library's table.
constexpr std::size_t Slot(TypeTag tag) { return (tag & 0xFFFF) - 1; }

// Slots without a type stay all-zero records.
std::array<DataTypeInfo, kCoreTypeCount> MakeCoreTypes() {
  std::array<DataTypeInfo, kCoreTypeCount> t{};
  t[Slot(unit_type::kWindow)] = NamedType(M.TypeWindow, "window", kFlagsWindow, 32);
  t[Slot(unit_type::kMenuItem)] = NamedType(M.TypeMenu, "menu", kFlagsMenu, 4);
  t[Slot(unit_type::kEditBox)] = NamedType(M.TypeEditBox, "EditBox", kFlagsEditBox, 29);
  t[Slot(unit_type::kPicBox)] = NamedType(M.TypePicBox, "PicBox", kFlagsPicBox, 15);
  t[Slot(unit_type::kDrawPanel)] = NamedType(M.TypeDrawPanel, "DrawPanel", kFlagsDrawPanel, 25);
  t[Slot(unit_type::kLabel)] = NamedType(M.TypeLabel, "Label", kFlagsLabel, 29);
  t[Slot(unit_type::kButton)] = NamedType(M.TypeButton, "Button", kFlagsButton, 14);
  t[Slot(unit_type::kCheckBox)] = NamedType(M.TypeCheckBox, "CheckBox", kFlagsCheckBox, 21);
  t[Slot(unit_type::kComboBox)] = NamedType(M.TypeComboBox, "ComboBox", kFlagsComboBox, 25);
  t[Slot(unit_type::kListBox)] = NamedType(M.TypeListBox, "ListBox", kFlagsListBox, 22);
  t[Slot(unit_type::kSliderBar)] = NamedType(M.TypeSliderBar, "SliderBar", kFlagsSliderBar, 20);
  t[Slot(unit_type::kComObject)] = NamedType(M.TypeComObject, "ComObject", kFlagsObject, 0);
  return t;
}

std::array<DataTypeInfo, kExtendedTypeCount> MakeExtendedTypes() {
  std::array<DataTypeInfo, kExtendedTypeCount> t{};
  t[Slot(unit_type::kCartoonBox)] = NamedType(M.TypeCartoonBox, "CartoonBox", kFlagsCartoonBox, 21);
  t[Slot(unit_type::kCartoonObject)] = NamedType(M.TypeCartoonObject, "CartoonObject", kFlagsCartoonObject, 32);
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
// stay empty. The window and unit commands reach the window engine through
// the runtime's window host.
std::array<CommandFunction, kCoreCommandCount> MakeCoreCommands() {
  using enum CoreCommand;
  std::array<CommandFunction, kCoreCommandCount> t{};
  auto at = [&t](CoreCommand n) -> CommandFunction& { return t[static_cast<std::size_t>(n)]; };
  at(CurrentTime) = c::CurrentTime;
  at(HourOf) = c::HourOf;
  at(MinuteOf) = c::MinuteOf;
  at(SecondOf) = c::SecondOf;
  at(FileExists) = c::FileExists;
  at(ToText) = c::ToText;
  at(WriteIniValue) = c::WriteIniValue;
  at(GetProgramDirectory) = c::GetProgramDirectory;
  at(RightText) = c::RightText;
  at(SetLibraryDirectory) = c::SetLibraryDirectory;
  at(WriteFileBytes) = c::WriteFileBytes;
  at(ShowMessageBox) = c::ShowMessageBox;
  at(ReadIniValue) = c::ReadIniValue;
  at(ToInteger) = c::ToInteger;
  at(CharFromCode) = c::CharFromCode;
  at(ToByteSet) = c::ToByteSet;
  at(ToUpperCase) = c::ToUpperCase;
  at(Spaces) = c::Spaces;
  at(SplitText) = c::SplitText;
  at(CompareText) = c::CompareText;
  at(ToFloat64) = c::ToFloat64;
  at(ReadFileBytes) = c::ReadFileBytes;
  at(GetProgramFileName) = c::GetProgramFileName;
  at(WriteRegistryValue) = c::WriteRegistryValue;
  at(RandomInteger) = c::RandomInteger;
  at(SetClipboardText) = c::SetClipboardText;
  at(ZeroByteSet) = c::ZeroByteSet;
  at(ProcessEvents) = c::ProcessEvents;
  at(LeftBytes) = c::LeftBytes;
  at(ReadRegistryText) = c::ReadRegistryText;
  at(TextAtAddress) = c::TextAtAddress;
  at(SoundBeep) = c::SoundBeep;
  at(ByteSetLength) = c::ByteSetLength;
  at(FloorToInteger) = c::FloorToInteger;
  at(LoadWindow) = c::LoadWindow;
  at(MoveUnit) = c::MoveUnit;
  at(SetWindowShape) = c::SetWindowShape;
  at(GetListItemText) = c::GetListItemText;
  at(IsLoaded) = c::IsLoaded;
  at(AddListItem) = c::AddListItem;
  at(GetListItemCount) = c::GetListItemCount;
  at(AddComboItem) = c::AddComboItem;
  at(DestroyWindowOrUnit) = c::DestroyWindowOrUnit;
  at(PopupMenu) = c::PopupMenu;
  at(CopyUnit) = c::CopyUnit;
  at(ClearDrawPanel) = c::ClearDrawPanel;
  at(FillGradientRect) = c::FillGradientRect;
  at(CopyDrawPanelArea) = c::CopyDrawPanelArea;
  return t;
}

std::array<CommandFunction, kCoreCommandCount> coreCommands = MakeCoreCommands();
// The animation box's seven commands are installed by the box's layer.
std::array<CommandFunction, kBoxCommandCount> extendedCommands = {};
std::array<CommandFunction, 1> specialCommands = {c::Delay};
std::array<CommandFunction, 2> systemCommands = {c::ShellOpen, c::GetSpecialFolder};
// The data operations library carries two commands that this program never
// calls and whose behaviour nothing defines; their slots stay empty.
std::array<CommandFunction, kDataCommandCount> dataCommands = {};

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

namespace {

// The record of a tag in the two libraries that carry types, or null.
DataTypeInfo* TypeSlot(TypeTag tag) {
  std::uint32_t number = tag & 0xFFFF;
  if (number == 0) return nullptr;
  if ((tag >> 16) == kCoreLibrary && number <= kCoreTypeCount) return &CoreTypes()[Slot(tag)];
  if ((tag >> 16) == kExtendedInterfaceLibrary && number <= kExtendedTypeCount) return &ExtendedTypes()[Slot(tag)];
  return nullptr;
}

// Whether the stored tables carry a type in the tag's slot.
bool StoredType(TypeTag tag) {
  std::uint32_t number = tag & 0xFFFF;
  if ((tag >> 16) == kCoreLibrary && number >= 1 && number <= kCoreTypeCount) {
    return MakeCoreTypes()[Slot(tag)].englishName != nullptr;
  }
  if ((tag >> 16) == kExtendedInterfaceLibrary && number >= 1 && number <= kExtendedTypeCount) {
    return MakeExtendedTypes()[Slot(tag)].englishName != nullptr;
  }
  return false;
}

}  // namespace

void DefineUnitType(TypeTag tag, const DataTypeInfo& type) {
  DataTypeInfo* slot = TypeSlot(tag);
  if (slot == nullptr || StoredType(tag)) return;
  *slot = type;
}

void InstallUnitType(TypeTag tag, UnitInterfaceFunction interface, const PropertyInfo* properties) {
  DataTypeInfo* type = TypeSlot(tag);
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
