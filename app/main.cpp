// The process: hand the runtime its program path and image, run the
// application's start-up routine, then the shutdown sequence with code 0.
#include <QApplication>
#include <memory>

#include "app/app_state.h"
#include "app/handlers.h"
#include "app/image.h"
#include "platform/process.h"
#include "platform/qt_platform.h"
#include "runtime/runtime_app.h"
#include "ui/install.h"
#include "ui/window/engine.h"

int main(int argc, char** argv) {
  horavia::platform::PreferX11Windows();
  horavia::platform::AvoidSharedMemoryFlushes();
  QApplication qt(argc, argv);
  horavia::platform::WidenDisplaySendBuffer();
  horavia::ui::InstallUserInterface();
  horavia::runtime::RuntimeApp& runtime = horavia::runtime::Runtime();
  runtime.setWindowHost(std::make_unique<horavia::ui::WindowEngine>(horavia::app::Handlers()));
  runtime.setProgramPath(horavia::platform::ExecutablePath());
  runtime.setImage(&horavia::app::ApplicationImage());
  int code = horavia::app::ProgramEntry();
  runtime.exitProgram(code);
}
