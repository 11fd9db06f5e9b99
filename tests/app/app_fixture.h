// The real program in the test process: its image, handlers, forms and units
// over a program folder of the test's own (with the built skins and sounds),
// the clock, the calendar and the spin's seed set by hand, dialogs and the
// exit recorded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <ctime>
#include <string>
#include <vector>

#include "anim/cartoonbox/cartoon_box.h"
#include "app/app_observer.h"
#include "app/app_state.h"
#include "platform/dialogs.h"
#include "platform/ticks.h"
#include "runtime/values.h"

namespace horavia::app::testing {

// What the application told its observers, one line each, and when the
// last spin came to rest.
class RecordingObserver : public AppObserver {
 public:
  void spinStarted(int spin, std::string_view source) override;
  void spinEnded(const SpinResult& result) override;
  void modeChanged(DisplayMode mode) override;
  void skinChanged(std::string_view skin) override;
  void chimed(int hour) override;
  void settingsChanged(Setting setting) override;
  void windowRepainted(WindowChange change) override { repaints.push_back(change); }
  bool followsRepaints() const override { return followRepaints; }

  std::vector<std::string> events;
  std::vector<WindowChange> repaints;  // kept apart: the box repaints all the time
  bool followRepaints = true;
  std::uint32_t restTick = 0;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The program folder ("…/program", the same for the whole test process, so
  // the audio library written there is loaded once).
  static std::string Folder();
  static std::string FolderFile(const std::string& utf8Name) { return Folder() + "/" + utf8Name; }
  // A skin folder of the test's own (UTF-8 name), empty.
  std::string MakeSkin(const std::string& name);
  // A copy of a shipped skin under another name.
  std::string CopySkin(const std::string& shipped, const std::string& name);

  // The settings file's value (UTF-8 key) as UTF-8, or empty.
  std::string Setting(const std::string& key);
  void WriteSetting(const std::string& key, const std::string& value);

  // The local time the program reads (the tests run with TZ=UTC).
  void SetTime(int hour, int minute, int second);

  // Start-up up to the message loop: the main window loads and its
  // initialisation runs; observer_ listens from the start.
  void Start();
  // The main window's box paints a frame, and the event loop runs what
  // waited for it.
  void PaintFrame();
  // Runs the clock until the turning spin has come to rest (at most two
  // minutes); returns the tick it came to rest at.
  std::uint32_t RunSpin();

  anim::CartoonBox& Box();
  const anim::BoxObject* Object(std::int32_t id) { return Box().find(id); }
  std::int32_t ReadProperty(const runtime::UnitRef& unit, std::int32_t property);

  std::vector<platform::DialogRequest> dialogs_;
  RecordingObserver observer_;
  platform::ManualTicks ticks_{100000};
  std::time_t now_ = 0;
};

}  // namespace horavia::app::testing
