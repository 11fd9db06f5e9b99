// Skins and settings: the settings file read at start-up and written key by
// key as things change, a skin's pictures, sounds, pf.ini and prizes loaded
// into the clock, choosing a skin, the skin list and the autostart switch of
// the settings window.
//
// Index
//   [paths]      the settings file, the skin folder, the program's path
//   [settings]   loadSettings, saveSettings
//   [skin]       loadSkin, ChooseSkin, applySelectedSkin
//   [window]     the skin list and the autostart box of the settings window
#include "app/skins.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/operations.h"
#include "app/prize_art.h"
#include "app/settings.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/text_codec.h"
#include "runtime/entry.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

std::string ProgramFolder() { return TextOf(State().programFolder); }
std::string DataFolder() { return TextOf(State().dataFolder); }

bool FolderExists(const std::string& runtimePath) {
  return Call(CoreCommand::FileExists, {Text(runtimePath)}).boolean();
}

// A picture file of the skin as a byte-set (empty when it cannot be read).
Returned SkinFile(const char* name) { return Call(CoreCommand::ReadFileBytes, {Text(SkinFolder() + name)}); }

void SetObjectPicture(std::int32_t id, const char* file) {
  Call(BoxCommand::SetObjectPicture, {Unit(kBox), Int(id), ByteSet(SkinFile(file).byteSet()), Int(0xFFFFFF)});
}

// The folders a skins pattern finds, without "." and "..".
std::vector<std::string> SkinFolders(const std::string& pattern) {
  const runtime::RuntimeEntryTable& rt = runtime::Entries();
  std::vector<std::string> names;
  void* search = nullptr;
  const char* next = pattern.c_str();
  for (;;) {
    auto* name = reinterpret_cast<char*>(rt.runtimeService(runtime::kFindFile, reinterpret_cast<std::intptr_t>(next),
                                                           kFolderMask, 0, reinterpret_cast<std::intptr_t>(&search)));
    if (name == nullptr) break;
    next = L.Empty;
    std::string folder = name;
    rt.free(name);
    if (folder != L.Dot && folder != L.DotDot) names.push_back(std::move(folder));
  }
  rt.runtimeService(runtime::kFindClose, reinterpret_cast<std::intptr_t>(search), 0, 0, 0);
  return names;
}

// The wheel object shows the skin's wheel with its prizes written on; the
// window's outline keeps the picture as drawn.
void WritePrizesOnTheWheel(std::int32_t wheel, const prizes::PrizeWheel& prizes) {
  if (prizes.prizes.empty()) return;
  Returned file = SkinFile(L.WheelPicture);
  const runtime::ByteSetView bytes = runtime::ByteSetBytes(file.byteSet());
  std::vector<std::string> labels;
  for (const prizes::Prize& prize : prizes.prizes) labels.push_back(platform::Cp936ToUtf8(prize.label));
  const std::string png = WriteLabelsOnWheel({bytes.data, bytes.size}, labels, prizes.startAngle);
  if (png.empty()) return;
  void* picture = runtime::MakeByteSet(png.data(), png.size());
  Call(BoxCommand::SetObjectPicture, {Unit(kBox), Int(wheel), ByteSet(picture), Int(0xFFFFFF)});
  FreeBlock(picture);
}

// A new skin shows in wheel mode, wheel and needle back at 0 (a spin in
// progress keeps its turning object).
void ApplySkin(std::string name) {
  AppState& state = State();
  FreeBlock(state.skinName);
  state.skinName = NewText(name);
  saveSettings();
  loadSkin();
  WritePendingWheelLabels();
  ResetWheel();
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(state.wheel), Bool(true)});
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(state.needle), Bool(true)});
  SetDisplayMode(DisplayMode::Wheel);
  state.observers.notify([&name](AppObserver& o) { o.skinChanged(name); });
}

}  // namespace

// [paths] ----------------------------------------------------------------------

std::string SettingsFile() { return DataFolder() + L.SettingsFile; }

// A skin of the user's own (in the data folder) wins over an installed one
// of the same name.
std::string SkinFolder() {
  const std::string skin = TextOf(State().skinName);
  const std::string own = DataFolder() + L.SkinsFolder + skin;
  if (DataFolder() != ProgramFolder() && !skin.empty() && FolderExists(own)) return own + L.Backslash;
  return ProgramFolder() + L.SkinsFolder + skin + L.Backslash;
}
std::string ProgramPath() { return ProgramFolder() + Call(CoreCommand::GetProgramFileName).text(); }

// The window's outline is kept for its picture elsewhere (the overlay) when
// the window took it.
void ShapeWindowFrom(const UnitRef& pictureBox) {
  PropertyBytes picture(pictureBox, property::kPicture);
  const int percent = State().desktop != nullptr ? State().desktop->size() : 100;
  if (!Call(CoreCommand::SetWindowShape, {Unit(kWindow), ByteSet(picture.byteSet()), Int(0xFFFFFF), Int(percent)})
           .boolean()) {
    return;
  }
  const runtime::ByteSetView bytes = runtime::ByteSetBytes(picture.byteSet());
  State().picture.setOutline({bytes.data, bytes.size}, percent);
}

// [settings] -------------------------------------------------------------------

