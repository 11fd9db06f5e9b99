// The whole check: each of the skin's files in the order the program loads
// them, what a missing one means, and pf.ini last (though read first: the
// end pictures' checks need its positions).
#include "tools/skin/skin_check.h"

#include "tools/skin/checks.h"

namespace horavia::tools::skin {

namespace {

namespace fs = std::filesystem;

// What the program does without the file.
const char* WithoutIt(SkinFile file) {
  switch (file) {
    case SkinFile::Face: return "the clock has no face and the window takes the wheel's outline, or none";
    case SkinFile::Wheel: return "wheel mode shows no wheel and keeps the clock's outline";
    case SkinFile::HourHand: return "the clock has no hour hand";
    case SkinFile::MinuteHand: return "the clock has no minute hand";
    case SkinFile::SecondHand: return "the clock has no second hand";
    case SkinFile::Needle: return "the wheel has no needle";
    case SkinFile::End1:
    case SkinFile::End2: return "no end picture shows after a spin";
    case SkinFile::StartSound: return "a spin starts silently";
    case SkinFile::EndSound: return "a spin ends silently";
    case SkinFile::Settings: return "the defaults apply (end pictures play 8 times at (0, 0), the needle turns)";
  }
  return "";
}

// A missing file is allowed; one that is there under a name the program
// does not look for is a mistake.
void ReportMissing(SkinFile file, const std::vector<std::string>& entries, Report& report) {
  const char* name = FileName(file);
  const std::optional<NearMiss> near = FindNearMiss(entries, name);
  if (!near) {
    report.warning(name, std::string("missing: ") + WithoutIt(file));
    return;
  }
  if (near->legacyEncoding) {
    report.problem(name, "missing, but a file whose name is \"" + near->shown +
                             "\" in code-page-936 bytes is there: file names here are UTF-8, so the program does not "
                             "find it. Rename it");
    return;
  }
  report.problem(name, "missing, but \"" + near->shown + "\" is there: the program looks for the name exactly as \"" +
                           name + "\"");
}

void CheckOne(SkinFile file, const fs::path& path, const SkinSettings& settings, Report& report) {
  if (file == SkinFile::StartSound || file == SkinFile::EndSound) {
    CheckSound(file, path, report);
    return;
  }
  const FileBytes bytes = ReadCapped(path, kMaxPictureFileBytes);
  switch (file) {
    case SkinFile::Face:
    case SkinFile::Wheel: CheckOutlinePicture(file, bytes, report); return;
    case SkinFile::End1: CheckEndPicture(file, bytes, settings.ends[0], report); return;
    case SkinFile::End2: CheckEndPicture(file, bytes, settings.ends[1], report); return;
    default: CheckTurningPicture(file, bytes, report); return;
  }
}

}  // namespace

int Report::count(Grade grade) const {
  int n = 0;
  for (const Finding& finding : findings_) n += finding.grade == grade ? 1 : 0;
  return n;
}

std::string FormatFinding(const Finding& finding) {
  const char* grade = finding.grade == Grade::Problem ? "problem" : finding.grade == Grade::Warning ? "warning" : "info";
  std::string line = std::string(grade) + ": ";
  if (!finding.file.empty()) line += finding.file + ": ";
  return line + finding.text;
}

Report CheckSkin(const fs::path& folder) {
  Report report;
  const std::vector<std::string> entries = ListFolder(folder).value_or(std::vector<std::string>{});
  const auto present = [&](SkinFile file) {
    std::error_code error;
    return fs::exists(fs::status(folder / FileName(file), error));
  };

  Report settingsReport;
  const fs::path settingsPath = folder / FileName(SkinFile::Settings);
  const SkinSettings settings = present(SkinFile::Settings)
                                    ? CheckSettings(ReadCapped(settingsPath, kMaxSettingsFileBytes), settingsReport)
                                    : SkinSettings{};

  for (const SkinFileName& entry : kSkinFiles) {
    if (!present(entry.file)) {
      ReportMissing(entry.file, entries, report);
      continue;
    }
    if (entry.file == SkinFile::Settings) {
      report.append(settingsReport);
      continue;
    }
    CheckOne(entry.file, folder / entry.name, settings, report);
  }
  return report;
}

}  // namespace horavia::tools::skin
