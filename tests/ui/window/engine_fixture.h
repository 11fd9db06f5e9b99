// A window engine over forms built in the test, installed in the runtime as
// the program installs it: the exit seam throws instead of ending the
// process, dialogs are recorded, handlers record their calls.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "runtime/runtime_app.h"
#include "tests/support/process_exit.h"
#include "tests/support/qt_application.h"
#include "ui/forms/form_table.h"
#include "ui/forms/window_data.h"
#include "ui/units/subroutines.h"
#include "ui/units/unit_interface.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"

namespace horavia::ui::testing {

using horavia::testing::ProcessExited;

// One call of a test handler: which one, its arguments and the current event
// source while it ran.
struct HandlerCall {
  int handler;
  std::vector<std::uint32_t> args;
  EventSource source;
};

inline constexpr std::uintptr_t kTestCodeBase = 0x1000;
inline constexpr int kTestHandlerCount = 8;

std::vector<HandlerCall>& Calls();
// What handler n returns (nothing when absent).
std::map<int, SubroutineResult>& Results();
// Run by handler n after it has recorded its call.
std::map<int, std::function<void()>>& Actions();
std::vector<int> CalledHandlers();

// A unit type of the tests, defined in a core type slot the program leaves
// empty while a test runs (flags of an ordinary event-raising unit): it logs its creations and keeps what its type-specific properties
// (8: integer, 9: text, 10: font) were set to. Setting property 9 to
// "recreate" asks for a new window.
class TestUnit : public QWidget {
 public:
  TestUnit(QWidget* parent, std::uint32_t formId, std::uint32_t unitId)
      : QWidget(parent), formId_(formId), unitId_(unitId) {}
  // Like every unit, it tells the runtime when it goes.
  ~TestUnit() override;
  std::int64_t number = 0;
  std::string text;
  UnitFont font;
  int presses = 0;
  int keys = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++presses; }
  void keyPressEvent(QKeyEvent*) override { ++keys; }

 private:
  std::uint32_t formId_;
  std::uint32_t unitId_;
};

struct Creation {
  std::uint32_t unitId;
  std::int32_t controlId;
  std::uint32_t style;
};
std::vector<Creation>& Creations();

inline constexpr std::uint32_t kTestUnitType = runtime::LibraryTypeTag(1, 51);

// Builders of stored forms.
Unit WindowUnit(std::uint32_t id, const WindowData& data, std::uint32_t flags = unit_flags::kVisible);
Unit ChildUnit(std::uint32_t id, std::uint32_t type, int left, int top, int width, int height,
               std::uint32_t flags = unit_flags::kVisible);
Unit MenuEntry(std::uint32_t id, std::uint32_t level, const std::string& caption, std::int32_t handler,
               std::uint32_t flags = 0, std::uint32_t shortcut = 0);
void Bind(Unit& unit, std::int32_t event, std::int32_t handler);
Form MakeForm(std::uint32_t id, std::vector<Unit> units);
// A plain visible window with the data's defaults and no frame.
WindowData PlainWindowData();

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installs a fresh engine with these forms, as image start-up does.
  WindowEngine& Start(std::vector<Form> forms);
  WindowEngine& StartWithBlock(std::span<const std::uint8_t> block);
  WindowEngine& engine() { return *engine_; }
  CWinFormUnit* Window(std::uint32_t formId) { return engine_->liveWindow(formId); }
  Unit& LiveUnit(std::uint32_t formId, std::uint32_t unitId);
  QWidget* Widget(std::uint32_t formId, std::uint32_t unitId);
  // Runs the deletions that closing windows left queued.
  static void FinishDeletes();

  template <class F>
  int ExitCodeOf(F&& f) {
    return horavia::testing::ExitCodeOf(std::forward<F>(f));
  }
  std::string LastDialogText() const { return dialogs_.empty() ? std::string() : dialogs_.back().text; }

  std::vector<platform::DialogRequest> dialogs_;

 private:
  WindowEngine* engine_ = nullptr;
  Bytes block_;
  runtime::ImageHeader header_;
};

}  // namespace horavia::ui::testing
