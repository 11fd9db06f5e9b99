// The desktop seams: shell plans, standard folders, the clipboard and the
// event queue. Tests without an application object come first: the object,
// once made, lives to the end of the process.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/qt_platform.h"
#include "platform/timers.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/qt_application.h"

namespace horavia::platform {
namespace {

using horavia::testing::TempFolder;
using horavia::testing::WriteBytes;
using Args = std::vector<std::string>;

// The application object with the Qt backends of the platform installed.
QApplication& App() {
  QApplication& app = horavia::testing::TestApplication();
  static bool installed = (InstallQtPlatform(), true);
  (void)installed;
  return app;
}

TEST(CommandLineSplit, BlanksQuotesAndEscapes) {
  EXPECT_EQ(SplitCommandLine("  a  b\t c "), (Args{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("\"two words\" x\"y z\""), (Args{"two words", "xy z"}));
  EXPECT_EQ(SplitCommandLine("say \\\"hi\\\" \"\""), (Args{"say", "\"hi\"", ""}));
  EXPECT_EQ(SplitCommandLine(""), Args{});
}

TEST(ShellPlan, AddressesFilesAndPrograms) {
  TempFolder folder;
  WriteBytes(folder.file("doc.txt"), "x");
  WriteBytes(folder.file("run"), "#!/bin/sh\n");
  chmod(folder.file("run").c_str(), 0755);

  ShellAction web = PlanShellOpen({"", "mailto:someone@example.org", "", "", 2});
  EXPECT_EQ(web.kind, ShellAction::OpenUrl);
  EXPECT_EQ(web.url, "mailto:someone@example.org");

  // A relative name is found in the working folder.
  ShellAction doc = PlanShellOpen({"open", "doc.txt", "", folder.path(), 2});
  EXPECT_EQ(doc.kind, ShellAction::OpenUrl);
  EXPECT_EQ(doc.url, "file://" + folder.file("doc.txt"));

  ShellAction program = PlanShellOpen({"", folder.file("run"), "-v \"a b\"", folder.path(), 1});
  EXPECT_EQ(program.kind, ShellAction::StartProgram);
  EXPECT_EQ(program.arguments, (Args{"-v", "a b"}));
  EXPECT_EQ(program.workingFolder, folder.path());

  EXPECT_EQ(PlanShellOpen({"explore", folder.file("run"), "", "", 2}).kind, ShellAction::OpenUrl);
  EXPECT_EQ(PlanShellOpen({"print", folder.file("doc.txt"), "", "", 2}).kind, ShellAction::None);
  EXPECT_EQ(PlanShellOpen({"open", "", "", "", 2}).kind, ShellAction::None);
  // "C:" is a drive, not a scheme.
  EXPECT_NE(PlanShellOpen({"", "C:/x", "", "", 2}).url.rfind("C:", 0), 0u);
}

TEST(StandardFolders, ExistingFoldersOnly) {
  TempFolder folder;
  setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
  EXPECT_EQ(SpecialFolder(7), "");  // the autostart folder is not there yet
  std::filesystem::create_directories(folder.file("config/autostart"));
  EXPECT_EQ(SpecialFolder(7), folder.file("config/autostart"));
  EXPECT_EQ(SpecialFolder(0), "");
  EXPECT_EQ(SpecialFolder(12), "");
  std::string temp = SpecialFolder(11);
  EXPECT_FALSE(temp.empty());
  EXPECT_NE(temp.back(), '/');
}

TEST(Clipboard, NeedsAGraphicalApplication) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr) << "run this test before the ones that make the application";
  EXPECT_FALSE(SetClipboardText("x"));
  PumpPendingEvents();  // no application: nothing to do, and no failure
}

TEST(Clipboard, TextArrivesOnTheClipboard) {
  App();
  ASSERT_TRUE(SetClipboardText("时钟 clock"));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "时钟 clock");
}

TEST(EventPump, PendingEventsRunAndWaitingReturnsOnAnEvent) {
  App();
  int ran = 0;
  QTimer::singleShot(0, [&] { ++ran; });
  PumpPendingEvents();
  EXPECT_EQ(ran, 1);
  // Already waiting: the wait dispatches it instead of sleeping its time.
  QTimer::singleShot(0, [&] { ++ran; });
  WaitForEvents(600000);
  EXPECT_EQ(ran, 2);
}

TEST(EventPump, TheScheduleWakesTheLoopForADueTimer) {
  App();
  int fired = 0;
  Timer timer([&] { ++fired; });
  timer.startIn(5);
  // Nothing else is queued: only the schedule's wake-up ends this wait.
  while (fired == 0) WaitForEvents(600000);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(timer.active());
}

TEST(EventPump, QuitRequestSurvivesAPump) {
  QApplication& app = App();
  bool pumped = false;
  QTimer::singleShot(0, [&] {
    QCoreApplication::quit();
    PumpPendingEvents();
    pumped = true;
  });
  // Would never return if the pump had swallowed the quit.
  EXPECT_EQ(app.exec(), 0);
  EXPECT_TRUE(pumped);
}

}  // namespace
}  // namespace horavia::platform
