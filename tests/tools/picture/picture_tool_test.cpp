// Runs the picture tool on files made here and compares every frame it
// writes with what a reference gives: giflib's images composed frame by
// frame, libpng's own expansion, or the pixels the file was made from.
#include "tools/picture/picture_tool.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "tests/anim/support/encoders.h"
#include "tests/anim/support/giflib_memory.h"

namespace horavia::tools {
namespace {

using anim::testing::Bytes;
using anim::testing::GifMemoryInput;
using anim::testing::ReadGifMemory;
namespace fs = std::filesystem;

class PictureTool : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("picture-tool-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "out");
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Writes the file, runs the tool, returns its exit code; output() has
  // what it printed.
  int Run(const Bytes& file, std::vector<std::string> flags = {}) {
    const fs::path input = folder_ / "input";
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    flags.push_back(input.string());
    flags.push_back((folder_ / "out").string());
    std::vector<std::string_view> arguments(flags.begin(), flags.end());
    output_.clear();
    return RunPictureTool(arguments, output_);
  }

  // Frame i as 0xAARRGGBB pixels.
  std::vector<std::uint32_t> Frame(int i) {
    std::ifstream in(folder_ / "out" / ("frame-" + std::to_string(i) + ".png"), std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto png = anim::testing::DecodePngReference(bytes);
    if (!png) return {};
    return png->bgra;
  }

  const std::string& output() const { return output_; }

 private:
  fs::path folder_;
  std::string output_;
};

// [GIF] -----------------------------------------------------------------------
// The images giflib decodes, composed as the animation units compose them.

// Canvas starts empty (white, alpha 0); transparent pixels are skipped;
// disposal 2 and 3 both put back what the area held before the image.
std::vector<std::vector<std::uint32_t>> ComposeWithGiflib(const Bytes& bytes) {
  GifMemoryInput input{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadGifMemory, &error);
  std::vector<std::vector<std::uint32_t>> frames;
  if (!gif || DGifSlurp(gif) != GIF_OK) return frames;
  const int width = gif->SWidth, height = gif->SHeight;
  std::vector<std::uint32_t> canvas(static_cast<std::size_t>(width) * height, 0x00FFFFFF);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, i, &control);
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    const std::vector<std::uint32_t> before = canvas;
    for (int y = 0; y < image.ImageDesc.Height; ++y) {
      for (int x = 0; x < image.ImageDesc.Width; ++x) {
        const int cx = image.ImageDesc.Left + x, cy = image.ImageDesc.Top + y;
        if (cx >= width || cy >= height) continue;
        const int index = image.RasterBits[y * image.ImageDesc.Width + x];
        if (index == control.TransparentColor) continue;
        const GifColorType& c = map->Colors[index];
        canvas[cy * width + cx] = 0xFF000000u | c.Red << 16 | c.Green << 8 | c.Blue;
      }
    }
    frames.push_back(canvas);
    if (control.DisposalMode == DISPOSE_BACKGROUND || control.DisposalMode == DISPOSE_PREVIOUS) canvas = before;
  }
  DGifCloseFile(gif, &error);
  return frames;
}

std::vector<std::uint32_t> Table(int entries, std::uint32_t seed) {
  std::vector<std::uint32_t> table(entries);
  for (int i = 0; i < entries; ++i) table[i] = ((i + 1) * seed * 2654435761u) & 0xFFFFFF;
  return table;
}

TEST_F(PictureTool, ComposesEveryGifFrameAsTheReferenceDoes) {
  anim::testing::GifFile file;
  file.screenWidth = 40;
  file.screenHeight = 30;
  file.minimumCodeSize = 4;
  file.globalTable = Table(16, 3);
  std::mt19937 random(1);
  for (int i = 0; i < 8; ++i) {
    anim::testing::GifFrame frame;
    frame.left = (i * 7) % 25;
    frame.top = (i * 5) % 18;
    frame.width = 12 + i;
    frame.height = 10 + i % 3;
    frame.indices.resize(static_cast<std::size_t>(frame.width) * frame.height);
    for (auto& v : frame.indices) v = static_cast<std::uint8_t>(random() % 16);
    frame.interlaced = i % 3 == 0;
    if (i % 4 == 1) frame.localTable = Table(16, 11 + i);
    frame.disposalMethod = i % 4;
    frame.delayHundredths = i;
    frame.transparentIndex = i % 2 ? 5 : -1;
    file.frames.push_back(frame);
  }
  const Bytes bytes = anim::testing::EncodeGif(file);
  ASSERT_EQ(Run(bytes), 0) << output();
  EXPECT_EQ(output().substr(0, output().find('\n')), "kind=5 width=40 height=30 frames=8");
  EXPECT_NE(output().find("frame 0 delay=50 key=none\n"), std::string::npos);
  EXPECT_NE(output().find("frame 3 delay=30 key=none\n"), std::string::npos);
  const auto want = ComposeWithGiflib(bytes);
  ASSERT_EQ(want.size(), 8u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Frame(i), want[i]) << "frame " << i;
}

TEST_F(PictureTool, FirstImageOnlyWithTheCornerAsKey) {
  anim::testing::GifFile file;
  file.screenWidth = 3;
  file.screenHeight = 1;
  file.minimumCodeSize = 2;
  file.globalTable = {0x102030, 0x405060, 0, 0};
  anim::testing::GifFrame frame;
  frame.width = 3;
  frame.height = 1;
  frame.indices = {0, 1, 0};
  file.frames = {frame, frame};
  ASSERT_EQ(Run(anim::testing::EncodeGif(file), {"--first", "--auto-key"}), 0) << output();
  EXPECT_EQ(output(), "kind=5 width=3 height=1 frames=1\nframe 0 delay=0 key=0x302010\n");
  EXPECT_EQ(Frame(0), (std::vector<std::uint32_t>{0xFF102030, 0xFF405060, 0xFF102030}));
}

// [BMP, PCX, icons] -----------------------------------------------------------
// The pixels the files were made from.

std::vector<std::uint32_t> Opaque(const std::vector<std::uint32_t>& rgb) {
  std::vector<std::uint32_t> out;
  for (std::uint32_t p : rgb) out.push_back(0xFF000000u | p);
  return out;
}

TEST_F(PictureTool, ReproducesBmpsOfEveryDepth) {
  const int width = 9, height = 5;
  std::vector<std::uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = (i * 0x00030507u) & 0xFFFFFF;
  for (int depth : {1, 4, 8}) {
    std::vector<std::uint8_t> indices(width * height);
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < width * height; ++i) {
      indices[i] = static_cast<std::uint8_t>((i * 7) % (1 << depth));
      pixels.push_back(palette[indices[i]]);
    }
    std::vector<std::uint32_t> table(palette.begin(), palette.begin() + (1 << depth));
    ASSERT_EQ(Run(anim::testing::EncodeBmpPalette(width, height, indices, depth, table)), 0) << depth;
    EXPECT_EQ(Frame(0), Opaque(pixels)) << depth << " bits";
  }
  std::vector<std::uint32_t> colours(width * height);
  for (int i = 0; i < width * height; ++i) colours[i] = (i * 0x0A0B0Cu) & 0xFFFFFF;
  for (int depth : {24, 32}) {
    ASSERT_EQ(Run(anim::testing::EncodeBmpTrueColour(width, height, colours, depth)), 0) << depth;
    EXPECT_EQ(output().substr(0, 20), "kind=2 width=9 heigh");
    EXPECT_EQ(Frame(0), Opaque(colours)) << depth << " bits";
  }
}

