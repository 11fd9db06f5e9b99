// The program's own windows, from the form block the build embeds, with the
// real simple units: every simple unit is built from its stored data (the
// animation box and its objects are other units).
#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QSlider>

#include "app/forms/form_block.h"
#include "platform/text_codec.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/pic_box.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kStartForm = 0x52010001;
constexpr std::uint32_t kSettingsForm = 0x5201009E;

class ProgramWindowsTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    StartWithBlock({app::kFormBlock, app::kFormBlockSize});
  }
  template <class W>
  W* Named(std::uint32_t formId, const char* utf8Name) {
    for (const Unit& u : *engine().unitsOf(formId)) {
      if (u.name == platform::Utf8ToCp936(utf8Name)) return dynamic_cast<W*>(static_cast<QWidget*>(u.window));
    }
    return nullptr;
  }
  static bool IsSimple(std::uint32_t type) {
    for (std::uint32_t t : {unit_type::kEditBox, unit_type::kPicBox, unit_type::kDrawPanel, unit_type::kLabel,
                            unit_type::kButton, unit_type::kCheckBox, unit_type::kComboBox, unit_type::kListBox,
                            unit_type::kSliderBar}) {
      if (t == type) return true;
    }
    return false;
  }
  // Every simple unit of the loaded form is live and shows as stored.
  void ExpectSimpleUnitsReal(std::uint32_t formId, int expected) {
    int seen = 0;
    for (const Unit& u : *engine().unitsOf(formId)) {
      if (!IsSimple(u.type)) continue;
      ++seen;
      auto* w = static_cast<QWidget*>(u.window);
      ASSERT_NE(w, nullptr) << u.id;
      EXPECT_EQ(w->isVisible(), u.visible()) << u.id;
    }
    EXPECT_EQ(seen, expected);
  }
};

TEST_F(ProgramWindowsTest, TheStartWindowsPictureBoxesAreRealHiddenStores) {
  ASSERT_TRUE(engine().loadStartWindow(kStartForm));
  ExpectSimpleUnitsReal(kStartForm, 2);
  auto* face = Named<controls::PicBoxUnit>(kStartForm, "图片框_表盘");
  ASSERT_NE(face, nullptr);
  EXPECT_FALSE(face->isVisible());
  EXPECT_EQ(face->geometry(), QRect(200, 232, 40, 32));
}

TEST_F(ProgramWindowsTest, TheSettingsWindowsUnitsShowTheirStoredData) {
  ASSERT_TRUE(engine().buildWindowFromForm(kSettingsForm, false, nullptr));
  ExpectSimpleUnitsReal(kSettingsForm, 16);

  auto* autostart = Named<QAbstractButton>(kSettingsForm, "选择框1");
  ASSERT_NE(autostart, nullptr);
  EXPECT_EQ(autostart->text(), QString::fromUtf8("开机自动运行时钟"));
  EXPECT_FALSE(autostart->isChecked());
  QFrame* deviceLabel = Named<QFrame>(kSettingsForm, "标签1");
  ASSERT_NE(deviceLabel, nullptr);
  EXPECT_EQ(deviceLabel->property("text").toString(), QString::fromUtf8("声音输出通道："));
  auto* devices = Named<QComboBox>(kSettingsForm, "组合框1");
  ASSERT_NE(devices, nullptr);
  EXPECT_FALSE(devices->isEditable());  // a drop-down list
  EXPECT_EQ(devices->count(), 0);
  auto* volume = Named<QSlider>(kSettingsForm, "滑块条1");
  ASSERT_NE(volume, nullptr);
  EXPECT_EQ(volume->minimum(), 1);
  EXPECT_EQ(volume->maximum(), 100);
  EXPECT_EQ(volume->value(), 1);
  EXPECT_EQ(volume->pageStep(), 5);
  auto* skins = Named<QListWidget>(kSettingsForm, "列表框1");
  ASSERT_NE(skins, nullptr);
  EXPECT_EQ(skins->count(), 0);
}

}  // namespace
}  // namespace horavia::ui::testing
