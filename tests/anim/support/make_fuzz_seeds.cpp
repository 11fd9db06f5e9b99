// Writes the picture fuzz targets' seed corpus into the folder given as the
// only argument: one small file of every kind and variant the decoders
// know. The files are committed under fuzz/anim/corpus; run this again
// (anim_make_fuzz_seeds FOLDER) when the encoders learn new variants.
#include <png.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/anim/support/encoders.h"

namespace {

using namespace horavia::anim::testing;

void Write(const std::string& folder, const std::string& name, const Bytes& bytes) {
  std::ofstream(folder + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Pattern(std::size_t count, int modulo) {
  std::vector<std::uint8_t> out(count);
  for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>((i * 7 + i / 5) % modulo);
  return out;
}

Bytes AnimatedGif(bool interlaced) {
  GifFile file;
  file.screenWidth = 8;
  file.screenHeight = 6;
  file.minimumCodeSize = 2;
  file.globalTable = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00};
  for (int i = 0; i < 3; ++i) {
    GifFrame frame;
    frame.left = i;
    frame.top = i;
    frame.width = 5;
    frame.height = 4;
    frame.indices = Pattern(20, 4);
    frame.interlaced = interlaced;
    frame.disposalMethod = i + 1;
    frame.delayHundredths = i * 5;
    frame.transparentIndex = i == 1 ? 2 : -1;
    if (i == 2) frame.localTable = {0x123456, 0x654321, 0xABCDEF, 0xFEDCBA};
    file.frames.push_back(frame);
  }
  return EncodeGif(file);
}

Bytes Png(int colourType, int bitDepth, bool interlaced) {
  PngPicture picture;
  picture.width = 5;
  picture.height = 4;
  picture.colourType = colourType;
  picture.bitDepth = bitDepth;
  picture.interlaced = interlaced;
  int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : 1;
  if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) channels = 2;
  picture.samples = Pattern((static_cast<std::size_t>(5) * channels * bitDepth + 7) / 8 * 4, 256);
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i < (1 << bitDepth); ++i) picture.palette.push_back(static_cast<std::uint32_t>(i) * 0x0A0B0C);
    picture.background = 1;
  }
  return EncodePng(picture);
}

IconImage Icon(int size, int colourCount, bool asPng) {
  IconImage image;
  image.width = image.height = size;
  image.colourCount = colourCount;
  for (int i = 0; i < size * size; ++i) {
    image.pixels.push_back(static_cast<std::uint32_t>(i) * 0x010305);
    image.transparent.push_back(i % 3 == 0);
  }
  image.asPng = asPng;
  image.hotX = 1;
  image.hotY = 2;
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: anim_make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  Write(folder, "animated.gif", AnimatedGif(false));
  Write(folder, "interlaced.gif", AnimatedGif(true));
  std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  palette.resize(256, 0x808080);
  Write(folder, "1bit.bmp", EncodeBmpPalette(5, 3, Pattern(15, 2), 1, {0, 0xFFFFFF}));
  Write(folder, "4bit.bmp", EncodeBmpPalette(5, 3, Pattern(15, 16), 4, std::vector<std::uint32_t>(palette.begin(), palette.begin() + 16)));
  Write(folder, "8bit.bmp", EncodeBmpPalette(5, 3, Pattern(15, 256), 8, palette));
  std::vector<std::uint32_t> colours(15);
  for (int i = 0; i < 15; ++i) colours[i] = static_cast<std::uint32_t>(i) * 0x112233;
  Write(folder, "24bit.bmp", EncodeBmpTrueColour(5, 3, colours, 24));
  Write(folder, "32bit-topdown.bmp", EncodeBmpTrueColour(5, 3, colours, 32, true));
  Write(folder, "8bit.pcx", EncodePcx(6, 3, Pattern(18, 256), 8, palette));
  Write(folder, "1bit.pcx", EncodePcx(19, 2, Pattern(38, 2), 1, {}));
  Write(folder, "two-entries.ico", EncodeIconContainer({Icon(4, 16, false), Icon(32, 16, false)}, 1));
  Write(folder, "png-entry.ico", EncodeIconContainer({Icon(3, 0, true)}, 1));
  Write(folder, "pointer.cur", EncodeIconContainer({Icon(8, 16, false)}, 2));
  std::vector<std::uint8_t> rgb(8 * 8 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 5);
  Write(folder, "colour.jpg", EncodeJpeg(8, 8, 3, rgb));
  Write(folder, "grey.jpg", EncodeJpeg(8, 8, 1, Pattern(64, 256)));
  Write(folder, "palette.png", Png(PNG_COLOR_TYPE_PALETTE, 4, false));
  Write(folder, "grey2.png", Png(PNG_COLOR_TYPE_GRAY, 2, true));
  Write(folder, "grey16.png", Png(PNG_COLOR_TYPE_GRAY, 16, false));
  Write(folder, "grey-alpha.png", Png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, false));
  Write(folder, "rgb16-interlaced.png", Png(PNG_COLOR_TYPE_RGB, 16, true));
  Write(folder, "rgba.png", Png(PNG_COLOR_TYPE_RGB_ALPHA, 8, false));
  return 0;
}
