// horavia-skin check DIR | preview DIR OUT.png [--time HH:MM:SS] [--wheel
// [--angle DEGREES]]: checks a skin folder, or composes it as the program
// shows it (see skin_tool.h).
#include <QGuiApplication>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/skin/skin_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  // A preview writes a skin's prizes onto its wheel in the toolkit's fonts,
  // which need its application object; the tool shows no window, so it
  // needs no display.
  std::optional<QGuiApplication> toolkit;
  if (!arguments.empty() && arguments[0] == "preview") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    toolkit.emplace(argc, argv);
  }
  std::string output, errors;
  const int code = horavia::tools::skin::RunSkinTool(arguments, output, errors);
  std::fputs(output.c_str(), stdout);
  std::fputs(errors.c_str(), stderr);
  return code;
}
