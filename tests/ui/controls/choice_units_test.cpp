// The units whose event 0 the application relies on: a check box, a combo
// box, a list box and a slider raise it for the user's actions only, and the
// property the application reads is the control's own at that moment.
#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>

#include "platform/text_codec.h"
#include "runtime/values.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/stored_data.h"

namespace horavia::ui::testing {
namespace {

using ChoiceUnitsTest = ControlsTest;

std::string Cp(const char* utf8) { return platform::Utf8ToCp936(utf8); }

// [CheckBox] -------------------------------------------------------------------

TEST_F(ChoiceUnitsTest, ACheckMarkSetByCodeRaisesNothingAndAClickRaisesEventZero) {
  auto* box = LoadOne<QAbstractButton>(unit_type::kCheckBox, writeCheckBoxData(CheckBoxData{}));
  ASSERT_NE(box, nullptr);
  WriteNumber(18, 1);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(EventZeroCount(), 0);

  std::int64_t seen = -1;
  Actions()[0] = [&] { seen = ReadNumber(18); };
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_EQ(EventZeroCount(), 1);
  EXPECT_EQ(seen, 0);  // the handler reads the state the click left
  EXPECT_FALSE(box->isChecked());
}

TEST_F(ChoiceUnitsTest, TheSettingsWindowsCheckBoxShowsItsStoredCaptionUnchecked) {
  CheckBoxData data;
  data.caption = Cp("开机自动运行时钟");
  auto* box = LoadOne<QAbstractButton>(unit_type::kCheckBox, writeCheckBoxData(data));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QString::fromUtf8("开机自动运行时钟"));
  EXPECT_EQ(ReadText(11), data.caption);
  EXPECT_EQ(ReadNumber(18), 0);
}

// [ComboBox] -------------------------------------------------------------------

class ComboBoxTest : public ControlsTest {
 protected:
  QComboBox* LoadList() {
    ComboBoxData data;
    data.style = 2;  // a drop-down list, as the settings window's
    return LoadOne<QComboBox>(unit_type::kComboBox, writeComboBoxData(data));
  }
  std::int32_t Add(const char* text, std::int32_t itemData) {
    return engine().addListItem(kControlsForm, kUnitId, runtime::unit_type::kComboBox, text, itemData);
  }
};

TEST_F(ComboBoxTest, FillingAndSelectingFromCodeRaiseNothingAndLeaveNoSelection) {
  QComboBox* box = LoadList();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Add("first", 0), 0);
  EXPECT_EQ(Add("second", 7), 1);
  EXPECT_EQ(box->itemData(1).toInt(), 7);
  EXPECT_EQ(ReadNumber(19), -1);  // adding an item selects nothing
  WriteNumber(19, 1);
  EXPECT_EQ(box->currentIndex(), 1);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(EventZeroCount(), 0);
}

TEST_F(ComboBoxTest, AUsersChoiceRaisesEventZeroOnceWhenItsMessageArrives) {
  QComboBox* box = LoadList();
  ASSERT_NE(box, nullptr);
  for (const char* item : {"a", "b", "c"}) Add(item, 0);
  WriteNumber(19, 0);
  std::int64_t seen = -1;
  Actions()[0] = [&] { seen = ReadNumber(19); };
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(EventZeroCount(), 0);  // posted, not yet delivered
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(EventZeroCount(), 1);
  EXPECT_EQ(seen, 1);
}

TEST_F(ComboBoxTest, StoredItemsAreSortedWhenAskedAndWrittenBack) {
  ComboBoxData data;
  data.sorted = 1;
  data.items = "b\r\nC\r\na";
  auto* box = LoadOne<QComboBox>(unit_type::kComboBox, writeComboBoxData(data));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->currentIndex(), -1);
  EXPECT_EQ(ReadText(13), "a\r\nb\r\nC");
  EXPECT_EQ(Add("B", 0), 2);  // after the equal "b", before "C"
}

// [ListBox] --------------------------------------------------------------------

class ListBoxTest : public ControlsTest {
 protected:
  QListWidget* LoadFilled() {
    auto* list = LoadOne<QListWidget>(unit_type::kListBox, {});  // no stored data, as the skin list
    for (const char* item : {"blue", "green", "red"}) {
      engine().addListItem(kControlsForm, kUnitId, runtime::unit_type::kListBox, item, 0);
    }
    return list;
  }
  QPoint CentreOf(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }
};

