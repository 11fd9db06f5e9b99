// Sound through the audio library: one stream at a time, the output device
// and the volume chosen in the settings window.
#include "app/app_state.h"
#include "app/call.h"
#include "app/externals.h"
#include "app/literals.h"
#include "app/settings.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "runtime/entry.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using runtime::CallExternal;
using settings_window::kDevices;
using settings_window::kVolume;

// How many devices the list asks the library about.
constexpr std::uint32_t kDeviceQueries = 10;

// The library's device number of a list entry: entry 0 is the default output.
std::int32_t DeviceOfEntry(std::int32_t entry) { return entry == 0 ? -1 : entry; }

}  // namespace

// Checking the output device opens it and closes it again, and the close
// waits out one period of the audio thread (about 46 ms, and start-up checks
// twice: the default output, then the chosen one). So start-up only marks
// the check as due; it runs once the clock's first frame is on screen, or
// before the first sound if one comes sooner.
void checkSoundDeviceLater() { State().soundCheckPending = true; }

void checkSoundDeviceNow() {
  AppState& state = State();
  if (!state.soundCheckPending) return;
  state.soundCheckPending = false;
  state.player->Init();
  reinitSoundDevice(state.device);
}

// A missing file plays nothing and leaves the playing sound alone; any other
// file replaces it.
void playSoundFile(const std::string& path) {
  AppState& state = State();
  checkSoundDeviceNow();
  if (!Call(CoreCommand::FileExists, {Text(path)}).boolean()) return;
  state.player->StreamFree(state.stream);
  state.stream = state.player->CreateStream(path.c_str(), nullptr, nullptr);
  state.player->SetAttribute(state.stream, static_cast<float>(state.volume / 100.0));
  state.player->Play(state.stream, 1);
}

void reinitSoundDevice(std::int32_t entry) {
  CallExternal<bass::Free>(kBassFree);
  if (State().player->Init(DeviceOfEntry(entry))) return;
  Call(CoreCommand::ShowMessageBox, {Text(L.DeviceFailed), Int(kExclamationBox), Text(L.DeviceFailedTitle)});
}

// An entry's position in the list is its device number: the library numbers
// its devices without gaps.
void fillDeviceList() {
  Call(SpecialCommand::Delay, {Int(300)});
  Call(CoreCommand::AddComboItem, {Unit(kDevices), Text(L.DefaultDevice), Int(0)});
  for (std::uint32_t n = 1; n <= kDeviceQueries; ++n) {
    DeviceInfoRecord info;
    if (CallExternal<bass::GetDeviceInfo>(kBassGetDeviceInfo, n, &info) == 0) continue;
    Returned name = Call(CoreCommand::TextAtAddress, {ArgRecord::Pointer(info.description, runtime::kTagInt)});
    Call(CoreCommand::AddComboItem, {Unit(kDevices), Text(name.text()), Int(static_cast<std::int32_t>(n))});
  }
  Write(kDevices, property::kComboSelection, State().device);
}

// A device chosen before start-up's check ran takes its place.
SubroutineResult onDeviceSelected(Args) {
  State().soundCheckPending = false;
  CallExternal<bass::Free>(kBassFree);
  auto entry = static_cast<std::int32_t>(Read(kDevices, property::kComboSelection));
  State().player->Init(DeviceOfEntry(entry));  // a device that fails stays silent, without a message
  WriteSetting(Setting::Device, entry);
  State().device = entry;
  return SubroutineResult::None();
}

// The new volume applies from the next sound.
SubroutineResult onVolumeChanged(Args) {
  auto volume = static_cast<std::int32_t>(Read(kVolume, property::kSliderPosition));
  WriteSetting(Setting::Volume, volume);
  State().volume = volume;
  return SubroutineResult::None();
}

}  // namespace horavia::app
