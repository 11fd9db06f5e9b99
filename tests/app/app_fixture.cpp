#include "tests/app/app_fixture.h"

#include <QCoreApplication>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "app/call.h"
#include "app/handlers.h"
#include "app/image.h"
#include "app/operations.h"
#include "app/units.h"
#include "platform/calendar.h"
#include "platform/entropy.h"
#include "platform/ini.h"
#include "platform/text_codec.h"
#include "runtime/commands/commands.h"
#include "runtime/runtime_app.h"
#include "tests/support/process_exit.h"
#include "tests/support/qt_application.h"
#include "ui/cartoon/cartoon_box_unit.h"
#include "ui/install.h"
#include "ui/window/engine.h"

namespace horavia::app::testing {
namespace fs = std::filesystem;

namespace {

// Everything but the audio library: a fresh folder for each test.
void ClearFolder(const std::string& folder) {
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename() != "bass.dll") fs::remove_all(entry.path());
  }
}

}  // namespace

void RecordingObserver::spinStarted(int spin, std::string_view source) {
  events.push_back("spin started " + std::to_string(spin) + " " + std::string(source));
}
void RecordingObserver::spinEnded(const SpinResult& r) {
  restTick = platform::TickCount();
  events.push_back("spin ended " + std::to_string(r.spin) + " segment " + std::to_string(r.segment) + " at " +
                   std::to_string(r.angle));
}
void RecordingObserver::modeChanged(DisplayMode mode) {
  events.push_back(mode == DisplayMode::Wheel ? "mode wheel" : "mode clock");
}
void RecordingObserver::skinChanged(std::string_view skin) {
  events.push_back("skin " + platform::Cp936ToUtf8(skin));
}
void RecordingObserver::chimed(int hour) { events.push_back("chime " + std::to_string(hour)); }
void RecordingObserver::settingsChanged(Setting setting) {
  events.push_back("setting " + platform::Cp936ToUtf8(RowOf(setting).key));
}

std::string AppTest::Folder() {
  static const std::string folder = [] {
    std::string pattern = (fs::temp_directory_path() / "horavia-app-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    return std::string(made != nullptr ? made : "") + "/program";
  }();
  return folder;
}

void AppTest::SetUp() {
  horavia::testing::TestApplication();
  horavia::testing::ThrowOnExit();
  platform::SetDialogResponder([this](const platform::DialogRequest& r) {
    dialogs_.push_back(r);
    return platform::DefaultButton(r.style);
  });
  ClearFolder(Folder());
  fs::copy(fs::path(HORAVIA_PROGRAM_DIR) / "skins", fs::path(Folder()) / "skins", fs::copy_options::recursive);
  fs::copy_file(fs::path(HORAVIA_PROGRAM_DIR) / "整点报时.mp3", fs::path(Folder()) / "整点报时.mp3");
  fs::create_directories(Folder() + "/config");
  setenv("XDG_CONFIG_HOME", (Folder() + "/config").c_str(), 1);
  SetTime(10, 10, 30);
  platform::SetCalendarSource([this] { return now_; });
  runtime::commands::CoreRandomGenerator().reset();
  platform::SetEntropySource([] { return platform::EntropySeed{1, 2, 3, 4, 5, 6, 7, 8}; });
  ResetState();
}

void AppTest::TearDown() {
  AppState& state = State();
  if (state.player != nullptr && runtime::Runtime().imageInitialized()) state.player->Free();
  runtime::Runtime().resetForTests();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ResetState();
  platform::SetCalendarSource({});
  platform::SetEntropySource({});
  platform::SetExitHook({});
  platform::SetDialogResponder({});
}

std::string AppTest::MakeSkin(const std::string& name) {
  std::string folder = Folder() + "/skins/" + name;
  fs::create_directories(folder);
  return folder;
}

std::string AppTest::CopySkin(const std::string& shipped, const std::string& name) {
  std::string folder = Folder() + "/skins/" + name;
  fs::copy(Folder() + "/skins/" + shipped, folder, fs::copy_options::recursive);
  return folder;
}

std::string AppTest::Setting(const std::string& key) {
  std::string value = platform::ReadIniString(FolderFile("配置.ini"), platform::Utf8ToCp936("配置"),
                                              platform::Utf8ToCp936(key), "", 1024);
  return platform::Cp936ToUtf8(value);
}

void AppTest::WriteSetting(const std::string& key, const std::string& value) {
  platform::WriteIniString(FolderFile("配置.ini"), platform::Utf8ToCp936("配置"), platform::Utf8ToCp936(key),
                           platform::Utf8ToCp936(value));
}

void AppTest::SetTime(int hour, int minute, int second) {
  now_ = 1'800'000'000 / 86400 * 86400 + hour * 3600 + minute * 60 + second;  // a day in 2027, UTC
}

void AppTest::Start() {
  runtime::RuntimeApp& rt = runtime::Runtime();
  rt.resetForTests();
  ui::InstallUserInterface();
  rt.setWindowHost(std::make_unique<ui::WindowEngine>(Handlers()));
  rt.setProgramPath(FolderFile("horavia"));
  rt.setImage(&ApplicationImage());
  observer_ = {};
  State().observers.add(&observer_);
  StartApplication();
}

void AppTest::PaintFrame() {
  void* box = runtime::Runtime().windowHost()->findUnit(main_window::kBox.formId, main_window::kBox.unitId);
  QCoreApplication::processEvents();
  static_cast<QWidget*>(box)->repaint();
  ticks_.advance(1);
}

std::uint32_t AppTest::RunSpin() {
  for (int waited = 0; waited < 120000 && Snapshot().spinning; waited += 10) ticks_.advance(10);
  EXPECT_FALSE(Snapshot().spinning) << "the spin did not come to rest";
  return observer_.restTick;
}

anim::CartoonBox& AppTest::Box() {
  void* unit = runtime::Runtime().windowHost()->findUnit(main_window::kBox.formId, main_window::kBox.unitId);
  auto* box = dynamic_cast<ui::CartoonBoxUnit*>(static_cast<QWidget*>(unit));
  if (box == nullptr) throw std::runtime_error("the main window's box is not live");
  return box->box();
}

std::int32_t AppTest::ReadProperty(const runtime::UnitRef& unit, std::int32_t property) {
  return static_cast<std::int32_t>(Read(unit, property));
}

}  // namespace horavia::app::testing
