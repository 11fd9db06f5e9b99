// horavia-skin: a skin author's tool.
//
//   horavia-skin check DIR
//     One line per finding, "problem: FILE: ...", "warning: FILE: ..." or
//     "info: FILE: ..." (see skin_check.h for the grades), then a summary.
//     Exit code 0 when there is no problem (warnings allowed), 1 when there
//     is one.
//   horavia-skin preview DIR OUT.png [--time HH:MM:SS] [--wheel]
//     Composes the clock at that time (default 10:10:30), or with --wheel the
//     wheel and its needle, as the program draws it, and writes an RGBA PNG
//     that is transparent outside the window's outline. Exit code 0 when
//     written, 1 when the PNG cannot be written.
//
// Exit code 2 for usage errors, a DIR that is not a folder included.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace horavia::tools::skin {

// `output` gets what goes to standard output, `errors` what goes to
// standard error; the result is the exit code.
int RunSkinTool(std::span<const std::string_view> arguments, std::string& output, std::string& errors);

}  // namespace horavia::tools::skin
