#include "anim/cartoonbox/stored_data.h"

#include <gtest/gtest.h>

#include "base/bytes.h"
#include "tests/base/test_bytes.h"

namespace horavia::anim {
namespace {

using base::test::TestBytes;

TEST(CartoonBoxData, VersionOneKeepsPenAndBrushDefaults) {
  TestBytes b;
  b.dws({1, 3, 0x00FF00, 2});  // version, border, BackColor, PicDrawMode
  b.counted("GIF");            // pic
  CartoonBoxData data;
  ASSERT_EQ(readCartoonBoxData(b.bytes, data), StoredStatus::Ok);
  EXPECT_EQ(data.border, 3);
  EXPECT_EQ(data.backColor, 0x00FF00u);
  EXPECT_EQ(data.picDrawMode, 2);
  EXPECT_EQ(data.pic, (Bytes{'G', 'I', 'F'}));
  EXPECT_EQ(data.penStyle, 1);
  EXPECT_EQ(data.drawRop2, 12);
  EXPECT_EQ(data.brushColor, 0xFFFFFFu);
  EXPECT_EQ(data.textBackColor, kDefaultColour);
}

TEST(CartoonBoxData, VersionTwoPutsTheFontBeforeThePicture) {
  CartoonBoxData data;
  data.font = Bytes(60, 7);
  data.pic = {9};
  const Bytes bytes = writeCartoonBoxData(data);
  // version, 3 + 8 integers, font blob, pic blob.
  ASSERT_EQ(bytes.size(), 4u + 11 * 4 + (4 + 60) + (4 + 1));
  base::ByteReader in(bytes);
  EXPECT_EQ(in.u32(), 2u);
  in.skip(11 * 4);
  EXPECT_EQ(in.countedBlock().size(), 60u);
  EXPECT_EQ(in.countedBlock(), (Bytes{9}));
}

TEST(CartoonBoxData, EmptyGivesDefaultsAndVersionThreeIsRefused) {
  CartoonBoxData data;
  data.border = 5;
  ASSERT_EQ(readCartoonBoxData({}, data), StoredStatus::Ok);
  EXPECT_EQ(data.border, 0);
  TestBytes b;
  b.dw(3);
  EXPECT_EQ(readCartoonBoxData(b.bytes, data), StoredStatus::UnsupportedVersion);
}

TEST(CartoonObjectData, VersionOneHasNeitherTypeNorTurnType) {
  TestBytes b;
  b.dw(1);                                    // version
  b.dws({0x112233, 1, 0xFF000000, 40, 500});  // TextColor, AutoGetTransColor, TransparentColor, alpha, zoom
  b.dws({1, 20, 8, 0xFFFFFF, 0, 0});          // PlayGIF, GIFDelay, GIFAutoDestroy, TrendColor, TrendDepth, light
  b.dws({2, 90, 1, 3000, 0});                 // layer, angle, RotateFollow, ExistTime, CollideAllowed
  b.counted("hi");                            // text
  b.counted("").counted("P").counted("").counted("").counted("");  // font, picture, three sounds
  CartoonObjectData data;
  data.turnType = 2;
  ASSERT_EQ(readCartoonObjectData(b.bytes, data), StoredStatus::Ok);
  EXPECT_EQ(data.textColor, 0x112233u);
  EXPECT_EQ(data.alpha, 40);
  EXPECT_EQ(data.zoom, 500);
  EXPECT_EQ(data.gifAutoDestroy, 8);
  EXPECT_EQ(data.angle, 90);
  EXPECT_EQ(data.rotateFollow, 1);
  EXPECT_EQ(data.existTime, 3000);
  EXPECT_EQ(data.type, 0);
  EXPECT_EQ(data.turnType, 0);
  EXPECT_EQ(data.text, "hi");
  EXPECT_EQ(data.picture, (Bytes{'P'}));
}

TEST(CartoonObjectData, VersionThreeCarriesTypeThenTurnType) {
  CartoonObjectData data;
  data.type = 77;
  data.turnType = 3;
  const Bytes bytes = writeCartoonObjectData(data);
  base::ByteReader in(bytes);
  EXPECT_EQ(in.u32(), 3u);
  in.skip(16 * 4);
  EXPECT_EQ(in.i32(), 77);
  EXPECT_EQ(in.i32(), 3);
  CartoonObjectData back;
  ASSERT_EQ(readCartoonObjectData(bytes, back), StoredStatus::Ok);
  EXPECT_EQ(writeCartoonObjectData(back), bytes);
}

TEST(CartoonObjectData, EmptyGivesDefaultsAndTruncationFails) {
  CartoonObjectData data;
  ASSERT_EQ(readCartoonObjectData({}, data), StoredStatus::Ok);
  EXPECT_EQ(data.zoom, 1000);
  EXPECT_EQ(data.trendColor, 0xFFFFFFu);
  const Bytes bytes = writeCartoonObjectData(CartoonObjectData{});
  for (std::size_t length = 1; length < bytes.size(); ++length) {
    EXPECT_EQ(readCartoonObjectData(std::span(bytes).first(length), data), StoredStatus::Truncated) << length;
  }
}

}  // namespace
}  // namespace horavia::anim
