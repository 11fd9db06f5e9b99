// What runs once the main window exists: the program folder, the audio
// library beside the program, settings, sound, the clock's objects and skin,
// and the first tick. It leaves the window in clock mode.
#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/settings.h"
#include "app/skins.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_codec.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

// Whether a code-page-936 text ends in a backslash character (not in the
// trail byte of a two-byte character).
bool EndsWithBackslash(const std::string& text) {
  bool last = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    last = text[i] == '\\';
    if (static_cast<unsigned char>(text[i]) >= 0x80) ++i;
  }
  return last;
}

// The audio library the program carries, written beside it for the external
// calls to load. Another running instance may have the file mapped, so it is
// never overwritten in place: the same bytes are left alone, other bytes are
// replaced through a temporary file and a rename. A failed write is not
// noticed here; the first audio call reports a library that is missing.
// The carried bytes (over a megabyte) are not read again in this run, so
// their pages go back to the system.
void WriteAudioLibrary(const std::string& folder) {
  const runtime::ByteSetView carried = runtime::ByteSetBytes(&L.BassLibrary);
  const std::string path = folder + L.BassFileName;
  Returned present = Call(CoreCommand::ReadFileBytes, {Text(path)});
  const runtime::ByteSetView there = runtime::ByteSetBytes(present.byteSet());
  if (there.size != carried.size || !std::equal(carried.data, carried.data + carried.size, there.data)) {
    platform::ReplaceFile(platform::HostPath(path),
                          std::string_view(reinterpret_cast<const char*>(carried.data), carried.size));
  }
  platform::ReleaseConstantPages(carried.data, carried.size);
}

std::int32_t CreateAt00(const UnitRef& source) {
  return Call(BoxCommand::CreateObject, {Unit(kBox), Unit(source), Int(0), Int(0), Bool(true)}).integer();
}

// The folder the program writes to (app/settings.h says which), as a
// runtime path ending in a backslash.
std::string WritableFolder(const std::string& programFolder) {
  const std::string host = platform::HostPath(programFolder);
  const std::string chosen = WritableHostFolder(host, true);
  if (chosen == host) return programFolder;
  std::string folder = platform::RuntimePath(chosen);
  return EndsWithBackslash(folder) ? folder : folder + L.Backslash;
}

}  // namespace

SubroutineResult onMainWindowCreated(Args) {
  AppState& state = State();
  std::string folder = Call(CoreCommand::GetProgramDirectory).text();
  if (!EndsWithBackslash(folder)) folder += L.Backslash;
  FreeBlock(state.programFolder);
  state.programFolder = NewText(folder);
  const std::string data = WritableFolder(folder);
  FreeBlock(state.dataFolder);
  state.dataFolder = NewText(data);
  // The audio library is written where the program may write, and the
  // external calls look for it there first.
  Call(CoreCommand::SetLibraryDirectory, {Text(data)});
  WriteAudioLibrary(data);
  initialiseClockWindow();
  return SubroutineResult::None();
}

void initialiseClockWindow() {
  AppState& state = State();
  state.picture.follow();
  loadSettings();
  state.desktop = std::make_unique<DesktopClock>();
  state.desktop->startSize();
  const int side = InWindowPixels(kSkinSide);
  Call(CoreCommand::MoveUnit, {Unit(kWindow), Int(kDefaultPlace.left), Int(kDefaultPlace.top), Int(side), Int(side)});
  checkSoundDeviceLater();
  // Once the first frame is on screen: the device check, then the memory
  // start-up freed goes back to the system.
  state.picture.afterNextFrame([] {
    checkSoundDeviceNow();
    platform::ReturnFreedMemory();
  });
  state.hourHand = CreateAt00(kHourTemplate);
  state.minuteHand = CreateAt00(kMinuteTemplate);
  state.secondHand = CreateAt00(kSecondTemplate);
  state.wheel = CreateAt00(kWheelTemplate);
  state.needle = CreateAt00(kNeedleTemplate);
  loadSkin();
  ShapeWindowFrom(kFacePicture);
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(state.wheel), Bool(false)});
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(state.needle), Bool(false)});
  for (const UnitRef& objectTemplate :
       {kHourTemplate, kMinuteTemplate, kSecondTemplate, kWheelTemplate, kNeedleTemplate}) {
    Call(CoreCommand::MoveUnit, {Unit(objectTemplate), Int(0), Int(0), Int(kSkinSide), Int(kSkinSide)});
  }
  state.desktop->start();
  onClockTick({});
  StartLocalControl();
}

}  // namespace horavia::app
