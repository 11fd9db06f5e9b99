#include "anim/picture/picture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::Bytes;

struct KindCase {
  const char* name;
  Bytes leading;
  PictureKind kind;
  friend void PrintTo(const KindCase& c, std::ostream* out) { *out << c.name; }
};

class DetectPictureKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(DetectPictureKindTest, RecognisesTheLeadingBytes) {
  EXPECT_EQ(DetectPictureKind(GetParam().leading), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DetectPictureKindTest,
    ::testing::Values(KindCase{"Bmp", {'B', 'M', 0, 0, 0, 0}, PictureKind::Bmp},
                      KindCase{"Jpeg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, PictureKind::Jpeg},
                      KindCase{"Icon", {0, 0, 1, 0, 2, 0}, PictureKind::Icon},
                      KindCase{"IconWithoutEntries", {0, 0, 1, 0, 0, 0}, PictureKind::Unknown},
                      KindCase{"Cursor", {0, 0, 2, 0, 1, 0}, PictureKind::Cursor},
                      KindCase{"Gif87", {'G', 'I', 'F', '8', '7', 'a'}, PictureKind::Gif},
                      KindCase{"Gif89", {'G', 'I', 'F', '8', '9', 'a'}, PictureKind::Gif},
                      KindCase{"Gif88", {'G', 'I', 'F', '8', '8', 'a'}, PictureKind::Unknown},
                      KindCase{"Pcx8", {0x0A, 5, 1, 8, 0, 0}, PictureKind::Pcx8},
                      KindCase{"Pcx8Version6", {0x0A, 6, 1, 8, 0, 0}, PictureKind::Unknown},
                      KindCase{"Pcx1", {0x0A, 3, 1, 1, 0, 0}, PictureKind::Pcx1},
                      KindCase{"Pcx1Version5", {0x0A, 5, 1, 1, 0, 0}, PictureKind::Unknown},
                      KindCase{"FiveBytes", {'B', 'M', 0, 0, 0}, PictureKind::Unknown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodePicture, GivesNothingForShortOrUnknownBytes) {
  EXPECT_EQ(DecodePicture(Bytes{}).error(), DecodeError::UnknownFormat);
  EXPECT_EQ(DecodePicture(Bytes{'G', 'I', 'F', '8', '9'}).error(), DecodeError::UnknownFormat);
  EXPECT_EQ(DecodePicture(Bytes{'h', 'e', 'l', 'l', 'o', '!', '!'}).error(), DecodeError::UnknownFormat);
}

// Each format's decoder answers for itself, through the table.
TEST(DecodePicture, PassesOnTheReasonOfTheFormatsDecoder) {
  testing::GifFile noImages;
  noImages.screenWidth = noImages.screenHeight = 2;
  noImages.globalTable = {0, 0xFFFFFF};
  EXPECT_EQ(DecodePicture(testing::EncodeGif(noImages)).error(), DecodeError::NoImage);
  Bytes compressed = testing::EncodeBmpTrueColour(2, 1, {1, 2}, 24);
  compressed[30] = 1;
  EXPECT_EQ(DecodePicture(compressed).error(), DecodeError::Unsupported);
  const Bytes icon = testing::EncodeIconContainer({{.width = 4, .height = 4, .pixels = std::vector<std::uint32_t>(16),
                                                    .transparent = std::vector<bool>(16)}},
                                                  2);
  EXPECT_EQ(DecodePicture(Bytes(icon.begin(), icon.end() - 8)).error(), DecodeError::Truncated);
  EXPECT_TRUE(DecodePicture(icon));
}

TEST(DecodeError, EveryReasonHasATextOfItsOwn) {
  std::set<std::string> texts;
  for (int i = 0; i <= static_cast<int>(DecodeError::NoImage); ++i) {
    const std::string text = DecodeErrorText(static_cast<DecodeError>(i));
    EXPECT_FALSE(text.empty()) << i;
    EXPECT_TRUE(texts.insert(text).second) << "reason " << i << " repeats \"" << text << "\"";
  }
  EXPECT_EQ(Decoded<int>(DecodeError::None).error(), DecodeError::Malformed) << "a failure always has a reason";
}

TEST(PictureToBitmap, PutsTheFirstGifImageOnABlackLogicalScreen) {
  testing::GifFile file;
  file.screenWidth = 4;
  file.screenHeight = 3;
  file.globalTable = {0x000000, 0x00FF00};
  file.minimumCodeSize = 2;
  testing::GifFrame frame;
  frame.left = 1;
  frame.top = 1;
  frame.width = 5;  // runs off the screen's right edge
  frame.height = 1;
  frame.indices.assign(5, 1);
  frame.transparentIndex = 1;  // not applied by the picture service
  file.frames = {frame};
  auto bitmap = PictureToBitmap(testing::EncodeGif(file));
  ASSERT_TRUE(bitmap);
  ASSERT_EQ(bitmap->width, 4);
  ASSERT_EQ(bitmap->height, 3);
  const std::uint32_t g = 0x00FF00;
  EXPECT_EQ(bitmap->pixels, (std::vector<std::uint32_t>{0, 0, 0, 0, 0, g, g, g, 0, 0, 0, 0}));
}

Bitmap Filled(int width, int height, std::uint32_t pixel) {
  return Bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, pixel)};
}

// A 2 × 1 BMP: red, green.
PictureRecord RedGreen() { return *DecodePicture(testing::EncodeBmpTrueColour(2, 1, {0xFF0000, 0x00FF00}, 24)); }

TEST(DrawPicture, StretchesByNearestNeighbour) {
  Bitmap target = Filled(5, 3, 0x123456);
  DrawPicture(target, RedGreen(), 1, 1, 4, 2, kRopSourceCopy);
  const std::uint32_t r = 0xFF0000, g = 0x00FF00, o = 0x123456;
  EXPECT_EQ(target.pixels, (std::vector<std::uint32_t>{o, o, o, o, o,  //
                                                       o, r, r, g, g,  //
                                                       o, r, r, g, g}));
}

TEST(DrawPicture, MinusOneTakesThePicturesOwnSizeAndClipsAtTheEdges) {
  Bitmap target = Filled(2, 1, 0);
  DrawPicture(target, RedGreen(), -1, 0, -1, -1, kRopSourceCopy);
  EXPECT_EQ(target.pixels, (std::vector<std::uint32_t>{0x00FF00, 0}));
}

TEST(DrawPicture, TransparentColourLeavesTheTargetUnchanged) {
  Bitmap target = Filled(2, 1, 0x123456);
  // Red is 0x0000FF as a colour value; -c selects it as transparent.
  DrawPicture(target, RedGreen(), 0, 0, -1, -1, -0x0000FF);
  EXPECT_EQ(target.pixels, (std::vector<std::uint32_t>{0x123456, 0x00FF00}));
}

TEST(DrawPicture, CombinesWithTheRasterOperation) {
  Bitmap target = Filled(2, 1, 0xF0F0F0);
  DrawPicture(target, RedGreen(), 0, 0, -1, -1, kRopSourceAnd);
  EXPECT_EQ(target.pixels, (std::vector<std::uint32_t>{0xF00000, 0x00F000}));
  DrawPicture(target, RedGreen(), 0, 0, -1, -1, kRopSourceInvert);
  EXPECT_EQ(target.pixels, (std::vector<std::uint32_t>{0x0F0000, 0x000F00}));
}

TEST(DrawPicture, BlendsIconsByTheirMask) {
  testing::IconImage image;
  image.width = image.height = 2;
  image.colourCount = 16;
  image.pixels = {0, 0xFF0000, 0xFF0000, 0};
  image.transparent = {true, false, false, true};
  auto record = DecodePicture(testing::EncodeIconContainer({image}, 1));
  ASSERT_TRUE(record);
  Bitmap target = Filled(2, 2, 0x0000FF);
  DrawPicture(target, *record, 0, 0, -1, -1, kRopSourceCopy);
  EXPECT_EQ(target.pixels, (std::vector<std::uint32_t>{0x0000FF, 0xFF0000, 0xFF0000, 0x0000FF}));
}

TEST(RegionFromBitmap, IsEmptyForABitmapOfThatOneColour) {
  auto region = RegionFromBitmap(Filled(7, 5, 0x00FF00), 0x00FF00);
  ASSERT_TRUE(region);
  EXPECT_TRUE(region->empty());
  EXPECT_FALSE(RegionFromBitmap(Bitmap{}, 0));
}

TEST(RegionFromBitmap, GathersRunsPerRowFromTheTop) {
  const std::uint32_t k = 0xFF00FF, x = 0x000001;
  Bitmap bitmap{4, 2, {x, k, x, x,  //
                       k, k, k, x}};
  auto region = RegionFromBitmap(bitmap, PixelFromColour(k));
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects, (std::vector<RegionRect>{{0, 0, 1, 1}, {2, 0, 4, 1}, {3, 1, 4, 2}}));
}

TEST(RegionFromBitmap, KeepsEveryRunPastTheBlockSize) {
  // A chequered 100 × 50 bitmap has 2500 runs: more than one block.
  Bitmap bitmap = Filled(100, 50, 0);
  for (int y = 0; y < 50; ++y)
    for (int x = (y & 1); x < 100; x += 2) bitmap.at(x, y) = 0xFFFFFF;
  auto region = RegionFromBitmap(bitmap, 0);
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects.size(), 2500u);
  EXPECT_TRUE(region->contains(99, 49) == (bitmap.at(99, 49) != 0));
  EXPECT_TRUE(region->contains(0, 1) == (bitmap.at(0, 1) != 0));
}

TEST(RegionFromPictureBytes, DecodesThenCuts) {
  auto region = RegionFromPictureBytes(testing::EncodeBmpTrueColour(2, 1, {0xFF0000, 0x00FF00}, 24), 0x00FF00);
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects, (std::vector<RegionRect>{{0, 0, 1, 1}}));
  EXPECT_FALSE(RegionFromPictureBytes(Bytes{1, 2, 3}, 0));
}

}  // namespace
}  // namespace horavia::anim
