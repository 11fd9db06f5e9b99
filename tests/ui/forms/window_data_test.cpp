#include "ui/forms/window_data.h"

#include <gtest/gtest.h>

#include "base/bytes.h"
#include "tests/base/test_bytes.h"

namespace horavia::ui {
namespace {

using base::test::TestBytes;

// Fields 2-14 of any version: border 0, picture mode 3, colour 0x123456,
// maximize 1, minimize 1, control box 0, centred, not closable, music once,
// Enter moves focus, Esc does not close, F1 help, help context 9.
TestBytes commonFields(std::uint32_t version) {
  TestBytes b;
  b.dw(version);
  b.dws({0, 3, 0x123456, 1, 1, 0, 1, 0, 1, 1, 0, 1, 9});
  return b;
}

TEST(WindowData, VersionTwoTakesDefaultsForLaterFields) {
  TestBytes b = commonFields(2);
  b.dw(0);                             // shown in taskbar: off (version 2 field)
  b.counted("").counted("");           // background picture, icon
  b.counted("").counted("Title");      // music, title
  b.counted("");                       // help file
  WindowData data;
  data.dragAnywhere = 7;  // must be reset to the default, not kept
  ASSERT_EQ(readWindowData(b.bytes, data), StoredStatus::Ok);
  EXPECT_EQ(data.border, 0);
  EXPECT_EQ(data.pictureMode, 3);
  EXPECT_EQ(data.backColour, 0x123456u);
  EXPECT_EQ(data.escCloses, 0);
  EXPECT_EQ(data.helpContext, 9);
  EXPECT_EQ(data.showInTaskbar, 0);
  EXPECT_EQ(data.title, "Title");
  // Absent in version 2:
  EXPECT_EQ(data.dragAnywhere, 0);
  EXPECT_EQ(data.shape, 0);
  EXPECT_EQ(data.alwaysOnTop, 0);
  EXPECT_EQ(data.keepCaptionActive, 0);
  EXPECT_EQ(data.className, "");
}

TEST(WindowData, VersionZeroIsShownInTheTaskbar) {
  TestBytes b = commonFields(0);
  b.counted("").counted("").counted("").counted("").counted("");  // blobs and texts
  WindowData data;
  ASSERT_EQ(readWindowData(b.bytes, data), StoredStatus::Ok);
  EXPECT_EQ(data.showInTaskbar, 1);
  EXPECT_EQ(data.f1OpensHelp, 1);
}

TEST(WindowData, RefusesVersionsAboveSix) {
  TestBytes b = commonFields(7);
  WindowData data;
  EXPECT_EQ(readWindowData(b.bytes, data), StoredStatus::UnsupportedVersion);
}

TEST(WindowData, WritesVersionSixWithEveryField) {
  WindowData data;
  data.border = 4;
  data.alwaysOnTop = 1;
  data.keepCaptionActive = 1;
  data.className = "Cls";
  data.icon = {1, 2, 3};
  data.title = "T";
  const Bytes bytes = writeWindowData(data);
  // version, 18 integers, class name, three blobs, two texts.
  EXPECT_EQ(bytes.size(), 4u + 18 * 4 + (4 + 3) + (4 + 0) + (4 + 3) + (4 + 0) + (4 + 1) + 4);
  base::ByteReader in(bytes);
  EXPECT_EQ(in.u32(), 6u);

  WindowData back;
  ASSERT_EQ(readWindowData(bytes, back), StoredStatus::Ok);
  EXPECT_EQ(back.border, 4);
  EXPECT_EQ(back.alwaysOnTop, 1);
  EXPECT_EQ(back.keepCaptionActive, 1);
  EXPECT_EQ(back.className, "Cls");
  EXPECT_EQ(back.icon, (Bytes{1, 2, 3}));
  EXPECT_EQ(back.title, "T");
  EXPECT_EQ(writeWindowData(back), bytes);
}

TEST(WindowData, RejectsTruncationAtEveryByte) {
  WindowData data;
  data.title = "abc";
  data.helpFile = "h";
  const Bytes bytes = writeWindowData(data);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    WindowData back;
    EXPECT_EQ(readWindowData(std::span(bytes).first(length), back), StoredStatus::Truncated) << length;
  }
}

}  // namespace
}  // namespace horavia::ui
