// The process: hand the runtime its program path and image, run the
// application's start-up routine, then the shutdown sequence with code 0.
#include "app/app_state.h"
#include "app/image.h"
#include "platform/process.h"
#include "runtime/runtime_app.h"

int main() {
  horavia::runtime::RuntimeApp& runtime = horavia::runtime::Runtime();
  runtime.setProgramPath(horavia::platform::ExecutablePath());
  runtime.setImage(&horavia::app::ApplicationImage());
  int code = horavia::app::ProgramEntry();
  runtime.exitProgram(code);
}
