// A window engine with the real simple units installed, and one-unit forms
// to try them in. Handler 0 is bound to the unit's event 0 and handler 1 to
// its common event -3 (double click); the engine fixture records the calls.
#pragma once

#include <QApplication>
#include <QWidget>

#include "tests/ui/window/engine_fixture.h"
#include "ui/controls/controls.h"

namespace horavia::ui::testing {

inline constexpr std::uint32_t kControlsForm = 0x52010001;
inline constexpr std::uint32_t kControlsWindow = 0x06010000;
inline constexpr std::uint32_t kUnitId = 0x16010005;

class ControlsTest : public EngineTest {
 protected:
  void SetUp() override;

  // Loads a visible window holding one unit of `type` with this stored data
  // and returns its live widget.
  template <class W>
  W* LoadOne(std::uint32_t type, const Bytes& typeData, std::uint32_t flags = unit_flags::kVisible) {
    return dynamic_cast<W*>(LoadUnit(type, typeData, flags));
  }
  QWidget* LoadUnit(std::uint32_t type, const Bytes& typeData, std::uint32_t flags);

  // Properties by number, as the runtime's entries reach them.
  std::int64_t ReadNumber(std::int32_t property);
  std::string ReadText(std::int32_t property);
  std::string ReadBytes(std::int32_t property);
  void WriteNumber(std::int32_t property, std::int64_t value);
  void WriteText(std::int32_t property, const std::string& text);
  void WriteBytes(std::int32_t property, const std::string& bytes);

  // How many times event 0 reached its handler.
  int EventZeroCount() const;
};

}  // namespace horavia::ui::testing