TEST_F(PictureTool, ReproducesPcxFiles) {
  std::vector<std::uint8_t> indices(7 * 3);
  std::vector<std::uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = (i * 0x00102030u) & 0xFFFFFF;
  std::vector<std::uint32_t> eight, one;
  for (int i = 0; i < 21; ++i) {
    indices[i] = static_cast<std::uint8_t>(i * 13);
    eight.push_back(palette[indices[i]]);
  }
  ASSERT_EQ(Run(anim::testing::EncodePcx(7, 3, indices, 8, palette)), 0);
  EXPECT_EQ(Frame(0), Opaque(eight));
  for (auto& v : indices) {
    v &= 1;
    one.push_back(v ? 0xFFFFFF : 0);
  }
  ASSERT_EQ(Run(anim::testing::EncodePcx(7, 3, indices, 1, {})), 0);
  EXPECT_EQ(output().substr(0, 6), "kind=7");
  EXPECT_EQ(Frame(0), Opaque(one));
}

TEST_F(PictureTool, ShowsIconsOnWhite) {
  anim::testing::IconImage image;
  image.width = image.height = 32;
  image.colourCount = 16;
  for (int i = 0; i < 32 * 32; ++i) {
    const bool masked = (i % 32) < 4;
    image.pixels.push_back(masked ? 0 : 0x3366CC);
    image.transparent.push_back(masked);
  }
  ASSERT_EQ(Run(anim::testing::EncodeIconContainer({image}, 1), {"--auto-key"}), 0);
  EXPECT_EQ(output(), "kind=3 width=32 height=32 frames=1\nframe 0 delay=0 key=0xFFFFFF\n");
  const auto frame = Frame(0);
  ASSERT_EQ(frame.size(), 1024u);
  EXPECT_EQ(frame[0], 0xFFFFFFFFu);
  EXPECT_EQ(frame[4], 0xFF3366CCu);
}

// [PNG] -----------------------------------------------------------------------
// What libpng's own expansion gives.

TEST_F(PictureTool, ReproducesPngsAsLibpngReadsThem) {
  struct Case {
    int colourType, bitDepth;
    bool interlaced;
  };
  std::mt19937 random(3);
  for (Case c : {Case{PNG_COLOR_TYPE_PALETTE, 8, false}, Case{PNG_COLOR_TYPE_GRAY, 4, true},
                 Case{PNG_COLOR_TYPE_RGB, 16, false}, Case{PNG_COLOR_TYPE_RGB_ALPHA, 8, true}}) {
    anim::testing::PngPicture picture;
    picture.width = 17;
    picture.height = 9;
    picture.colourType = c.colourType;
    picture.bitDepth = c.bitDepth;
    picture.interlaced = c.interlaced;
    const int channels = c.colourType == PNG_COLOR_TYPE_RGB ? 3 : c.colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : 1;
    picture.samples.resize((static_cast<std::size_t>(picture.width) * channels * c.bitDepth + 7) / 8 * picture.height);
    for (auto& s : picture.samples) s = static_cast<std::uint8_t>(random());
    if (c.colourType == PNG_COLOR_TYPE_PALETTE) picture.palette = Table(256, 5);
    const Bytes png = anim::testing::EncodePng(picture);
    ASSERT_EQ(Run(png), 0);
    EXPECT_EQ(output().substr(0, 24), "kind=0 width=17 height=9");
    EXPECT_EQ(Frame(0), anim::testing::DecodePngReference(png)->bgra) << "colour type " << c.colourType;
  }
}

TEST_F(PictureTool, PrintsNoneForWhatDoesNotDecode) {
  EXPECT_EQ(Run(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}), 1);
  EXPECT_EQ(output(), "none\n");
  std::string usage;
  std::vector<std::string_view> nothing;
  EXPECT_EQ(RunPictureTool(nothing, usage), 2);
}

}  // namespace
}  // namespace horavia::tools
