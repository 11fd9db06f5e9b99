// horavia-picture [--first] [--auto-key] FILE OUTDIR: decodes a picture file
// as the animation units would and writes its frames as RGBA PNGs (see
// picture_tool.h).
#include <cstdio>
#include <string_view>
#include <vector>

#include "tools/picture/picture_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  std::string output;
  const int code = horavia::tools::RunPictureTool(arguments, output);
  std::fputs(output.c_str(), code == 2 ? stderr : stdout);
  return code;
}
