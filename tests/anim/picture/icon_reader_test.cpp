#include "anim/picture/icon_reader.h"

#include <gtest/gtest.h>

#include "anim/picture/picture.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::IconImage;

IconImage Square(int size, int colourCount, std::uint32_t colour) {
  IconImage image;
  image.width = image.height = size;
  image.colourCount = colourCount;
  image.pixels.assign(static_cast<std::size_t>(size) * size, colour);
  image.transparent.assign(image.pixels.size(), false);
  return image;
}

TEST(IconReader, ChoosesTheFirst32PixelEntryWithSixteenColours) {
  auto bytes = testing::EncodeIconContainer({Square(16, 16, 0x111111), Square(32, 16, 0x222222), Square(32, 16, 0x333333)}, 1);
  EXPECT_EQ(ChooseIconEntry(bytes), 1);
  auto record = DecodePicture(bytes);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->kind, PictureKind::Icon);
  EXPECT_EQ(record->width, 32);
  EXPECT_EQ(record->icon->pixels[0], 0x222222u);
}

TEST(IconReader, FallsBackToTheLastEntry) {
  auto bytes = testing::EncodeIconContainer({Square(48, 16, 0x111111), Square(16, 16, 0x222222)}, 1);
  EXPECT_EQ(ChooseIconEntry(bytes), 1);
  // A 32-pixel entry with a colour count of 0 (256 or more) does not
  // qualify either.
  EXPECT_EQ(ChooseIconEntry(testing::EncodeIconContainer({Square(32, 0, 1), Square(16, 16, 2)}, 1)), 1);
}

TEST(IconReader, MaskedPixelsBecomeWhiteOnTheBitmap) {
  IconImage image = Square(2, 16, 0x00FF00);
  image.transparent = {true, false, false, true};
  image.pixels[0] = image.pixels[3] = 0;  // masked pixels carry black, as icon editors write them
  auto bitmap = PictureToBitmap(testing::EncodeIconContainer({image}, 1));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0x00FF00, 0x00FF00, 0xFFFFFF}));
}

TEST(IconReader, ReadsPngEntriesWithTheirAlpha) {
  IconImage image = Square(3, 16, 0x123456);
  image.asPng = true;
  image.transparent = {false, true, false, false, false, false, false, false, true};
  auto icon = ReadIconContainer(testing::EncodeIconContainer({image}, 1));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->width, 3);
  EXPECT_EQ(icon->opacity[0], 255);
  EXPECT_EQ(icon->opacity[1], 0);
  EXPECT_EQ(icon->pixels[4], 0x123456u);
}

TEST(IconReader, CursorsKeepTheirHotSpot) {
  IconImage image = Square(32, 16, 0xABCDEF);
  image.hotX = 5;
  image.hotY = 9;
  auto record = DecodePicture(testing::EncodeIconContainer({image}, 2));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->kind, PictureKind::Cursor);
  EXPECT_TRUE(record->icon->cursor);
  EXPECT_EQ(record->icon->hotX, 5);
  EXPECT_EQ(record->icon->hotY, 9);
}

TEST(IconReader, RejectsEntriesOutsideTheFile) {
  auto bytes = testing::EncodeIconContainer({Square(16, 16, 1)}, 1);
  ASSERT_TRUE(ReadIconContainer(bytes));
  auto cut = bytes;
  cut.pop_back();
  EXPECT_EQ(ReadIconContainer(cut).error(), DecodeError::Truncated);
  auto farOffset = bytes;
  farOffset[6 + 12 + 3] = 0x7F;  // offset 0x7F0000xx
  EXPECT_EQ(ReadIconContainer(farOffset).error(), DecodeError::Truncated);
  auto tooManyEntries = bytes;
  tooManyEntries[4] = 200;
  EXPECT_EQ(ReadIconContainer(tooManyEntries).error(), DecodeError::Truncated);
  auto notAnIcon = bytes;
  notAnIcon[2] = 3;  // type 3 is neither icon nor cursor
  EXPECT_EQ(ReadIconContainer(notAnIcon).error(), DecodeError::UnknownFormat);
}

}  // namespace
}  // namespace horavia::anim
