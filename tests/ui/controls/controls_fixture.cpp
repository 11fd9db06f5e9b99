#include "tests/ui/controls/controls_fixture.h"

#include <cstring>

#include "runtime/memory.h"
#include "runtime/values.h"

namespace horavia::ui::testing {

void ControlsTest::SetUp() {
  EngineTest::SetUp();
  // Over the engine fixture's test unit: the real edit box among the rest.
  InstallControls();
}

QWidget* ControlsTest::LoadUnit(std::uint32_t type, const Bytes& typeData, std::uint32_t flags) {
  Unit unit = ChildUnit(kUnitId, type, 10, 10, 160, 100, flags);
  unit.typeData = typeData;
  Bind(unit, 0, 0);
  Bind(unit, -3, 1);
  Start({MakeForm(kControlsForm, {WindowUnit(kControlsWindow, PlainWindowData()), unit})});
  if (!engine().loadStartWindow(kControlsForm)) return nullptr;
  Calls().clear();
  return Widget(kControlsForm, kUnitId);
}

std::int64_t ControlsTest::ReadNumber(std::int32_t property) {
  return static_cast<std::int32_t>(engine().readProperty(kControlsForm, kUnitId, property, -1));
}

std::string ControlsTest::ReadText(std::int32_t property) {
  auto* text = reinterpret_cast<char*>(engine().readProperty(kControlsForm, kUnitId, property, -1));
  std::string out = text != nullptr ? text : "";
  runtime::Free(text);
  return out;
}

std::string ControlsTest::ReadBytes(std::int32_t property) {
  void* block = reinterpret_cast<void*>(engine().readProperty(kControlsForm, kUnitId, property, -1));
  runtime::ByteSetView view = runtime::ByteSetBytes(block);
  std::string out = view.data != nullptr ? std::string(reinterpret_cast<const char*>(view.data), view.size) : "";
  runtime::Free(block);
  return out;
}

void ControlsTest::WriteNumber(std::int32_t property, std::int64_t value) {
  auto u = static_cast<std::uint64_t>(value);
  engine().writeProperty(kControlsForm, kUnitId, property, -1, static_cast<std::uint32_t>(u),
                         static_cast<std::uint32_t>(u >> 32));
}

void ControlsTest::WriteText(std::int32_t property, const std::string& text) {
  auto p = reinterpret_cast<std::uintptr_t>(text.c_str());
  engine().writeProperty(kControlsForm, kUnitId, property, -1, static_cast<std::uint32_t>(p),
                         static_cast<std::uint32_t>(static_cast<std::uint64_t>(p) >> 32));
}

void ControlsTest::WriteBytes(std::int32_t property, const std::string& bytes) {
  std::vector<char> block(8 + bytes.size());
  const std::int32_t header[2] = {1, static_cast<std::int32_t>(bytes.size())};
  std::memcpy(block.data(), header, 8);
  std::memcpy(block.data() + 8, bytes.data(), bytes.size());
  auto p = reinterpret_cast<std::uintptr_t>(block.data());
  engine().writeProperty(kControlsForm, kUnitId, property, -1, static_cast<std::uint32_t>(p),
                         static_cast<std::uint32_t>(static_cast<std::uint64_t>(p) >> 32));
}

int ControlsTest::EventZeroCount() const {
  int n = 0;
  for (const HandlerCall& call : Calls()) n += call.handler == 0 ? 1 : 0;
  return n;
}

}  // namespace horavia::ui::testing
