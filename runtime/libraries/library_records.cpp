// The library records of the runtime: the five libraries with their type
// tables and the command tables that number their commands. They sit above
// the command families they list.
//
// Index
//   [links]      each library's link to the runtime and its notify routine
//   [types]      the data-type tables
//   [commands]   the command tables: function and result of each command, by
//                the command numbers the application uses
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

// One row per command: its number in its library's table, its function, the
// type of what it hands back, and whether it acts on live windows (through
// the window host). A result whose type is a heap block (IsHeapBlock) is the
// caller's to free. The commands above the runtime (the animation box's)
// have their rows here and their functions installed by their layer.
struct CommandRow {
  std::int32_t number;
  CommandFunction function;
  TypeTag result;  // kTagNone: nothing
  bool actsOnWindows;
};
constexpr bool kWindows = true, kNoWindows = false;
constexpr TypeTag kTextArray = kTagText | kArrayFlag;

template <class Number>
constexpr std::int32_t N(Number number) {
  return static_cast<std::int32_t>(number);
}

// Core commands by number. Numbers 18-20 are not used by the application and
// stay empty.
constexpr CommandRow kCoreRows[] = {
    {N(CoreCommand::LoadWindow),          c::LoadWindow,          kTagBool,     kWindows},
    {N(CoreCommand::CurrentTime),         c::CurrentTime,         kTagDateTime, kNoWindows},
    {N(CoreCommand::HourOf),              c::HourOf,              kTagInt,      kNoWindows},
    {N(CoreCommand::MinuteOf),            c::MinuteOf,            kTagInt,      kNoWindows},
    {N(CoreCommand::SecondOf),            c::SecondOf,            kTagInt,      kNoWindows},
    {N(CoreCommand::FileExists),          c::FileExists,          kTagBool,     kNoWindows},
    {N(CoreCommand::ToText),              c::ToText,              kTagText,     kNoWindows},
    {N(CoreCommand::WriteIniValue),       c::WriteIniValue,       kTagBool,     kNoWindows},
    {N(CoreCommand::GetProgramDirectory), c::GetProgramDirectory, kTagText,     kNoWindows},
    {N(CoreCommand::RightText),           c::RightText,           kTagText,     kNoWindows},
    {N(CoreCommand::SetLibraryDirectory), c::SetLibraryDirectory, kTagText,     kNoWindows},
    {N(CoreCommand::WriteFileBytes),      c::WriteFileBytes,      kTagBool,     kNoWindows},
    {N(CoreCommand::ShowMessageBox),      c::ShowMessageBox,      kTagInt,      kNoWindows},
    {N(CoreCommand::ReadIniValue),        c::ReadIniValue,        kTagText,     kNoWindows},
    {N(CoreCommand::ToInteger),           c::ToInteger,           kTagInt,      kNoWindows},
    {N(CoreCommand::CharFromCode),        c::CharFromCode,        kTagText,     kNoWindows},
    {N(CoreCommand::ToByteSet),           c::ToByteSet,           kTagByteSet,  kNoWindows},
    {N(CoreCommand::ToUpperCase),         c::ToUpperCase,         kTagText,     kNoWindows},
    {N(CoreCommand::Spaces),              c::Spaces,              kTagText,     kNoWindows},
    {N(CoreCommand::SplitText),           c::SplitText,           kTextArray,   kNoWindows},
    {N(CoreCommand::CompareText),         c::CompareText,         kTagInt,      kNoWindows},
    {N(CoreCommand::MoveUnit),            c::MoveUnit,            kTagNone,     kWindows},
    {N(CoreCommand::SetWindowShape),      c::SetWindowShape,      kTagBool,     kWindows},
    {N(CoreCommand::ToFloat64),           c::ToFloat64,           kTagDouble,   kNoWindows},
    {N(CoreCommand::ReadFileBytes),       c::ReadFileBytes,       kTagByteSet,  kNoWindows},
    {N(CoreCommand::GetProgramFileName),  c::GetProgramFileName,  kTagText,     kNoWindows},
    {N(CoreCommand::WriteRegistryValue),  c::WriteRegistryValue,  kTagBool,     kNoWindows},
    {N(CoreCommand::GetListItemText),     c::GetListItemText,     kTagText,     kWindows},
    {N(CoreCommand::RandomInteger),       c::RandomInteger,       kTagInt,      kNoWindows},
    {N(CoreCommand::SetClipboardText),    c::SetClipboardText,    kTagBool,     kNoWindows},
    {N(CoreCommand::IsLoaded),            c::IsLoaded,            kTagBool,     kWindows},
    {N(CoreCommand::ZeroByteSet),         c::ZeroByteSet,         kTagByteSet,  kNoWindows},
    {N(CoreCommand::ProcessEvents),       c::ProcessEvents,       kTagNone,     kNoWindows},
    {N(CoreCommand::LeftBytes),           c::LeftBytes,           kTagByteSet,  kNoWindows},
    {N(CoreCommand::ReadRegistryText),    c::ReadRegistryText,    kTagText,     kNoWindows},
    {N(CoreCommand::AddListItem),         c::AddListItem,         kTagInt,      kWindows},
    {N(CoreCommand::GetListItemCount),    c::GetListItemCount,    kTagInt,      kWindows},
    {N(CoreCommand::AddComboItem),        c::AddComboItem,        kTagInt,      kWindows},
    {N(CoreCommand::TextAtAddress),       c::TextAtAddress,       kTagText,     kNoWindows},
    {N(CoreCommand::SoundBeep),           c::SoundBeep,           kTagNone,     kNoWindows},
    {N(CoreCommand::DestroyWindowOrUnit), c::DestroyWindowOrUnit, kTagNone,     kWindows},
    {N(CoreCommand::PopupMenu),           c::PopupMenu,           kTagNone,     kWindows},
    {N(CoreCommand::ByteSetLength),       c::ByteSetLength,       kTagInt,      kNoWindows},
    {N(CoreCommand::FloorToInteger),      c::FloorToInteger,      kTagInt,      kNoWindows},
    {N(CoreCommand::CopyUnit),            c::CopyUnit,            kTagBool,     kWindows},
    {N(CoreCommand::ClearDrawPanel),      c::ClearDrawPanel,      kTagNone,     kWindows},
    {N(CoreCommand::FillGradientRect),    c::FillGradientRect,    kTagNone,     kWindows},
    {N(CoreCommand::CopyDrawPanelArea),   c::CopyDrawPanelArea,   kTagNone,     kWindows},
};

