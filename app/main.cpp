// The process. With a command word (`horavia spin`, `horavia state`, …) it
// asks the running program through its control interface and ends. Else it
// hands the runtime its program path and image, installs the control
// interface, runs the application's start-up and its message loop, then the
// shutdown sequence. `--overlay-only` runs without a desktop window: the
// clock and the wheel show only through the overlay.
#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/handlers.h"
#include "app/image.h"
#include "live/app_control.h"
#include "live/command_line.h"
#include "platform/process.h"
#include "platform/qt_platform.h"
#include "runtime/entry.h"
#include "runtime/runtime_app.h"
#include "ui/install.h"
#include "ui/window/engine.h"

namespace {

int RunClient(int argc, char** argv, const std::vector<std::string>& words) {
  QCoreApplication client(argc, argv);
  return horavia::live::RunClientCommand(words, horavia::live::ReadProgramClientSettings(), std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (!words.empty() && horavia::live::IsClientCommandWord(words[0])) return RunClient(argc, argv, words);
  const bool overlayOnly = std::find(words.begin(), words.end(), "--overlay-only") != words.end();
  if (overlayOnly) {
    horavia::platform::UseOffscreenWindows();
  } else {
    horavia::platform::PreferX11Windows();
  }
  horavia::platform::AvoidSharedMemoryFlushes();
  QApplication qt(argc, argv);
  horavia::platform::WidenDisplaySendBuffer();
  horavia::ui::InstallUserInterface();
  horavia::runtime::RuntimeApp& runtime = horavia::runtime::Runtime();
  runtime.setWindowHost(std::make_unique<horavia::ui::WindowEngine>(horavia::app::Handlers()));
  runtime.setProgramPath(horavia::platform::ExecutablePath());
  runtime.setImage(&horavia::app::ApplicationImage());
  // Lives until the process ends: the runtime's exit never returns here.
  horavia::live::AppControl control;
  control.install();
  horavia::app::StartApplication();
  if (overlayOnly && !horavia::live::StartOverlayOnly()) runtime.exitProgram(1);
  horavia::runtime::Entries().runMessageLoop();
  runtime.exitProgram(0);
}
