// Sizes and frame counts read from the headers of pictures made here, in
// every format the program reads, and the ceilings applied to them.
#include "tools/skin/picture_probe.h"

#include <gtest/gtest.h>

#include "tests/tools/skin/skin_fixture.h"

namespace horavia::tools::skin {
namespace {

using namespace anim::testing;
using testing::GifFrames;
using testing::Patch;

struct Probed {
  const char* name;
  Bytes bytes;
  PictureFormat format;
  int width, height, frames;
};

std::vector<Probed> Pictures() {
  const std::vector<std::uint32_t> rgb(37 * 21, 0x336699);
  IconImage small{16, 16, 16, std::vector<std::uint32_t>(256, 0), std::vector<bool>(256, false)};
  IconImage large{48, 40, 0, std::vector<std::uint32_t>(48 * 40, 0), std::vector<bool>(48 * 40, false)};
  IconImage png = large;
  png.asPng = true;
  const GifFrame frame = Patch(2, 3, 5, 4);
  return {
      {"gif", GifFrames(37, 21, {0, 0xFFFFFF}, {frame, frame, frame}), PictureFormat::Gif, 37, 21, 3},
      {"png", EncodePng({37, 21, 2, 8, false, Bytes(37 * 21 * 3, 9), {}, {}}), PictureFormat::Png, 37, 21, 1},
      {"bmp", EncodeBmpTrueColour(37, 21, rgb, 24), PictureFormat::Bmp, 37, 21, 1},
      {"top-down bmp", EncodeBmpTrueColour(37, 21, rgb, 32, true), PictureFormat::Bmp, 37, 21, 1},
      {"jpeg", EncodeJpeg(37, 21, 1, Bytes(37 * 21, 128)), PictureFormat::Jpeg, 37, 21, 1},
      {"pcx", EncodePcx(37, 21, Bytes(37 * 21, 1), 8, {0, 0xFFFFFF}), PictureFormat::Pcx, 37, 21, 1},
      {"icon", EncodeIconContainer({small, large}, 1), PictureFormat::Icon, 48, 40, 1},
      {"icon with png", EncodeIconContainer({png, small}, 1), PictureFormat::Icon, 48, 40, 1},
  };
}

TEST(ProbePicture, ReadsSizeAndFramesFromEveryFormat) {
  for (const Probed& p : Pictures()) {
    SCOPED_TRACE(p.name);
    const std::optional<PictureShape> shape = ProbePicture(p.bytes);
    ASSERT_TRUE(shape.has_value());
    EXPECT_EQ(shape->format, p.format);
    EXPECT_EQ(shape->width, p.width);
    EXPECT_EQ(shape->height, p.height);
    EXPECT_EQ(shape->frames, p.frames);
    EXPECT_FALSE(shape->cutShort);
    // Every cut of the header is refused or sized, never read past.
    for (std::size_t cut = 0; cut < std::min<std::size_t>(p.bytes.size(), 64); ++cut) {
      ProbePicture(std::span(p.bytes.data(), cut));
    }
  }
}

TEST(ProbePicture, AGifCutInsideAnImageIsCutShort) {
  GifFrame frame = Patch(0, 0, 40, 40);
  for (std::size_t i = 0; i < frame.indices.size(); ++i) frame.indices[i] = static_cast<std::uint8_t>(i * 7 % 256);
  std::vector<std::uint32_t> table(256);
  for (std::uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010101;
  const Bytes gif = GifFrames(40, 40, table, {frame, frame}, 8);
  const auto whole = ProbePicture(gif);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(whole->frames, 2);
  const auto cut = ProbePicture(std::span(gif.data(), gif.size() - gif.size() / 4));
  ASSERT_TRUE(cut.has_value());
  EXPECT_TRUE(cut->cutShort);
  EXPECT_EQ(cut->frames, 2) << "the second image counts: its start arrived";
  // Without its trailer the file is whole all the same.
  EXPECT_FALSE(ProbePicture(std::span(gif.data(), gif.size() - 1))->cutShort);
}

TEST(ProbePicture, CeilingsCatchLargeSides) {
  // How many frames are decoded is the program's ceiling, which the tool's
  // decoding keeps: a long animation is checked, and reported, all the same.
  EXPECT_TRUE(WithinLimits({PictureFormat::Gif, 300, 300, 100000, 1}));
  EXPECT_EQ(DecodedBytes({PictureFormat::Gif, 300, 300, 187, 1}), 187u * 300 * 300 * 4);
  EXPECT_FALSE(WithinLimits({PictureFormat::Jpeg, 2049, 10, 1, 20490}));
  EXPECT_FALSE(WithinLimits({PictureFormat::Gif, 10, 10, 1, 3000 * 3000})) << "an image larger than its screen";
  const PictureShape absurd{PictureFormat::Gif, 1 << 30, 1 << 30, 1 << 30, 0};
  EXPECT_EQ(DecodedBytes(absurd), std::numeric_limits<std::uint64_t>::max());
  EXPECT_FALSE(ProbePicture(Bytes{'B', 'M', 0, 0}).has_value()) << "five bytes of anything are no picture";
  EXPECT_FALSE(ProbePicture(Bytes(100, 0x55)).has_value());
}

}  // namespace
}  // namespace horavia::tools::skin
