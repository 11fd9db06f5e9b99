// The picture tool's work, apart from its process: decodes FILE as a frame
// image (every GIF frame composed on its canvas) or, with --first, through
// PictureToBitmap as one frame; reports the frames and writes each as an
// RGBA PNG with alpha = 255 - transparency. Key-coloured pixels keep their
// colour and alpha, so a reader can apply the key itself.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/picture.h"
#include "platform/files.h"
#include "tools/png/rgba_png.h"
#include "tools/picture/picture_tool.h"

namespace horavia::tools {

namespace {

using horavia::anim::FrameImage;
using horavia::anim::ImageFrame;
using horavia::anim::kNoKey;

struct Options {
  bool first = false;
  bool autoKey = false;
  std::string file;
  std::string outputFolder;
};

bool ParseOptions(std::span<const std::string_view> arguments, Options& options) {
  std::vector<std::string_view> positional;
  for (const std::string_view argument : arguments) {
    if (argument == "--first") {
      options.first = true;
    } else if (argument == "--auto-key") {
      options.autoKey = true;
    } else if (argument.starts_with("--")) {
      return false;
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.size() != 2) return false;
  options.file = positional[0];
  options.outputFolder = positional[1];
  return true;
}

// The picture service's single frame: the device bitmap, opaque.
FrameImage FirstFrame(const std::vector<std::uint8_t>& bytes, bool autoKey) {
  auto bitmap = horavia::anim::PictureToBitmap(bytes);
  if (!bitmap) return {};
  FrameImage image;
  image.width = bitmap->width;
  image.height = bitmap->height;
  ImageFrame frame;
  frame.keyColour = autoKey ? horavia::anim::PixelColour(bitmap->pixels[0]) : kNoKey;
  frame.pixels = std::move(bitmap->pixels);
  image.frames.push_back(std::move(frame));
  return image;
}

// RGBA PNG bytes of one frame (alpha = 255 - transparency); empty when
// libpng fails.
std::string EncodeFrame(const FrameImage& image, const ImageFrame& frame) {
  std::vector<std::uint32_t> opacity(frame.pixels.size());
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) opacity[i] = frame.pixels[i] ^ 0xFF000000u;
  return EncodeRgbaPng(image.width, image.height, opacity);
}

}  // namespace

int RunPictureTool(std::span<const std::string_view> arguments, std::string& output) {
  Options options;
  if (!ParseOptions(arguments, options)) {
    output += "usage: horavia-picture [--first] [--auto-key] FILE OUTDIR\n";
    return 2;
  }
  const auto bytes = horavia::platform::ReadWholeFile(options.file);
  if (!bytes) {
    output += "horavia-picture: cannot read " + options.file + "\n";
    return 2;
  }
  const FrameImage image = options.first ? FirstFrame(*bytes, options.autoKey)
                                         : FrameImage::LoadFromBytes(*bytes, kNoKey, options.autoKey);
  if (!image.usable()) {
    output += "none\n";
    return 1;
  }
  output += "kind=" + std::to_string(static_cast<int>(horavia::anim::DetectPictureKind(*bytes))) +
            " width=" + std::to_string(image.width) + " height=" + std::to_string(image.height) +
            " frames=" + std::to_string(image.frameCount()) + "\n";
  for (int i = 0; i < image.frameCount(); ++i) {
    const ImageFrame& frame = image.frames[i];
    char key[16] = "none";
    if (frame.keyColour != kNoKey) std::snprintf(key, sizeof key, "0x%06X", frame.keyColour & 0xFFFFFFu);
    output += "frame " + std::to_string(i) + " delay=" + std::to_string(frame.delay) + " key=" + key + "\n";
    const std::string png = EncodeFrame(image, frame);
    const std::string path = options.outputFolder + "/frame-" + std::to_string(i) + ".png";
    if (png.empty() || !horavia::platform::WriteWholeFile(path, {png})) {
      output += "horavia-picture: cannot write " + path + "\n";
      return 2;
    }
  }
  return 0;
}

}  // namespace horavia::tools