void loadSettings() {
  AppState& state = State();
  FreeBlock(state.skinName);
  state.skinName = NewText(ReadSetting(Setting::SkinName));
  state.chimeEnabled = ReadSettingNumber(Setting::Chime);  // "1.9" is on, "0.5" off
  state.device = ReadSettingNumber(Setting::Device);
  state.volume = ReadSettingNumber(Setting::Volume);
  Write(kChimeItem, property::kMenuChecked, state.chimeEnabled != 0 ? 1 : 0);
}

void saveSettings() {
  AppState& state = State();
  WriteSetting(Setting::SkinName, TextOf(state.skinName));
  WriteSetting(Setting::Chime, state.chimeEnabled);
}

// [skin] -----------------------------------------------------------------------

// Loads the current skin into the main window's box and its five objects. A
// missing file leaves its target without a picture; missing pf.ini keys take
// their defaults. The window keeps the wheel's outline.
void loadSkin() {
  AppState& state = State();
  WritePointer(kFacePicture, property::kPicture, SkinFile(L.ClockFacePicture).byteSet());
  WritePointer(kWheelPicture, property::kPicture, SkinFile(L.WheelPicture).byteSet());
  WritePointer(kBox, property::kBoxBackground, PropertyBytes(kFacePicture, property::kPicture).byteSet());
  ShapeWindowFrom(kWheelPicture);
  SetObjectPicture(state.hourHand, L.HourHandPicture);
  SetObjectPicture(state.minuteHand, L.MinuteHandPicture);
  SetObjectPicture(state.secondHand, L.SecondHandPicture);
  SetObjectPicture(state.wheel, L.WheelPicture);
  SetObjectPicture(state.needle, L.NeedlePicture);
  WritePointer(kEnd1Template, property::kTemplatePicture, SkinFile(L.End1Picture).byteSet());
  WritePointer(kEnd2Template, property::kTemplatePicture, SkinFile(L.End2Picture).byteSet());

  const IniFileSettings pf(SkinFolder() + L.SkinSettingsFile);
  Write(kEnd1Template, property::kGifAutoDestroy, pf.number(RowOf(SkinSetting::End1Plays)));
  Write(kEnd2Template, property::kGifAutoDestroy, pf.number(RowOf(SkinSetting::End2Plays)));
  state.end1X = pf.number(RowOf(SkinSetting::End1X));
  state.end1Y = pf.number(RowOf(SkinSetting::End1Y));
  state.end2X = pf.number(RowOf(SkinSetting::End2X));
  state.end2Y = pf.number(RowOf(SkinSetting::End2Y));
  state.rotateWheel = pf.number(RowOf(SkinSetting::RotateWheel));
  state.resultSeconds = pf.number(RowOf(SkinSetting::ResultSeconds));
  state.prizes = prizes::JudgePrizeKeys(ReadPrizeKeys(pf)).wheel;
  state.wheelLabelsPending = pf.number(RowOf(SkinSetting::WriteLabels)) == 1;
}

void WritePendingWheelLabels() {
  AppState& state = State();
  if (!state.wheelLabelsPending) return;
  state.wheelLabelsPending = false;
  WritePrizesOnTheWheel(state.wheel, state.prizes);
}

bool ChooseSkin(const std::string& name) {
  const std::vector<std::string> names = SkinNames();
  if (name.empty() || std::find(names.begin(), names.end(), name) == names.end()) return false;
  ApplySkin(name);
  return true;
}

SubroutineResult applySelectedSkin(Args) {
  auto selection = static_cast<std::int32_t>(Read(settings_window::kSkinList, property::kListSelection));
  ApplySkin(Call(CoreCommand::GetListItemText, {Unit(settings_window::kSkinList), Int(selection)}).text());
  return SubroutineResult::None();
}

// [window] ---------------------------------------------------------------------

// The folders under "skins\", in the order the file system gives them, the
// user's own first when the program writes to a data folder of its own.
std::vector<std::string> SkinNames() {
  std::vector<std::string> folders = {ProgramFolder()};
  if (DataFolder() != ProgramFolder()) folders.insert(folders.begin(), DataFolder());
  std::vector<std::string> listed;
  for (const std::string& folder : folders) {
    for (std::string& name : SkinFolders(folder + L.SkinsPattern)) {
      if (std::find(listed.begin(), listed.end(), name) == listed.end()) listed.push_back(std::move(name));
    }
  }
  return listed;
}

// The current skin's entry is selected when its name matches byte for byte.
void fillSkinList() {
  const std::string skin = TextOf(State().skinName);
  for (const std::string& name : SkinNames()) {
    std::int32_t index = Call(CoreCommand::AddListItem, {Unit(settings_window::kSkinList), Text(name)}).integer();
    if (name == skin) Write(settings_window::kSkinList, property::kListSelection, index);
  }
}

void fillAutostartBox() {
  Returned value = Call(CoreCommand::ReadRegistryText, {Int(kLocalMachine), Text(L.AutostartValue), Text(L.Empty)});
  Write(settings_window::kAutostart, property::kChecked, value.text() == ProgramPath() ? 1 : 0);
}

// Off leaves the value in place with an empty text.
SubroutineResult onAutostartClicked(Args) {
  bool on = Read(settings_window::kAutostart, property::kChecked) != 0;
  std::string value = on ? ProgramPath() : std::string();
  Call(CoreCommand::WriteRegistryValue, {Int(kLocalMachine), Text(L.AutostartValue), Text(value)});
  return SubroutineResult::None();
}

}  // namespace horavia::app
