// Fuzz entry point for a skin's "pf.ini" as the program reads it when a skin
// loads: the input is the file, read through the runtime's INI and
// conversion commands by the rows of the settings table, the prize keys
// judged and their labels turned into the text the wheel is written with,
// then spins drawn from the prizes. Every value must land where the program
// relies on it: places and counts as read, the result's seconds in 0..60,
// prizes either sound (2 to 36 labels of at most 64 bytes, weights that
// leave something to win) or none at all, and every draw inside a slice
// that can be won.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/literals.h"
#include "app/prizes/draw.h"
#include "app/settings.h"
#include "fuzz/app/fuzz_folder.h"
#include "platform/text_codec.h"

using namespace horavia::app;
using horavia::fuzz::Check;

namespace {

void CheckPrizes(const prizes::PrizeKeys& keys, const prizes::PrizeReading& reading) {
  const prizes::PrizeWheel& wheel = reading.wheel;
  if (reading.problem != prizes::PrizeProblem::None || keys.count == 0) {
    Check(wheel.prizes.empty());
    return;
  }
  Check(wheel.segments() == keys.count && keys.count >= prizes::kFewestPrizes && keys.count <= prizes::kMostPrizes);
  Check(wheel.startAngle >= 0 && wheel.startAngle < 360);
  std::uint64_t total = 0;
  for (const prizes::Prize& prize : wheel.prizes) {
    Check(prize.label.size() <= prizes::kLongestLabel);
    (void)horavia::platform::Cp936ToUtf8(prize.label);  // what the wheel is written with
    total += prize.weight;
  }
  Check(total > 0);

  const std::uint32_t seed[] = {static_cast<std::uint32_t>(keys.count), static_cast<std::uint32_t>(total)};
  prizes::SpinRandom random(seed);
  for (int spin = 0; spin < 4; ++spin) {
    const prizes::SpinDraw draw = prizes::DrawSpin(wheel, random);
    Check(draw.segment >= 1 && draw.segment <= wheel.segments());
    Check(wheel.prizes[static_cast<std::size_t>(draw.segment - 1)].weight > 0);
    Check(prizes::SegmentAt(wheel.segments(), wheel.startAngle, draw.pointedAngle) == draw.segment);
    Check(draw.fullSpeedSeconds >= 1 && draw.fullSpeedSeconds <= 12);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = horavia::fuzz::FuzzFolder() + kConstants.SkinSettingsFile;
  horavia::fuzz::WriteFuzzFile(file, data, size);
  const IniFileSettings pf(file);

  for (SkinSetting setting : {SkinSetting::End1Plays, SkinSetting::End2Plays, SkinSetting::End1X, SkinSetting::End1Y,
                              SkinSetting::End2X, SkinSetting::End2Y, SkinSetting::RotateWheel,
                              SkinSetting::WriteLabels}) {
    (void)pf.number(RowOf(setting));
  }
  const std::int32_t seconds = pf.number(RowOf(SkinSetting::ResultSeconds));
  Check(seconds >= 0 && seconds <= 60);

  const prizes::PrizeKeys keys = ReadPrizeKeys(pf);
  CheckPrizes(keys, prizes::JudgePrizeKeys(keys));
  return 0;
}
