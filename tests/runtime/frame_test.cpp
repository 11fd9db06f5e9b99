// The runtime frame: heap and constant ranges, the fatal reporter, start-up
// and shutdown order, library notification and type lookup.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/commands/commands.h"
#include "runtime/entry.h"
#include "runtime/fatal.h"
#include "runtime/libraries/library_records.h"
#include "runtime/runtime_app.h"
#include "runtime/services.h"
#include "tests/runtime/runtime_fixture.h"

namespace horavia::runtime {
namespace {

using testing::RuntimeTest;

// A record of what the test libraries and the clean-up routine saw, in order.
std::vector<std::string>& Journal() {
  static std::vector<std::string> journal;
  return journal;
}

template <int N>
std::intptr_t RecordingNotify(std::int32_t code, std::intptr_t value1, std::intptr_t) {
  Journal().push_back("lib" + std::to_string(N) + ":" + std::to_string(code) +
                      (code == kNotifyStart && value1 == reinterpret_cast<std::intptr_t>(&RuntimeApp::Service)
                           ? "+service"
                           : ""));
  return 0;
}

void RecordingCleanup() { Journal().push_back("cleanup"); }

const char kConstantBlock[] = "literal text\0second";

struct TestImage {
  LibraryInfo libraries[2];
  const LibraryInfo* table[2];
  ImageHeader header;
  TestImage() {
    libraries[0].notify = &RecordingNotify<1>;
    libraries[1].notify = &RecordingNotify<2>;
    table[0] = &libraries[0];
    table[1] = &libraries[1];
    header.constantStart = kConstantBlock;
    header.constantLength = sizeof kConstantBlock;
    header.libraryCount = 2;
    header.libraries = table;
  }
};

class FrameTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    Journal().clear();
    Runtime().setImage(&image.header);
    Runtime().initializeImage();
  }
  TestImage image;
};

TEST_F(FrameTest, FreeIgnoresNullAndLiterals) {
  Free(nullptr);
  Free(const_cast<char*>(kConstantBlock));
  Free(const_cast<char*>(kConstantBlock + 5));
  EXPECT_STREQ(kConstantBlock, "literal text");  // still readable, never freed
  void* heap = Allocate(16);
  EXPECT_FALSE(Runtime().heap().isConstant(heap));
  Free(heap);
}

TEST_F(FrameTest, ReallocateOfLiteralCopiesAtMostToTheBlockEnd) {
  const char* second = kConstantBlock + 13;  // "second" plus the final zero
  auto* copy = static_cast<char*>(Reallocate(const_cast<char*>(second), 64));
  ASSERT_NE(copy, second);
  EXPECT_STREQ(copy, "second");
  EXPECT_FALSE(Runtime().heap().isConstant(copy));
  Free(copy);
  auto* fresh = static_cast<char*>(Reallocate(nullptr, 4));
  ASSERT_NE(fresh, nullptr);
  Free(fresh);
}

TEST_F(FrameTest, StartUpNotifiesEveryLibraryWithTheServiceRoutine) {
  EXPECT_EQ(Journal(), (std::vector<std::string>{"lib1:1+service", "lib2:1+service"}));
}

TEST_F(FrameTest, NormalExitRunsCleanupOnceThenNotifiesShutdown) {
  Runtime().registerCleanup(&RecordingCleanup);
  Journal().clear();
  EXPECT_EQ(ExitCodeOf([] { Entries().exitProgram(7); }), 7);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"cleanup", "lib1:6", "lib2:6"}));
  // A second exit request runs nothing again.
  Journal().clear();
  EXPECT_EQ(ExitCodeOf([] { Entries().exitProgram(0); }), 0);
  EXPECT_TRUE(Journal().empty());
}

