// A loaded window holding an animation box and two object templates, built
// through the units' own interface functions from stored data, in the
// window engine the program uses. Time is a ManualTicks clock.
#pragma once

#include "anim/cartoonbox/stored_data.h"
#include "platform/ticks.h"
#include "runtime/entry.h"
#include "runtime/libraries/library_records.h"
#include "tests/ui/window/engine_fixture.h"
#include "ui/cartoon/box_commands.h"
#include "ui/cartoon/cartoon_box_unit.h"
#include "ui/cartoon/cartoon_object_unit.h"
#include "ui/cartoon/cartoon_units.h"

namespace horavia::ui::testing {

inline constexpr std::uint32_t kForm = 0x52010001;
inline constexpr std::uint32_t kWindowId = 0x06010000;
inline constexpr std::uint32_t kBoxId = 0x16010001;
inline constexpr std::uint32_t kHandId = 0x16010002;   // template: a 20 × 10 red bar
inline constexpr std::uint32_t kTextId = 0x16010003;   // template: a text

// A 24-bit BMP of width × height in one colour 0xRRGGBB.
std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint32_t rgb);

class CartoonTest : public EngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Loads the window; `box`, `hand` and `text` may be changed first.
  void Load();

  CartoonBoxUnit& BoxUnit() { return *dynamic_cast<CartoonBoxUnit*>(Widget(kForm, kBoxId)); }
  CartoonObjectUnit& Template(std::uint32_t id) { return *dynamic_cast<CartoonObjectUnit*>(Widget(kForm, id)); }
  std::uint32_t Read(std::uint32_t unit, std::int32_t property, std::int32_t sub = -1) {
    return static_cast<std::uint32_t>(engine().readProperty(kForm, unit, property, sub));
  }
  void Write(std::uint32_t unit, std::int32_t property, std::int32_t value) {
    engine().writeProperty(kForm, unit, property, -1, static_cast<std::uint32_t>(value), 0);
  }
  // Calls command `index` of the extended library through the runtime's
  // command entry, the box reference first.
  runtime::ArgRecord Call(int index, std::vector<runtime::ArgRecord> args);
  static runtime::ArgRecord Ref(std::uint32_t unit, runtime::TypeTag tag) { return {kForm, unit, tag}; }
  static runtime::ArgRecord BoxRef() { return Ref(kBoxId, runtime::unit_type::kCartoonBox); }
  static runtime::ArgRecord Int(std::int32_t v) { return runtime::ArgRecord::Int(v); }
  static runtime::ArgRecord Omitted() { return {}; }

  platform::ManualTicks ticks{5000};
  anim::CartoonBoxData box;
  anim::CartoonObjectData hand;
  anim::CartoonObjectData text;
  std::vector<Unit> extraUnits;
  // Box event -> test handler (engine_fixture's recorders 0-7).
  std::vector<std::pair<int, int>> bindings = {{0, 0}, {2, 1}, {4, 2}, {5, 3}, {6, 4}, {8, 5}, {10, 6}, {15, 7}};
};

}  // namespace horavia::ui::testing
