// The command tables record what each command hands back. Every command is
// called here, slot by slot, on a live window engine, and its result is read
// and freed the way the table says: a type recorded wrongly reads wrongly
// (and, under the address sanitizer, a block recorded as a value leaks and a
// value recorded as a block is a bad free).
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "anim/cartoonbox/stored_data.h"
#include "platform/calendar.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "runtime/libraries/command_numbers.h"
#include "runtime/libraries/library_records.h"
#include "tests/anim/support/encoders.h"
#include "tests/platform/temp_folder.h"
#include "tests/runtime/commands/command_fixture.h"
#include "tests/ui/window/engine_fixture.h"
#include "ui/controls/stored_data.h"

namespace horavia::ui::testing {
namespace {

using runtime::ArgRecord;
using runtime::BoxCommand;
using runtime::CoreCommand;
using runtime::TypeTag;
using runtime::testing::ByteSetArg;
using runtime::testing::TextArg;

constexpr std::uint32_t kForm = 0x52010001, kWindowId = 0x06010000;
constexpr std::uint32_t kOther = 0x52010002, kOtherWindow = 0x06010002;
constexpr std::uint32_t kList = 0x16010001, kCombo = 0x16010002, kPanel = 0x16010003, kLabel = 0x16010004,
                        kBox = 0x16010005, kHand = 0x16010006, kMenuTitle = 0x26010001;

ArgRecord Ref(std::uint32_t formId, std::uint32_t unitId, TypeTag tag) { return {formId, unitId, tag}; }
ArgRecord Int(std::int32_t v) { return ArgRecord::Int(v); }

// The result read as `type` says, then freed as it says.
std::string ReadAs(const ArgRecord& result, TypeTag type) {
  std::string read;
  switch (type) {
    case runtime::kTagNone: read = result.low == 0 && result.high == 0 ? "none" : "a value"; break;
    case runtime::kTagBool: read = "bool:" + std::to_string(result.low); break;
    case runtime::kTagInt: read = "int:" + std::to_string(result.asInt32()); break;
    case runtime::kTagDouble:
    case runtime::kTagDateTime: {
      char number[32];
      std::snprintf(number, sizeof number, "%g", result.asDouble());
      read = std::string("real:") + number;
      break;
    }
    case runtime::kTagText: read = "text:" + std::string(result.asText() != nullptr ? result.asText() : ""); break;
    case runtime::kTagByteSet: {
      const runtime::ByteSetView bytes = runtime::ByteSetBytes(result.asPointer());
      read = "bytes:" + std::string(reinterpret_cast<const char*>(bytes.data), bytes.size);
      break;
    }
    case runtime::kTagText | runtime::kArrayFlag: {
      read = "texts:";
      const runtime::ArrayView texts = runtime::ArrayElements(result.asPointer());
      for (std::size_t i = 0; i < texts.count; ++i) read += std::string(static_cast<char**>(texts.first)[i]) + ";";
      break;
    }
    default: read = "an unknown type"; break;
  }
  runtime::FreeCommandResult(result, type);
  return read;
}

class CommandTable : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
    setenv("TMPDIR", folder.path().c_str(), 1);
    horavia::testing::WriteBytes(ini, "[s]\r\nk=v\r\n");
    platform::SetCalendarSource([] { return std::time_t{0}; });
    platform::SetShellLauncher([](const platform::ShellAction&) { return true; });

    Unit window = WindowUnit(kWindowId, PlainWindowData());
    window.width = 300;
    window.height = 200;
    ListBoxData list;
    list.items = "a\r\nb";
    Unit listUnit = ChildUnit(kList, unit_type::kListBox, 0, 100, 100, 80);
    listUnit.typeData = writeListBoxData(list);
    Unit combo = ChildUnit(kCombo, unit_type::kComboBox, 0, 0, 100, 20);
    combo.typeData = writeComboBoxData({});
    Unit panel = ChildUnit(kPanel, unit_type::kDrawPanel, 120, 0, 50, 50);
    Unit label = ChildUnit(kLabel, unit_type::kLabel, 200, 0, 50, 20);
    label.typeData = writeLabelData({});
    Unit box = ChildUnit(kBox, unit_type::kCartoonBox, 120, 60, 100, 100);
    Unit hand = ChildUnit(kHand, unit_type::kCartoonObject, 0, 0, 10, 10);
    anim::CartoonObjectData handData;
    handData.text = "x";
    hand.typeData = anim::writeCartoonObjectData(handData);
    Start({MakeForm(kForm, {window, MenuEntry(kMenuTitle, 0, "menu", -1, menu_flags::kHidden),
                            MenuEntry(0x26010002, 1, "item", 1), listUnit, combo, panel, label, box, hand}),
           MakeForm(kOther, {WindowUnit(kOtherWindow, PlainWindowData())})});
    ASSERT_TRUE(engine().loadStartWindow(kForm));
    engine().setMenuPresenter([](QMenu&, QPoint) { return nullptr; });
    runtime::Runtime().setProgramPath("/opt/clock/horavia");
    Call(runtime::kCoreLibrary, CoreCommand::SetLibraryDirectory, {TextArg("C:\\x")});
  }
  void TearDown() override {
    platform::SetCalendarSource({});
    platform::SetShellLauncher({});
    EngineTest::TearDown();
  }