TEST_F(FrameTest, FatalErrorShowsTheBoxAndSkipsCleanup) {
  Runtime().registerCleanup(&RecordingCleanup);
  Journal().clear();
  EXPECT_EQ(ExitCodeOf([] { FatalError(platform::Utf8ToCp936("出事了"), 4); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].caption, "错误");
  EXPECT_EQ(dialogs[0].text, "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：出事了\r\n");
  EXPECT_EQ(dialogs[0].style, platform::kDialogIconError);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"lib1:6", "lib2:6"}));
  EXPECT_GT(Runtime().eventsBlocked(), 0);
}

TEST_F(FrameTest, FatalErrorWithoutCodeOrMessageOmitsTheirLines) {
  EXPECT_EQ(ExitCodeOf([] { FatalError({}, 0); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].text, "运行时出错!\r\n\r\n");
}

TEST_F(FrameTest, RuntimeErrorCodesCarryTheirTexts) {
  EXPECT_EQ(ExitCodeOf([] { Entries().reportRuntimeError(6); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].text, "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n");
}

int HandledErrors = 0;
int AcceptingHandler(int, const char*) { return ++HandledErrors; }

TEST_F(FrameTest, AnInstalledErrorHandlerReplacesTheBox) {
  Runtime().setErrorHandler(&AcceptingHandler);
  EXPECT_EQ(ExitCodeOf([] { FatalError("x", 1); }), -1);
  EXPECT_EQ(HandledErrors, 1);
  EXPECT_TRUE(dialogs.empty());
}

TEST_F(FrameTest, LoadingTheStartWindowWithoutWindowsIsFatal) {
  EXPECT_EQ(ExitCodeOf([] { Entries().loadStartWindow(0x52010001); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_NE(dialogs[0].text.find("载入启动窗口失败"), std::string::npos);
}

TEST_F(FrameTest, MessageLoopReturnsAtOnceWithoutWindows) {
  Entries().runMessageLoop();
  EXPECT_TRUE(Runtime().messageLoopRunning());
}

TEST_F(FrameTest, CommandCallsStartFromAZeroedResult) {
  auto command = [](ArgRecord* result, std::int32_t count, ArgRecord* args) {
    EXPECT_EQ(result->low | result->high | result->tag, 0u);
    result->low = static_cast<std::uint32_t>(count * 100 + args[1].asInt32());
  };
  ArgRecord args[2] = {ArgRecord::Int(1), ArgRecord::Int(42)};
  EXPECT_EQ(Entries().callCoreCommand(command, 2, args).low, 242u);
  EXPECT_EQ(Entries().callLibraryCommand(nullptr, 0, nullptr).low, 0u);
}

TEST_F(FrameTest, ServiceAllocationAndUnitKinds) {
  void* p = reinterpret_cast<void*>(RuntimeApp::Service(kServiceAllocate, 10, 0));
  ASSERT_NE(p, nullptr);
  RuntimeApp::Service(kServiceFree, reinterpret_cast<std::intptr_t>(p), 0);
  // No library of this image has types: every kind query answers 0.
  EXPECT_EQ(RuntimeApp::Service(kServiceUnitKind, 0x00010003, 0), 0);
  EXPECT_EQ(RuntimeApp::Service(kServiceRunMode, 0, 0), 3);
}

// The real library table: type lookup by tag and the kinds of unit types.
class LibraryTableTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    header.libraryCount = kLibraryCount;
    header.libraries = RuntimeLibraries();
    Runtime().setImage(&header);
    Runtime().initializeImage();
  }
  ImageHeader header;
};

TEST_F(LibraryTableTest, TypeLookupChecksLibraryAndTypeBounds) {
  const DataTypeInfo* window = Runtime().typeRecord(0x00010001);
  ASSERT_NE(window, nullptr);
  EXPECT_STREQ(window->englishName, "window");
  EXPECT_EQ(window->stateFlags, 0x800000D0u);
  ASSERT_NE(Runtime().typeRecord(0x00020008), nullptr);
  EXPECT_STREQ(Runtime().typeRecord(0x00020008)->englishName, "CartoonBox");
  EXPECT_STREQ(Runtime().typeRecord(0x00010033)->englishName, nullptr);  // slot 51: empty record
  EXPECT_EQ(Runtime().typeRecord(0x00010034), nullptr);  // past the 51 core types
  EXPECT_EQ(Runtime().typeRecord(0x00010000), nullptr);  // type number 0
  EXPECT_EQ(Runtime().typeRecord(0x00000001), nullptr);  // library number 0
  EXPECT_EQ(Runtime().typeRecord(0x00060001), nullptr);  // beyond the five libraries
  EXPECT_EQ(Runtime().typeRecord(0x00030001), nullptr);  // a library without types
  EXPECT_EQ(Runtime().typeRecord(kTagInt), nullptr);     // not a library type
}

TEST_F(LibraryTableTest, UnitKindsFollowTheStateFlags) {
  EXPECT_EQ(RuntimeApp::Service(kServiceUnitKind, 0x00010003, 0), 2);  // menu item: bit 2
  EXPECT_EQ(RuntimeApp::Service(kServiceUnitKind, 0x0001000C, 0), 1);  // CheckBox: bit 6
  EXPECT_EQ(RuntimeApp::Service(kServiceUnitKind, 0x00020009, 0), 1);  // CartoonObject
  EXPECT_EQ(RuntimeApp::Service(kServiceUnitKind, 0x00010030, 0), 0);  // ComObject: neither
  EXPECT_EQ(RuntimeApp::Service(kServiceUnitKind, 0x00070001, 0), 0);  // unknown
}

TEST_F(LibraryTableTest, ShutdownAnswersOnlyInTheSpecialFunctionsLibrary) {
  const LibraryInfo* const* table = RuntimeLibraries();
  EXPECT_EQ(table[2]->notify(kNotifyShutdown, 0, 0), 0);
  EXPECT_EQ(table[0]->notify(kNotifyShutdown, 0, 0), -1);
  EXPECT_EQ(table[1]->notify(99, 0, 0), -1);
}

// Every slot of both type tables, so that a type moved to another slot (or
// given another's flags) fails here.
TEST_F(LibraryTableTest, EveryTypeSlotHoldsItsTypeAndTheOthersAreEmpty) {
  struct Expected {
    TypeTag tag;
    const char* english;
    std::uint32_t flags;
    std::int32_t properties;
  };
  const Expected kTypes[] = {
      {0x00010001, "window", 0x800000D0, 32},     {0x00010003, "menu", 0x80000004, 4},
      {0x00010005, "EditBox", 0x80000040, 29},    {0x00010006, "PicBox", 0x840100C0, 15},
      {0x00010008, "DrawPanel", 0x800200C0, 25},  {0x0001000A, "Label", 0x84012040, 29},
      {0x0001000B, "Button", 0x80000840, 14},     {0x0001000C, "CheckBox", 0x80001040, 21},
      {0x0001000E, "ComboBox", 0x80000240, 25},   {0x0001000F, "ListBox", 0x80000040, 22},
      {0x00010014, "SliderBar", 0x80000040, 20},  {0x00010030, "ComObject", 0x80000000, 0},
      {0x00020008, "CartoonBox", 0x04000040, 21}, {0x00020009, "CartoonObject", 0x00008040, 32},
  };
  const LibraryInfo* const* table = RuntimeLibraries();
  for (int library : {kCoreLibrary, kExtendedInterfaceLibrary}) {
    ASSERT_EQ(table[library - 1]->dataTypeCount, library == kCoreLibrary ? 51 : 9);
    for (std::int32_t slot = 1; slot <= table[library - 1]->dataTypeCount; ++slot) {
      TypeTag tag = LibraryTypeTag(static_cast<std::uint32_t>(library), static_cast<std::uint32_t>(slot));
      const DataTypeInfo* type = Runtime().typeRecord(tag);
      ASSERT_NE(type, nullptr) << std::hex << tag;
      const Expected* expected = nullptr;
      for (const Expected& e : kTypes)
        if (e.tag == tag) expected = &e;
      if (expected == nullptr) {
        EXPECT_EQ(type->englishName, nullptr) << std::hex << tag;
        EXPECT_EQ(type->stateFlags, 0u) << std::hex << tag;
        continue;
      }
      EXPECT_STREQ(type->englishName, expected->english);
      EXPECT_EQ(type->stateFlags, expected->flags) << expected->english;
      EXPECT_EQ(type->propertyCount, expected->properties) << expected->english;
    }
  }
  EXPECT_EQ(table[2]->dataTypeCount, 0);
  EXPECT_EQ(table[3]->dataTypeCount, 0);
  EXPECT_EQ(table[4]->dataTypeCount, 0);
}

// Every slot of the five command tables holds the command of its number;
// the animation box's slots (installed by its layer) and the unused ones
// start empty.
TEST_F(LibraryTableTest, EveryCommandSlotHoldsItsCommand) {
  namespace c = commands;
  const std::vector<CommandFunction> kCore = {
      c::LoadWindow,     c::CurrentTime,    c::HourOf,          c::MinuteOf,           c::SecondOf,
      c::FileExists,     c::ToText,         c::WriteIniValue,   c::GetProgramDirectory, c::RightText,
      c::SetLibraryDirectory, c::WriteFileBytes, c::ShowMessageBox, c::ReadIniValue,  c::ToInteger,
      c::CharFromCode,   c::ToByteSet,      c::ToUpperCase,     nullptr,               nullptr,
      nullptr,           c::Spaces,         c::SplitText,       c::CompareText,        c::MoveUnit,
      c::SetWindowShape, c::ToFloat64,      c::ReadFileBytes,   c::GetProgramFileName, c::WriteRegistryValue,
      c::GetListItemText, c::RandomInteger, c::SetClipboardText, c::IsLoaded,          c::ZeroByteSet,
      c::ProcessEvents,  c::LeftBytes,      c::ReadRegistryText, c::AddListItem,       c::GetListItemCount,
      c::AddComboItem,   c::TextAtAddress,  c::SoundBeep,       c::DestroyWindowOrUnit, c::PopupMenu,
      c::ByteSetLength,  c::FloorToInteger, c::CopyUnit,        c::ClearDrawPanel,     c::FillGradientRect,
      c::CopyDrawPanelArea,
  };
  const std::vector<std::vector<CommandFunction>> kTables = {
      kCore,
      std::vector<CommandFunction>(8, nullptr),
      {c::Delay},
      {c::ShellOpen, c::GetSpecialFolder},
      {nullptr, nullptr},
  };
  const LibraryInfo* const* table = RuntimeLibraries();
  for (int library = 1; library <= kLibraryCount; ++library) {
    const std::vector<CommandFunction>& expected = kTables[static_cast<std::size_t>(library - 1)];
    ASSERT_EQ(table[library - 1]->commandCount, static_cast<std::int32_t>(expected.size())) << library;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(table[library - 1]->commands[i], expected[i]) << "library " << library << " command " << i;
    }
  }
}

TEST_F(LibraryTableTest, CommandsInstalledFromAboveLandInTheirSlotOnly) {
  InstallCommand(kExtendedInterfaceLibrary, 3, commands::SoundBeep);
  InstallCommand(kExtendedInterfaceLibrary, 7, commands::SoundBeep);  // past the table: ignored
  InstallCommand(9, 0, commands::SoundBeep);                          // no such library
  const LibraryInfo* ext = RuntimeLibraries()[1];
  EXPECT_EQ(ext->commands[3], commands::SoundBeep);
  EXPECT_EQ(ext->commands[2], nullptr);
  InstallCommand(kExtendedInterfaceLibrary, 3, nullptr);
  EXPECT_EQ(ext->commands[3], nullptr);
}

}  // namespace
}  // namespace horavia::runtime
