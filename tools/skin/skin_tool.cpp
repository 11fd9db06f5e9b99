// Index
//   [arguments]  the two commands' command lines
//   [check]      findings and the summary
//   [preview]    composing and writing the PNG
#include "tools/skin/skin_tool.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "tools/png/rgba_png.h"
#include "tools/skin/skin_check.h"
#include "tools/skin/skin_compose.h"

namespace horavia::tools::skin {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: horavia-skin check DIR\n"
    "       horavia-skin preview DIR OUT.png [--time HH:MM:SS] [--wheel [--angle DEGREES]]\n";

// [arguments] ------------------------------------------------------------------

std::optional<int> Number(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.size() != 2) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

// Whole degrees 0..359, as the record of spins gives a rest angle.
std::optional<int> Degrees(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 359) return std::nullopt;
  return value;
}

// Exactly HH:MM:SS, 00:00:00 to 23:59:59.
std::optional<ClockTime> ParseTime(std::string_view text) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  const auto hour = Number(text.substr(0, 2), 0, 23);
  const auto minute = Number(text.substr(3, 2), 0, 59);
  const auto second = Number(text.substr(6, 2), 0, 59);
  if (!hour || !minute || !second) return std::nullopt;
  return ClockTime{*hour, *minute, *second};
}

struct PreviewArguments {
  fs::path folder;
  fs::path output;
  Composition composition;
};

std::optional<PreviewArguments> ParsePreview(std::span<const std::string_view> arguments, std::string& errors) {
  PreviewArguments parsed;
  std::vector<std::string_view> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--wheel") {
      parsed.composition.wheel = true;
    } else if (argument == "--angle") {
      if (i + 1 == arguments.size()) return std::nullopt;
      const std::string_view value = arguments[++i];
      const std::optional<int> angle = Degrees(value);
      if (!angle) {
        errors += "horavia-skin: --angle wants whole degrees from 0 to 359, not \"" + std::string(value) + "\"\n";
        return std::nullopt;
      }
      parsed.composition.turnAngle = *angle;
    } else if (argument == "--time" || argument.starts_with("--time=")) {
      const bool joined = argument.starts_with("--time=");
      if (!joined && i + 1 == arguments.size()) return std::nullopt;
      const std::string_view value = joined ? argument.substr(7) : arguments[++i];
      const std::optional<ClockTime> time = ParseTime(value);
      if (!time) {
        errors += "horavia-skin: --time wants HH:MM:SS from 00:00:00 to 23:59:59, not \"" + std::string(value) + "\"\n";
        return std::nullopt;
      }
      parsed.composition.time = *time;
    } else if (argument.starts_with("--")) {
      return std::nullopt;
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.size() != 2) return std::nullopt;
  parsed.folder = positional[0];
  parsed.output = positional[1];
  return parsed;
}

bool IsFolder(const fs::path& folder, std::string& errors) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  errors += "horavia-skin: " + folder.string() + " is not a folder\n";
  return false;
}

// [check] ----------------------------------------------------------------------

int RunCheck(const fs::path& folder, std::string& output) {
  const Report report = CheckSkin(folder);
  for (const Finding& finding : report.findings()) output += FormatFinding(finding) + "\n";
  const int problems = report.count(Grade::Problem);
  const int warnings = report.count(Grade::Warning);
  output += std::to_string(problems) + (problems == 1 ? " problem, " : " problems, ") + std::to_string(warnings) +
            (warnings == 1 ? " warning" : " warnings") +
            (problems == 0 ? ": the skin is sound\n" : ": the skin needs fixing\n");
  return problems == 0 ? 0 : 1;
}

// [preview] --------------------------------------------------------------------

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

int RunPreview(const PreviewArguments& arguments, std::string& output, std::string& errors) {
  std::vector<std::string> leftOut;
  const SkinPictures skin = ReadSkinPictures(arguments.folder, leftOut);
  for (const std::string& note : leftOut) errors += "horavia-skin: left out " + note + "\n";
  const ComposedClock clock = ComposeSkin(skin, arguments.composition);
  const std::string png = EncodeRgbaPng(clock.width, clock.height, clock.pixels);
  if (png.empty() || !platform::WriteWholeFile(arguments.output.string(), {png})) {
    errors += "horavia-skin: cannot write " + arguments.output.string() + "\n";
    return 1;
  }
  const ClockTime& t = arguments.composition.time;
  const HandAngles angles = HandAnglesAt(t);
  const std::string what = arguments.composition.wheel
                               ? std::string(skin.wheelTurns ? "the wheel turned to " : "the wheel, the needle at ") +
                                     std::to_string(arguments.composition.turnAngle) + "°, "
                               : "the clock, ";
  output += "wrote " + arguments.output.string() + ": " + what +
            "hands at " + TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second) + " (" +
            std::to_string(angles.hour % 360) + "°, " + std::to_string(angles.minute) + "°, " +
            std::to_string(angles.second) + "°)\n";
  return 0;
}

}  // namespace

int RunSkinTool(std::span<const std::string_view> arguments, std::string& output, std::string& errors) {
  if (arguments.empty()) {
    errors += kUsage;
    return 2;
  }
  const std::string_view command = arguments[0];
  const std::span<const std::string_view> rest = arguments.subspan(1);
  if (command == "check" && rest.size() == 1) {
    const fs::path folder(rest[0]);
    return IsFolder(folder, errors) ? RunCheck(folder, output) : 2;
  }
  if (command == "preview") {
    const std::optional<PreviewArguments> parsed = ParsePreview(rest, errors);
    if (!parsed) {
      errors += kUsage;
      return 2;
    }
    return IsFolder(parsed->folder, errors) ? RunPreview(*parsed, output, errors) : 2;
  }
  errors += kUsage;
  return 2;
}

}  // namespace horavia::tools::skin