  template <class Command>
  static ArgRecord Call(int library, Command command, std::vector<ArgRecord> args) {
    const runtime::LibraryInfo& info = *runtime::RuntimeLibraries()[library - 1];
    return runtime::testing::Call(info.commands[static_cast<std::int32_t>(command)], std::move(args));
  }
  // Calls the command and reads its result by the type its table records.
  template <class Command>
  static std::string Run(int library, Command command, std::vector<ArgRecord> args = {}) {
    const ArgRecord result = Call(library, command, std::move(args));
    const std::optional<runtime::CommandResult> recorded =
        runtime::ResultOfCommand(library, static_cast<std::int32_t>(command));
    return recorded ? ReadAs(result, recorded->type) : "no row";
  }

  horavia::testing::TempFolder folder;
  std::string ini = folder.file("a.ini");
};

ArgRecord ListRef() { return Ref(kForm, kList, unit_type::kListBox); }
ArgRecord PanelRef() { return Ref(kForm, kPanel, unit_type::kDrawPanel); }
ArgRecord WindowRef() { return Ref(kForm, kWindowId, unit_type::kWindow); }
ArgRecord BoxRef() { return Ref(kForm, kBox, unit_type::kCartoonBox); }

TEST_F(CommandTable, EverySlotWithACommandHasARowAndNoOtherDoes) {
  for (int library = 1; library <= runtime::kLibraryCount; ++library) {
    const runtime::LibraryInfo& info = *runtime::RuntimeLibraries()[library - 1];
    for (std::int32_t index = 0; index < info.commandCount; ++index) {
      EXPECT_EQ(info.commands[index] != nullptr, runtime::ResultOfCommand(library, index).has_value())
          << "library " << library << " command " << index;
    }
    EXPECT_FALSE(runtime::ResultOfCommand(library, info.commandCount).has_value());
  }
}