TEST_F(ListBoxTest, FillingAndSelectingFromCodeRaiseNothing) {
  QListWidget* list = LoadFilled();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ReadNumber(16), -1);
  WriteNumber(16, 2);
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_EQ(ReadNumber(16), 2);
  WriteNumber(16, -1);
  EXPECT_EQ(ReadNumber(16), -1);
  EXPECT_EQ(EventZeroCount(), 0);
}

TEST_F(ListBoxTest, AUsersClickRaisesEventZeroOnceAndADoubleClickTheCommonEvent) {
  QListWidget* list = LoadFilled();
  ASSERT_NE(list, nullptr);
  std::int64_t seen = -1;
  Actions()[0] = [&] { seen = ReadNumber(16); };
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CentreOf(list, 1));
  EXPECT_EQ(EventZeroCount(), 1);
  EXPECT_EQ(seen, 1);
  Calls().clear();
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CentreOf(list, 1));
  EXPECT_EQ(EventZeroCount(), 0);  // the same item: the selection did not change
  const std::vector<int> called = CalledHandlers();
  EXPECT_EQ(std::count(called.begin(), called.end(), 1), 1);
}

// [SliderBar] ------------------------------------------------------------------

class SliderBarTest : public ControlsTest {
 protected:
  QSlider* LoadVolume() {
    SliderBarData data;  // as the settings window's volume slider
    data.minimum = 1;
    data.maximum = 100;
    data.position = 1;
    return LoadOne<QSlider>(unit_type::kSliderBar, writeSliderBarData(data));
  }
  // The centre of the thumb, as the style places it.
  static QPoint ThumbCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.subControls = QStyle::SC_All;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
  }
};

TEST_F(SliderBarTest, APositionSetByCodeRaisesNothing) {
  QSlider* slider = LoadVolume();
  ASSERT_NE(slider, nullptr);
  WriteNumber(19, 60);
  EXPECT_EQ(slider->value(), 60);
  WriteNumber(19, 500);  // limited to the range
  EXPECT_EQ(ReadNumber(19), 100);
  EXPECT_EQ(EventZeroCount(), 0);
}

TEST_F(SliderBarTest, KeysRaiseEventZeroWithThePositionAlreadyStored) {
  QSlider* slider = LoadVolume();
  ASSERT_NE(slider, nullptr);
  std::vector<std::int64_t> seen;
  Actions()[0] = [&] { seen.push_back(ReadNumber(19)); };
  QTest::keyClick(slider, Qt::Key_Right);
  QTest::keyClick(slider, Qt::Key_PageUp);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{2, 7}));
}

TEST_F(SliderBarTest, DraggingRaisesEventZeroForEachMoveAndNotForTheEndOfTheDrag) {
  QSlider* slider = LoadVolume();
  ASSERT_NE(slider, nullptr);
  std::vector<std::pair<std::int64_t, int>> seen;
  Actions()[0] = [&] { seen.emplace_back(ReadNumber(19), slider->sliderPosition()); };
  const QPoint start = ThumbCentre(slider);
  QTest::mousePress(slider, Qt::LeftButton, {}, start);
  EXPECT_TRUE(seen.empty());
  QTest::mouseMove(slider, start + QPoint(40, 0));
  QTest::mouseMove(slider, start + QPoint(80, 0));
  ASSERT_EQ(seen.size(), 2u);
  QTest::mouseRelease(slider, Qt::LeftButton, {}, start + QPoint(80, 0));
  ASSERT_EQ(seen.size(), 2u);
  for (auto [property, control] : seen) EXPECT_EQ(property, control);
  EXPECT_GT(seen[1].first, seen[0].first);
  EXPECT_EQ(ReadNumber(19), slider->value());
}

TEST_F(SliderBarTest, TurningTheBarReCreatesItKeepingItsPosition) {
  QSlider* slider = LoadVolume();
  ASSERT_NE(slider, nullptr);
  WriteNumber(19, 30);
  WriteNumber(9, 1);
  auto* turned = dynamic_cast<QSlider*>(Widget(kControlsForm, kUnitId));
  ASSERT_NE(turned, nullptr);
  EXPECT_EQ(turned->orientation(), Qt::Vertical);
  EXPECT_EQ(turned->value(), 30);
  EXPECT_EQ(turned->maximum(), 100);
  WriteNumber(15, 0);  // page size below its range: 1
  EXPECT_EQ(ReadNumber(15), 1);
  EXPECT_EQ(turned->pageStep(), 1);
}

}  // namespace
}  // namespace horavia::ui::testing
