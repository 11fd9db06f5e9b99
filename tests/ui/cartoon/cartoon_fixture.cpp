#include "tests/ui/cartoon/cartoon_fixture.h"

#include "platform/sound.h"
#include "tests/anim/support/encoders.h"

namespace horavia::ui::testing {

std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint32_t rgb) {
  return anim::testing::EncodeBmpTrueColour(
      width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, rgb), 24);
}

void CartoonTest::SetUp() {
  EngineTest::SetUp();
  InstallCartoonUnits();
  hand.picture = SolidBmp(20, 10, 0xFF0000);
  hand.rotateFollow = 1;
  text.text = "\xca\xb1\xd6\xd3";  // "时钟" in code page 936
  text.textColor = 0x0000FF;
}

void CartoonTest::TearDown() {
  EngineTest::TearDown();
  platform::ShutdownSound();
}

void CartoonTest::Load() {
  Unit boxUnit = ChildUnit(kBoxId, unit_type::kCartoonBox, 0, 0, 120, 100);
  boxUnit.typeData = anim::writeCartoonBoxData(box);
  for (const auto& [event, handler] : bindings) Bind(boxUnit, event, handler);
  Unit handUnit = ChildUnit(kHandId, unit_type::kCartoonObject, 0, 0, 20, 10);
  handUnit.typeData = anim::writeCartoonObjectData(hand);
  Unit textUnit = ChildUnit(kTextId, unit_type::kCartoonObject, 0, 0, 20, 10);
  textUnit.typeData = anim::writeCartoonObjectData(text);
  WindowData window = PlainWindowData();
  std::vector<Unit> units = {WindowUnit(kWindowId, window), boxUnit, handUnit, textUnit};
  units.insert(units.end(), extraUnits.begin(), extraUnits.end());
  Start({MakeForm(kForm, units)});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
}

runtime::ArgRecord CartoonTest::Call(int index, std::vector<runtime::ArgRecord> args) {
  const runtime::LibraryInfo& library = *runtime::RuntimeLibraries()[runtime::kExtendedInterfaceLibrary - 1];
  return runtime::Entries().callLibraryCommand(library.commands[index], static_cast<std::int32_t>(args.size()),
                                               args.data());
}

}  // namespace horavia::ui::testing
