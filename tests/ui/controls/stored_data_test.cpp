#include "ui/controls/stored_data.h"

#include <gtest/gtest.h>

#include "base/bytes.h"
#include "tests/base/test_bytes.h"

namespace horavia::ui {
namespace {

using base::test::TestBytes;

TEST(CheckBoxData, SettingsWindowBoxIsSeventyTwoBytes) {
  CheckBoxData data;
  data.caption = "\xBF\xAA\xBB\xFA\xD7\xD4\xB6\xAF\xD4\xCB\xD0\xD0\xCA\xB1\xD6\xD3";  // "开机自动运行时钟"
  const Bytes bytes = writeCheckBoxData(data);
  EXPECT_EQ(bytes.size(), 72u);
  base::ByteReader in(bytes);
  EXPECT_EQ(in.u32(), 2u);  // always written as version 2
}

TEST(CheckBoxData, VersionOneEndsAfterTheCaption) {
  TestBytes b;
  b.dw(1);                                  // version
  b.dws({1, 0, 1, 2, 0});                   // push-like, flat, text left, h-align right, v-align top
  b.dws({0x0000FF, 0xFF000000, 1});         // text colour, background, checked
  b.counted("").counted("");                // picture, font
  b.counted("Go");                          // caption
  CheckBoxData data;
  ASSERT_EQ(readCheckBoxData(b.bytes, data), StoredStatus::Ok);
  EXPECT_EQ(data.pushLike, 1);
  EXPECT_EQ(data.textOnLeft, 1);
  EXPECT_EQ(data.horizontalAlign, 2);
  EXPECT_EQ(data.verticalAlign, 0);
  EXPECT_EQ(data.textColour, 0x0000FFu);
  EXPECT_EQ(data.checked, 1);
  EXPECT_EQ(data.caption, "Go");
  EXPECT_EQ(data.extraText1, "");
  EXPECT_EQ(data.extraText2, "");
}

TEST(CheckBoxData, RefusesNewerVersionsAndMissingData) {
  TestBytes b;
  b.dw(3);
  CheckBoxData data;
  EXPECT_EQ(readCheckBoxData(b.bytes, data), StoredStatus::UnsupportedVersion);
  EXPECT_EQ(readCheckBoxData({}, data), StoredStatus::Truncated);
}

TEST(CheckBoxData, RejectsTruncationAtEveryByte) {
  const Bytes bytes = writeCheckBoxData(CheckBoxData{});
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    CheckBoxData data;
    EXPECT_EQ(readCheckBoxData(std::span(bytes).first(length), data), StoredStatus::Truncated) << length;
  }
}

TEST(SliderBarData, VolumeSliderIsFiftyTwoBytesInPropertyOrder) {
  SliderBarData data;
  data.maximum = 100;
  const Bytes bytes = writeSliderBarData(data);
  ASSERT_EQ(bytes.size(), 52u);
  base::ByteReader in(bytes);
  EXPECT_EQ(in.u32(), 1u);  // version
  const std::int32_t expected[12] = {0, 0, 2, 1, 0, 0, 0, 5, 1, 1, 100, 1};
  for (std::int32_t value : expected) EXPECT_EQ(in.i32(), value);
}

TEST(SliderBarData, ReadsVersionZeroAndRefusesVersionTwo) {
  TestBytes b;
  b.dw(0);
  b.dws({1, 1, 3, 4, 1, 2, 3, 10, 2, 0, 50, 7});  // properties 8-19
  SliderBarData data;
  ASSERT_EQ(readSliderBarData(b.bytes, data), StoredStatus::Ok);
  EXPECT_EQ(data.tickMarks, 3);
  EXPECT_EQ(data.pageSize, 10);
  EXPECT_EQ(data.minimum, 0);
  EXPECT_EQ(data.maximum, 50);
  EXPECT_EQ(data.position, 7);

  b.bytes[0] = 2;
  EXPECT_EQ(readSliderBarData(b.bytes, data), StoredStatus::UnsupportedVersion);
}

TEST(StoredControlData, EmptyListAndPictureBoxesStartAtDefaults) {
  ListBoxData list;
  list.sorted = 1;
  EXPECT_EQ(readListBoxData({}, list), StoredStatus::Ok);
  EXPECT_EQ(list.sorted, 0);
  EXPECT_EQ(list.border, 1);
  PicBoxData pic;
  pic.picture = {1};
  EXPECT_EQ(readPicBoxData({}, pic), StoredStatus::Ok);
  EXPECT_TRUE(pic.picture.empty());
  // Units that always carry data do not accept none.
  LabelData label;
  EXPECT_EQ(readLabelData({}, label), StoredStatus::Truncated);
}

// What a unit writes back, it reads again unchanged; one byte less is never
// a whole record.
template <class Data>
void expectRoundTrip(StoredStatus (*read)(std::span<const std::uint8_t>, Data&), Bytes (*write)(const Data&)) {
  const Bytes first = write(Data{});
  Data data;
  ASSERT_EQ(read(first, data), StoredStatus::Ok);
  EXPECT_EQ(write(data), first);
  EXPECT_EQ(read(std::span(first).first(first.size() - 1), data), StoredStatus::Truncated);
}

TEST(StoredControlData, EveryTypeWritesBackWhatItReads) {
  expectRoundTrip(readCheckBoxData, writeCheckBoxData);
  expectRoundTrip(readSliderBarData, writeSliderBarData);
  expectRoundTrip(readLabelData, writeLabelData);
  expectRoundTrip(readButtonData, writeButtonData);
  expectRoundTrip(readComboBoxData, writeComboBoxData);
  expectRoundTrip(readListBoxData, writeListBoxData);
  expectRoundTrip(readPicBoxData, writePicBoxData);
  expectRoundTrip(readEditBoxData, writeEditBoxData);
  expectRoundTrip(readDrawPanelData, writeDrawPanelData);
}

TEST(StoredControlData, AVersionOnePictureBoxPlaysAsTheDefaultsSay) {
  TestBytes b;
  b.dw(1);                        // version
  b.dws({2, 1, 0x00FF00});        // border, placement, background colour
  b.counted("GIF");               // picture
  PicBoxData pic;
  ASSERT_EQ(readPicBoxData(b.bytes, pic), StoredStatus::Ok);
  EXPECT_EQ(pic.drawMode, 1);
  EXPECT_EQ(pic.keepBackground, 1);
  EXPECT_EQ(pic.autoPlay, 1);
  const Bytes bytes = writePicBoxData(pic);
  base::ByteReader written(bytes);
  EXPECT_EQ(written.u32(), 2u);   // written back at version 2
}

}  // namespace
}  // namespace horavia::ui
