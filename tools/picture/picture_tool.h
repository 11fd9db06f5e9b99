// horavia-picture [--first] [--auto-key] FILE OUTDIR
//
// Prints
//   kind=<n> width=<w> height=<h> frames=<n>
//   frame <i> delay=<ms> key=<0xBBGGRR|none>
// and writes OUTDIR/frame-<i>.png. Returns the exit code: 0 done, 1 the file
// does not decode (prints "none"), 2 usage or file errors.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace horavia::tools {

int RunPictureTool(std::span<const std::string_view> arguments, std::string& output);

}  // namespace horavia::tools