// The animation box's commands, installed by the box's layer.
constexpr CommandRow kBoxRows[] = {
    {N(BoxCommand::SetObjectAngle),   nullptr, kTagNone, kWindows},
    {N(BoxCommand::StartAutoRotate),  nullptr, kTagNone, kWindows},
    {N(BoxCommand::CreateObject),     nullptr, kTagInt,  kWindows},
    {N(BoxCommand::SetObjectVisible), nullptr, kTagNone, kWindows},
    {N(BoxCommand::SetObjectPicture), nullptr, kTagNone, kWindows},
    {N(BoxCommand::DestroyObjects),   nullptr, kTagNone, kWindows},
    {N(BoxCommand::ObjectExists),     nullptr, kTagBool, kWindows},
    {N(BoxCommand::SetPictureScale),  nullptr, kTagNone, kWindows},
};

constexpr CommandRow kSpecialRows[] = {{N(SpecialCommand::Delay), c::Delay, kTagNone, kNoWindows}};

constexpr CommandRow kSystemRows[] = {
    {N(SystemCommand::ShellOpen),        c::ShellOpen,        kTagNone, kNoWindows},
    {N(SystemCommand::GetSpecialFolder), c::GetSpecialFolder, kTagText, kNoWindows},
};

// The data operations library carries two commands that this program never
// calls and whose behaviour nothing defines; their slots stay empty.
constexpr std::span<const CommandRow> kDataRows = {};

// Each number once, inside the library's table.
constexpr bool RowsAreSound(std::span<const CommandRow> rows, std::int32_t count) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].number < 0 || rows[i].number >= count) return false;
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      if (rows[i].number == rows[j].number) return false;
    }
  }
  return true;
}
static_assert(RowsAreSound(kCoreRows, kCoreCommandCount) && RowsAreSound(kBoxRows, kBoxCommandCount) &&
              RowsAreSound(kSpecialRows, 1) && RowsAreSound(kSystemRows, 2));

// The function table a library's record points at, filled from its rows.
template <std::size_t Count>
constexpr std::array<CommandFunction, Count> FunctionsOf(std::span<const CommandRow> rows) {
  std::array<CommandFunction, Count> functions{};
  for (const CommandRow& row : rows) functions[static_cast<std::size_t>(row.number)] = row.function;
  return functions;
}

std::array<CommandFunction, kCoreCommandCount> coreCommands = FunctionsOf<kCoreCommandCount>(kCoreRows);
std::array<CommandFunction, kBoxCommandCount> extendedCommands = FunctionsOf<kBoxCommandCount>(kBoxRows);
std::array<CommandFunction, 1> specialCommands = FunctionsOf<1>(kSpecialRows);
std::array<CommandFunction, 2> systemCommands = FunctionsOf<2>(kSystemRows);
std::array<CommandFunction, kDataCommandCount> dataCommands = FunctionsOf<kDataCommandCount>(kDataRows);

std::span<const CommandRow> RowsOf(int library) {
  switch (library) {
    case kCoreLibrary: return kCoreRows;
    case kExtendedInterfaceLibrary: return kBoxRows;
    case kSpecialFunctionsLibrary: return kSpecialRows;
    case kSystemInterfaceLibrary: return kSystemRows;
    case kDataOperationsLibrary: return kDataRows;
    default: return {};
  }
}

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

std::optional<CommandResult> ResultOfCommand(int library, std::int32_t index) {
  for (const CommandRow& row : RowsOf(library)) {
    if (row.number == index) return CommandResult{row.result, row.actsOnWindows};
  }
  return std::nullopt;
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
