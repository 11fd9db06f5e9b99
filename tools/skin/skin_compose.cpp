// Index
//   [pictures]  reading a skin's pictures under the check's ceilings
//   [scene]     the box set up as the program's start-up sets it up
//   [outline]   the window's shape, cut as the program cuts it
#include "tools/skin/skin_compose.h"


#include "anim/cartoonbox/cartoon_box.h"
#include "anim/picture/picture.h"
#include "app/prize_art.h"
#include "platform/text_codec.h"
#include "tools/skin/checks.h"
#include "tools/skin/picture_probe.h"
#include "tools/skin/skin_files.h"

namespace horavia::tools::skin {

namespace fs = std::filesystem;

HandAngles HandAnglesAt(const ClockTime& time) {
  // Double precision, then truncated toward zero, as the clock computes it.
  return {static_cast<int>(time.hour * 30.0 + time.minute * 0.5), static_cast<int>(time.minute * 6.0),
          static_cast<int>(time.second * 6.0)};
}

// [pictures] -------------------------------------------------------------------

namespace {

std::vector<std::uint8_t> ReadPicture(const fs::path& folder, SkinFile file, std::vector<std::string>& leftOut) {
  const char* name = FileName(file);
  FileBytes read = ReadCapped(folder / name, kMaxPictureFileBytes);
  if (read.status == ReadStatus::Missing) return {};
  if (read.status != ReadStatus::Read) {
    leftOut.push_back(std::string(name) + ": not read (too large, or not a plain file)");
    return {};
  }
  const std::optional<PictureShape> shape = ProbePicture(read.bytes);
  if (!shape) {
    leftOut.push_back(std::string(name) + ": not a picture the program reads");
    return {};
  }
  if (!WithinLimits(*shape)) {
    leftOut.push_back(std::string(name) + ": far larger than a skin picture needs");
    return {};
  }
  return std::move(read.bytes);
}

}  // namespace

SkinPictures ReadSkinPictures(const fs::path& folder, std::vector<std::string>& leftOut) {
  SkinPictures skin;
  skin.face = ReadPicture(folder, SkinFile::Face, leftOut);
  skin.wheel = ReadPicture(folder, SkinFile::Wheel, leftOut);
  skin.hourHand = ReadPicture(folder, SkinFile::HourHand, leftOut);
  skin.minuteHand = ReadPicture(folder, SkinFile::MinuteHand, leftOut);
  skin.secondHand = ReadPicture(folder, SkinFile::SecondHand, leftOut);
  skin.needle = ReadPicture(folder, SkinFile::Needle, leftOut);
  const SkinSettings settings = ReadSettings(ReadCapped(folder / FileName(SkinFile::Settings), kMaxSettingsFileBytes));
  skin.wheelTurns = settings.rotateWheel == 1;
  if (settings.writeLabels && !settings.prizes.prizes.empty()) {
    std::vector<std::string> labels;
    for (const app::prizes::Prize& prize : settings.prizes.prizes) labels.push_back(platform::Cp936ToUtf8(prize.label));
    const std::string png = app::WriteLabelsOnWheel(skin.wheel, labels, settings.prizes.startAngle);
    skin.labelledWheel.assign(png.begin(), png.end());
  }
  return skin;
}

// [scene] ----------------------------------------------------------------------

namespace {

// Nothing happens in the scene but drawing: no handler answers an event (so
// no move is vetoed), repaints and sounds go nowhere.
class DrawingOnlyHost : public anim::BoxHost {
 public:
  std::optional<std::int32_t> RaiseEvent(anim::BoxEvent, std::span<const std::int32_t>) override {
    return std::nullopt;
  }
  void Invalidate(const anim::BoxRect&) override {}
  void UpdateNow() override {}
  void PlaySound(std::span<const std::uint8_t>) override {}
};

constexpr std::uint32_t kWhiteKey = 0xFFFFFF;
constexpr int kTopLeftMode = 0;

struct ClockObjects {
  std::int32_t hour = 0, minute = 0, second = 0, wheel = 0, needle = 0;
};

// The start-up order: the five objects from their templates (all alike: no
// picture of their own, turning with their angle), the skin's pictures, the
// wheel and needle hidden, then one clock tick.
void SetUpClock(anim::CartoonBox& box, const SkinPictures& skin, const Composition& composition) {
  anim::ObjectTemplate turning;
  turning.data.rotateFollow = 1;
  ClockObjects o;
  for (std::int32_t* id : {&o.hour, &o.minute, &o.second, &o.wheel, &o.needle}) {
    *id = box.createObject(&turning, 0, 0, true, "");
  }
  box.setBackground(skin.face, kTopLeftMode, composition.buttonFace);
  box.setPicture(o.hour, skin.hourHand, kWhiteKey);
  box.setPicture(o.minute, skin.minuteHand, kWhiteKey);
  box.setPicture(o.second, skin.secondHand, kWhiteKey);
  box.setPicture(o.wheel, skin.labelledWheel.empty() ? skin.wheel : skin.labelledWheel, kWhiteKey);
  box.setPicture(o.needle, skin.needle, kWhiteKey);
  box.setVisible(o.wheel, composition.wheel);
  box.setVisible(o.needle, composition.wheel);
  box.setAngle(skin.wheelTurns ? o.wheel : o.needle, composition.turnAngle);
  const HandAngles angles = HandAnglesAt(composition.time);
  box.setAngle(o.hour, angles.hour);
  box.setAngle(o.minute, angles.minute);
  box.setAngle(o.second, angles.second);
  // The tick's minute of turning; no step of it is taken here.
  box.startRotation(o.second, 6, 1000, 0, 60000);
}

// [outline] --------------------------------------------------------------------

std::optional<anim::Region> Cut(const std::vector<std::uint8_t>& picture) {
  std::optional<anim::Region> region = anim::RegionFromPictureBytes(picture, kWhiteKey);
  if (!region || region->empty()) return std::nullopt;
  return region;
}

// Loading a skin cuts the window from the wheel, start-up then cuts it from
// the face and wheel mode from the wheel again. A cut that yields nothing
// leaves the shape from before; before any cut the window is whole.
std::optional<anim::Region> WindowOutline(const SkinPictures& skin, bool wheelMode) {
  std::optional<anim::Region> region = wheelMode ? Cut(skin.wheel) : Cut(skin.face);
  return region ? region : wheelMode ? Cut(skin.face) : Cut(skin.wheel);
}

}  // namespace

ComposedClock ComposeSkin(const SkinPictures& skin, const Composition& composition) {
  DrawingOnlyHost host;
  anim::CartoonBox box(host);
  box.resize(kClockSize, kClockSize);
  SetUpClock(box, skin, composition);
  const std::optional<anim::Region> outline = WindowOutline(skin, composition.wheel);
  return anim::ComposeWindowFrame(box, outline ? &*outline : nullptr);
}

}  // namespace horavia::tools::skin
