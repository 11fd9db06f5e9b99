// The checks of one skin file each, as CheckSkin runs them. Each reports on
// a file that is present; a missing file is CheckSkin's to report.
#pragma once

#include <array>
#include <filesystem>

#include "app/prizes/prizes.h"
#include "tools/skin/skin_check.h"
#include "tools/skin/skin_files.h"

namespace horavia::tools::skin {

// What the program reads from pf.ini, with its defaults.
struct EndPicturePlacement {
  int plays = 8;  // GIF cycles before the end picture vanishes; 0 never
  int x = 0;
  int y = 0;
};
struct SkinSettings {
  std::array<EndPicturePlacement, 2> ends;
  int rotateWheel = 0;  // 1: the wheel turns under the needle
  app::prizes::PrizeWheel prizes;  // none unless the prize keys are sound
  bool writeLabels = false;        // the program writes the labels onto the wheel
};

// check_settings.cpp
SkinSettings CheckSettings(const FileBytes& file, Report& report);
// What the program reads from pf.ini, without judging it.
SkinSettings ReadSettings(const FileBytes& file);

// check_pictures.cpp
// The face, and the wheel (which is an object as well as an outline).
void CheckOutlinePicture(SkinFile file, const FileBytes& bytes, Report& report);
// The hands and the needle.
void CheckTurningPicture(SkinFile file, const FileBytes& bytes, Report& report);
void CheckEndPicture(SkinFile file, const FileBytes& bytes, const EndPicturePlacement& placement, Report& report);

// check_sounds.cpp
void CheckSound(SkinFile file, const std::filesystem::path& path, Report& report);

}  // namespace horavia::tools::skin
