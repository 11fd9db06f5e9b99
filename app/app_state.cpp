#include "app/app_state.h"

#include "app/image.h"
#include "platform/entropy.h"
#include "runtime/entry.h"

namespace horavia::app {

AppState& State() {
  static AppState state;
  return state;
}

void StartApplication() {
  const runtime::RuntimeEntryTable& rt = runtime::Entries();
  rt.runtimeService(runtime::kInitializeImage, 0, 0, 0, 0);
  AppState& state = State();
  state.player = std::make_unique<SoundPlayer>();
  state.okButton = std::make_unique<PictureButton>();
  state.spinner = std::make_unique<WheelSpinner>(platform::ReadEntropySeed());
  rt.runtimeService(runtime::kRegisterCleanup, reinterpret_cast<std::intptr_t>(&releaseAppState), 0, 0, 0);
  rt.loadStartWindow(kStartForm);
}

void releaseAppState() {
  AppState& state = State();
  const runtime::RuntimeEntryTable& rt = runtime::Entries();
  rt.free(state.programFolder);
  state.programFolder = nullptr;
  rt.free(state.dataFolder);
  state.dataFolder = nullptr;
  state.player.reset();
  state.okButton.reset();
  state.spinner.reset();
  state.desktop.reset();
  rt.free(state.skinName);
  state.skinName = nullptr;
}

void ResetState() {
  releaseAppState();
  State() = AppState{};
}

}  // namespace horavia::app