TEST_F(CommandTable, TheCoreCommandsReturnWhatTheTableSays) {
  using enum CoreCommand;
  const int core = runtime::kCoreLibrary;
  const std::string hostIni = ini;
  const std::string shape = [] {
    const Bytes bmp = anim::testing::EncodeBmpTrueColour(4, 4, std::vector<std::uint32_t>(16, 0x000000), 24);
    return std::string(bmp.begin(), bmp.end());
  }();
  const ByteSetArg shapeBytes(shape), abc("abc");
  const std::string external = "hi";
  std::uint32_t copy[2] = {};

  EXPECT_EQ(Run(core, LoadWindow, {Ref(kOther, kOtherWindow, unit_type::kWindow)}), "bool:1");
  EXPECT_EQ(Run(core, CurrentTime), "real:25569");  // the calendar's 1970-01-01 00:00 (TZ=UTC)
  const ArgRecord date = ArgRecord::Double(43060.0 + (12 * 3600 + 34 * 60 + 56) / 86400.0, runtime::kTagDateTime);
  EXPECT_EQ(Run(core, HourOf, {date}), "int:12");
  EXPECT_EQ(Run(core, MinuteOf, {date}), "int:34");
  EXPECT_EQ(Run(core, SecondOf, {date}), "int:56");
  EXPECT_EQ(Run(core, FileExists, {TextArg(hostIni)}), "bool:1");
  EXPECT_EQ(Run(core, ToText, {Int(5)}), "text:5");
  EXPECT_EQ(Run(core, WriteIniValue, {TextArg(hostIni), TextArg("s"), TextArg("k2"), TextArg("w")}), "bool:1");
  EXPECT_EQ(Run(core, GetProgramDirectory), "text:\\opt\\clock");
  EXPECT_EQ(Run(core, RightText, {TextArg("abc"), Int(2)}), "text:bc");
  EXPECT_EQ(Run(core, SetLibraryDirectory), "text:C:\\x\\");
  EXPECT_EQ(Run(core, WriteFileBytes, {TextArg(folder.file("out.bin")), abc.record()}), "bool:1");
  EXPECT_EQ(Run(core, ShowMessageBox, {TextArg("q")}), "int:0");
  EXPECT_EQ(Run(core, ReadIniValue, {TextArg(hostIni), TextArg("s"), TextArg("k2")}), "text:w");
  EXPECT_EQ(Run(core, ToInteger, {TextArg("12")}), "int:12");
  EXPECT_EQ(Run(core, CharFromCode, {ArgRecord::Int(65, runtime::kTagByte)}), "text:A");
  EXPECT_EQ(Run(core, ToByteSet, {TextArg("ab")}), "bytes:ab");
  EXPECT_EQ(Run(core, ToUpperCase, {TextArg("ab")}), "text:AB");
  EXPECT_EQ(Run(core, Spaces, {Int(2)}), "text:  ");
  EXPECT_EQ(Run(core, SplitText, {TextArg("a,b")}), "texts:a;b;");
  EXPECT_EQ(Run(core, CompareText, {TextArg("a"), TextArg("a")}), "int:0");
  EXPECT_EQ(Run(core, MoveUnit, {ListRef(), Int(5)}), "none");
  EXPECT_EQ(Run(core, SetWindowShape, {WindowRef(), shapeBytes.record()}), "bool:1");
  EXPECT_EQ(Run(core, ToFloat64, {TextArg("1.5")}), "real:1.5");
  EXPECT_EQ(Run(core, ReadFileBytes, {TextArg(folder.file("out.bin"))}), "bytes:abc");
  EXPECT_EQ(Run(core, GetProgramFileName), "text:horavia");
  EXPECT_EQ(Run(core, WriteRegistryValue, {Int(4), TextArg("SOFTWARE\\Horavia\\v"), TextArg("x")}), "bool:1");
  EXPECT_EQ(Run(core, GetListItemText, {ListRef(), Int(1)}), "text:b");
  EXPECT_EQ(Run(core, RandomInteger, {Int(7), Int(7)}), "int:7");
  EXPECT_EQ(Run(core, SetClipboardText, {TextArg("x")}), "bool:1");
  EXPECT_EQ(Run(core, IsLoaded, {WindowRef()}), "bool:1");
  EXPECT_EQ(Run(core, ZeroByteSet, {Int(2)}), std::string("bytes:\0\0", 8));
  EXPECT_EQ(Run(core, ProcessEvents), "none");
  EXPECT_EQ(Run(core, LeftBytes, {abc.record(), Int(2)}), "bytes:ab");
  EXPECT_EQ(Run(core, ReadRegistryText, {Int(4), TextArg("SOFTWARE\\Horavia\\v")}), "text:x");
  EXPECT_EQ(Run(core, AddListItem, {ListRef(), TextArg("c")}), "int:2");
  EXPECT_EQ(Run(core, GetListItemCount, {ListRef()}), "int:3");
  EXPECT_EQ(Run(core, AddComboItem, {Ref(kForm, kCombo, unit_type::kComboBox), TextArg("x")}), "int:0");
  EXPECT_EQ(Run(core, TextAtAddress, {ArgRecord::Pointer(external.c_str(), runtime::kTagInt)}), "text:hi");
  EXPECT_EQ(Run(core, SoundBeep), "none");
  EXPECT_EQ(Run(core, DestroyWindowOrUnit, {Ref(kOther, kOtherWindow, unit_type::kWindow), ArgRecord::Bool(true)}),
            "none");
  EXPECT_EQ(Run(core, PopupMenu, {WindowRef(), Ref(kForm, kMenuTitle, unit_type::kMenuItem)}), "none");
  EXPECT_EQ(Run(core, ByteSetLength, {abc.record()}), "int:3");
  EXPECT_EQ(Run(core, FloorToInteger, {ArgRecord::Double(2.7)}), "int:2");
  EXPECT_EQ(Run(core, CopyUnit, {Ref(kForm, kLabel, unit_type::kLabel), ArgRecord::Pointer(copy, unit_type::kLabel)}),
            "bool:1");
  EXPECT_EQ(Run(core, ClearDrawPanel, {PanelRef()}), "none");
  EXPECT_EQ(Run(core, FillGradientRect, {PanelRef(), Int(0), Int(0), Int(10), Int(10), Int(1), Int(0), Int(0xFF)}),
            "none");
  EXPECT_EQ(Run(core, CopyDrawPanelArea, {PanelRef()}), "none");
}

TEST_F(CommandTable, TheOtherLibrariesCommandsReturnWhatTheTableSays) {
  using enum BoxCommand;
  const int box = runtime::kExtendedInterfaceLibrary;
  EXPECT_EQ(Run(box, CreateObject, {BoxRef(), Ref(kForm, kHand, unit_type::kCartoonObject), Int(0), Int(0)}), "int:1");
  EXPECT_EQ(Run(box, SetObjectAngle, {BoxRef(), Int(1), Int(10)}), "none");
  EXPECT_EQ(Run(box, StartAutoRotate, {BoxRef(), Int(1), Int(6), Int(1000)}), "none");
  EXPECT_EQ(Run(box, SetObjectVisible, {BoxRef(), Int(1), ArgRecord::Bool(false)}), "none");
  EXPECT_EQ(Run(box, SetObjectPicture, {BoxRef(), Int(1)}), "none");
  EXPECT_EQ(Run(box, ObjectExists, {BoxRef(), Int(1)}), "bool:1");
  EXPECT_EQ(Run(box, DestroyObjects, {BoxRef(), Int(1)}), "none");

  EXPECT_EQ(Run(runtime::kSpecialFunctionsLibrary, runtime::SpecialCommand::Delay, {Int(0)}), "none");
  EXPECT_EQ(Run(runtime::kSystemInterfaceLibrary, runtime::SystemCommand::ShellOpen, {TextArg(""), TextArg(ini)}),
            "none");
  EXPECT_EQ(Run(runtime::kSystemInterfaceLibrary, runtime::SystemCommand::GetSpecialFolder,
                {Int(static_cast<int>(platform::FolderKind::Temporary))}),
            "text:" + platform::RuntimePath(folder.path()) + "\\");
}

}  // namespace
}  // namespace horavia::ui::testing
