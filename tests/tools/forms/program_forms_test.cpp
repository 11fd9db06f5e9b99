// The program's own windows, compiled from app/forms as the build does, and
// the block the program embeds.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "anim/cartoonbox/stored_data.h"
#include "app/handler_names.h"
#include "platform/text_codec.h"
#include "tests/tools/forms/program_forms.h"
#include "tools/forms/form_source.h"
#include "ui/controls/stored_data.h"
#include "ui/forms/form_table.h"
#include "ui/forms/window_data.h"

namespace horavia::tools {

std::vector<ui::Form> compileProgramForms() {
  std::vector<ui::Form> forms;
  for (const char* file : {"start_window.form", "settings_window.form"}) {
    const std::string path = std::string(HORAVIA_FORM_SOURCE_DIR) + "/" + file;
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(text.empty()) << "cannot read " << file;
    SourceContext context;
    context.handlerOffset = [](std::string_view name) { return app::handlerOffset(name); };
    context.values = standardResolver(HORAVIA_FORM_SOURCE_DIR, nullptr, HORAVIA_ASSET_DIR);
    std::string error;
    EXPECT_TRUE(compileFormSource(text, context, forms, error)) << file << ": " << error;
  }
  return forms;
}

namespace {

using platform::Utf8ToCp936;
namespace t = ui::unit_type;

class ProgramForms : public ::testing::Test {
 protected:
  void SetUp() override {
    block_ = ui::writeFormBlock(compileProgramForms());
    ASSERT_TRUE(table_.loadFormBlock(block_, 0));
    start_ = table_.findForm(0x52010001);
    settings_ = table_.findForm(0x5201009E);
    ASSERT_NE(start_, nullptr);
    ASSERT_NE(settings_, nullptr);
  }
  static std::int32_t offsetOf(std::string_view name) { return app::handlerOffset(name); }

  base::Bytes block_;
  ui::FormTable table_;
  const ui::Form* start_ = nullptr;
  const ui::Form* settings_ = nullptr;
};

struct Entry {
  std::uint32_t id;
  std::uint32_t type;
  const char* name;  // UTF-8
  std::int32_t left, top, width, height;
  bool visible;
};

// The start window's table, entry by entry (menu items: id and type only).
const Entry kStartWindow[] = {
    {0x06010000, t::kWindow, "", 50, 50, 300, 300, true},
    {0x160106C5, t::kCartoonObject, "动画物体_结束2", 64, 176, 96, 64, false},
    {0x160106C4, t::kCartoonObject, "动画物体_结束1", 40, 24, 192, 110, false},
    {0x16010268, t::kPicBox, "图片框_转盘", 264, 232, 32, 32, false},
    {0x16010267, t::kPicBox, "图片框_表盘", 200, 232, 40, 32, false},
    {0x16010256, t::kCartoonObject, "动画物体_转盘", 8, 208, 26, 64, false},
    {0x16010207, t::kCartoonObject, "动画物体_选择针", 8, 8, 26, 64, false},
    {0x16010185, t::kCartoonObject, "动画物体_整点报时", 56, 96, 192, 110, false},
    {0x26010001, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010002, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010003, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010004, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010005, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010006, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010009, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x2601000A, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010007, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x26010008, t::kMenuItem, "", 0, 0, 0, 0, false},
    {0x1601000B, t::kCartoonObject, "动画物体_秒针", 264, 152, 26, 64, false},
    {0x1601000A, t::kCartoonObject, "动画物体_分针", 264, 80, 26, 64, false},
    {0x16010009, t::kCartoonObject, "动画物体_时针", 264, 8, 26, 64, false},
    {0x16010008, t::kCartoonBox, "动画框_背景", 0, 0, 300, 300, true},
};

TEST_F(ProgramForms, StartWindowHoldsItsTwentyTwoEntriesInOrder) {
  ASSERT_EQ(start_->units.size(), std::size(kStartWindow));
  for (std::size_t i = 0; i < std::size(kStartWindow); ++i) {
    const Entry& want = kStartWindow[i];
    const ui::Unit& have = start_->units[i];
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(have.id, want.id);
    EXPECT_EQ(have.type, want.type);
    if (have.isMenuItem()) continue;
    EXPECT_EQ(have.name, Utf8ToCp936(want.name));
    EXPECT_EQ(have.left, want.left);
    EXPECT_EQ(have.top, want.top);
    EXPECT_EQ(have.width, want.width);
    EXPECT_EQ(have.height, want.height);
    EXPECT_EQ(have.visible(), want.visible);
  }
  // The PicBoxes store nothing; the box is a Tab stop with the hand cursor.
  EXPECT_TRUE(start_->units[3].typeData.empty());
  EXPECT_TRUE(start_->units[4].typeData.empty());
  const ui::Unit& box = start_->units[21];
  EXPECT_TRUE(box.flags & ui::unit_flags::kTabStop);
  EXPECT_EQ(box.mousePointerKind(), 0x7F89);
}

TEST_F(ProgramForms, StartWindowBindsItsEvents) {
  EXPECT_EQ(start_->units[0].findBinding(0)->handlerOffset, offsetOf("onMainWindowCreated"));
  EXPECT_EQ(start_->units[0].findBinding(3)->handlerOffset, offsetOf("onMainWindowMoved"));
  const ui::Unit& box = start_->units[21];
  ASSERT_EQ(box.events.size(), 3u);
  EXPECT_EQ(box.findBinding(15)->handlerOffset, offsetOf("onClockTick"));
  EXPECT_EQ(box.findBinding(3)->handlerOffset, offsetOf("showPopupMenu"));
  EXPECT_EQ(box.findBinding(4)->handlerOffset, offsetOf("spinWheel"));
}

TEST_F(ProgramForms, StartWindowDataIsABorderlessTopmostSurface) {
  ui::WindowData data;
  ASSERT_EQ(ui::readWindowData(start_->units[0].typeData, data), base::StoredStatus::Ok);
  EXPECT_EQ(data.border, 0);
  EXPECT_EQ(data.title, "");
  EXPECT_TRUE(data.icon.empty());
  EXPECT_EQ(data.startPosition, 1);
  EXPECT_EQ(data.alwaysOnTop, 1);
  EXPECT_EQ(data.showInTaskbar, 0);
  EXPECT_EQ(data.dragAnywhere, 1);
  EXPECT_EQ(data.escCloses, 1);
}

TEST_F(ProgramForms, MenuRunIsTheHiddenTitleAndItsItems) {
  const ui::MenuRun run = ui::firstMenuRun(*start_);
  EXPECT_EQ(run.first, 8u);
  ASSERT_EQ(run.count, 10u);
  const ui::UnitTable& u = start_->units;
  EXPECT_EQ(u[8].menu.level, 0u);
  EXPECT_EQ(u[8].menu.flags, ui::menu_flags::kHidden);
  EXPECT_EQ(u[8].menu.caption, Utf8ToCp936("隐藏菜单"));
  EXPECT_FALSE(u[8].menu.handler.bound);

  struct Item {
    const char* caption;
    const char* handler;  // null: none
  };
  const Item items[] = {{"时钟", "showClock"},          {"开心转盘", "showWheel"},
                        {"转盘归零", "resetWheel"},     {"设置...(&S)", "openSettings"},
                        {"整点报时(&Z)", "toggleChime"}, {"鼠标穿透", "toggleClickThrough"},
                        {"显示秒针", "toggleSecondHand"}, {"-", nullptr},
                        {"退出(&X)", "exitProgram"}};
  for (std::size_t i = 0; i < std::size(items); ++i) {
    const ui::MenuItemFields& m = u[9 + i].menu;
    SCOPED_TRACE(items[i].caption);
    EXPECT_EQ(m.level, 1u);
    EXPECT_EQ(m.flags & ui::menu_flags::kHidden, 0u);
    EXPECT_EQ(m.caption, Utf8ToCp936(items[i].caption));
    EXPECT_EQ(m.handlerOffset, items[i].handler ? offsetOf(items[i].handler) : ui::kNoHandler);
  }
  // "设置...(&S)" is bound at offset 0 and stays bound after the fix-up.
  EXPECT_EQ(u[12].menu.handlerOffset, 0);
  EXPECT_TRUE(u[12].menu.handler.bound);
}

TEST_F(ProgramForms, TemplatesCarryTheirAnimationSettings) {
  anim::CartoonObjectData chime, end1, hour;
  ASSERT_EQ(anim::readCartoonObjectData(start_->units[7].typeData, chime), base::StoredStatus::Ok);
  // The chime carries the animation the build draws.
  ASSERT_GT(chime.picture.size(), 6u);
  EXPECT_EQ(std::string(chime.picture.begin(), chime.picture.begin() + 6), "GIF89a");
  EXPECT_EQ(chime.playGif, 1);
  EXPECT_EQ(chime.gifAutoDestroy, 1);
  EXPECT_EQ(chime.autoGetTransColor, 1);
  ASSERT_EQ(anim::readCartoonObjectData(start_->units[2].typeData, end1), base::StoredStatus::Ok);
  EXPECT_EQ(end1.playGif, 1);
  EXPECT_EQ(end1.autoGetTransColor, 1);
  for (std::size_t i : {5u, 6u, 18u, 19u, 20u}) {
    ASSERT_EQ(anim::readCartoonObjectData(start_->units[i].typeData, hour), base::StoredStatus::Ok) << i;
    EXPECT_EQ(hour.rotateFollow, 1) << i;
  }
}

TEST_F(ProgramForms, SettingsWindowHoldsItsUnitsAndData) {
  ui::WindowData data;
  ASSERT_EQ(ui::readWindowData(settings_->units[0].typeData, data), base::StoredStatus::Ok);
  EXPECT_EQ(settings_->units[0].width, 352);
  EXPECT_EQ(settings_->units[0].height, 398);
  EXPECT_EQ(data.border, 4);
  EXPECT_EQ(data.title, Utf8ToCp936("设置-娱乐转盘选择"));
  EXPECT_EQ(data.startPosition, 1);
  EXPECT_EQ(data.showInTaskbar, 1);
  EXPECT_EQ(data.alwaysOnTop, 1);
  EXPECT_EQ(data.escCloses, 1);
  EXPECT_EQ(settings_->units[0].findBinding(0)->handlerOffset, offsetOf("onSettingsWindowCreated"));
  EXPECT_EQ(ui::firstMenuRun(*settings_).count, 0u);

  auto unit = [&](const char* name) -> const ui::Unit& {
    for (const ui::Unit& u : settings_->units) {
      if (u.name == Utf8ToCp936(name)) return u;
    }
    ADD_FAILURE() << "no unit " << name;
    return settings_->units[0];
  };
  EXPECT_EQ(unit("列表框1").type, t::kListBox);
  EXPECT_TRUE(unit("列表框1").typeData.empty());
  EXPECT_EQ(unit("列表框1").findBinding(0)->handlerOffset, offsetOf("applySelectedSkin"));
  EXPECT_EQ(unit("列表框1").findBinding(-3)->handlerOffset, offsetOf("previewEndEffect"));

  ui::CheckBoxData check;
  EXPECT_EQ(unit("选择框1").typeData.size(), 72u);
  ASSERT_EQ(ui::readCheckBoxData(unit("选择框1").typeData, check), base::StoredStatus::Ok);
  EXPECT_EQ(check.caption, Utf8ToCp936("开机自动运行时钟"));
  EXPECT_EQ(unit("选择框1").findBinding(0)->handlerOffset, offsetOf("onAutostartClicked"));

  ui::LabelData label1, label2;
  ASSERT_EQ(ui::readLabelData(unit("标签1").typeData, label1), base::StoredStatus::Ok);
  ASSERT_EQ(ui::readLabelData(unit("标签2").typeData, label2), base::StoredStatus::Ok);
  EXPECT_EQ(label1.caption, Utf8ToCp936("声音输出通道："));
  EXPECT_EQ(label2.caption, Utf8ToCp936("音量："));

  EXPECT_EQ(unit("组合框1").type, t::kComboBox);
  EXPECT_EQ(unit("组合框1").findBinding(0)->handlerOffset, offsetOf("onDeviceSelected"));

  ui::SliderBarData slider;
  EXPECT_EQ(unit("滑块条1").typeData.size(), 52u);
  ASSERT_EQ(ui::readSliderBarData(unit("滑块条1").typeData, slider), base::StoredStatus::Ok);
  EXPECT_EQ(slider.minimum, 1);
  EXPECT_EQ(slider.maximum, 100);
  EXPECT_EQ(slider.tickMarks, 2);
  EXPECT_EQ(slider.pageSize, 5);
  EXPECT_EQ(slider.position, 1);
  EXPECT_EQ(unit("滑块条1").findBinding(0)->handlerOffset, offsetOf("onVolumeChanged"));

  // Local control: the check box, the overlay's address shown whole and
  // never typed, its copy button (off until there is an address), the note.
  ui::CheckBoxData control;
  ASSERT_EQ(ui::readCheckBoxData(unit("选择框2").typeData, control), base::StoredStatus::Ok);
  EXPECT_EQ(control.caption, Utf8ToCp936("允许本机控制"));
  EXPECT_EQ(unit("选择框2").findBinding(0)->handlerOffset, offsetOf("onLocalControlClicked"));
  ui::EditBoxData address;
  ASSERT_EQ(ui::readEditBoxData(unit("编辑框1").typeData, address), base::StoredStatus::Ok);
  EXPECT_EQ(address.readOnly, 1);
  EXPECT_EQ(address.multiLine, 1);
  ui::ButtonData copy;
  ASSERT_EQ(ui::readButtonData(unit("按钮1").typeData, copy), base::StoredStatus::Ok);
  EXPECT_EQ(copy.caption, Utf8ToCp936("复制"));
  EXPECT_NE(unit("按钮1").flags & ui::unit_flags::kDisabled, 0u);
  EXPECT_EQ(unit("按钮1").findBinding(0)->handlerOffset, offsetOf("copyOverlayAddress"));
  ui::LabelData addressLabel, note;
  ASSERT_EQ(ui::readLabelData(unit("标签3").typeData, addressLabel), base::StoredStatus::Ok);
  ASSERT_EQ(ui::readLabelData(unit("标签4").typeData, note), base::StoredStatus::Ok);
  EXPECT_EQ(addressLabel.caption, Utf8ToCp936("叠加层地址（浏览器源）："));
  EXPECT_EQ(note.caption, "");

  const ui::Unit& ok = unit("动画框1");
  EXPECT_EQ(ok.type, t::kCartoonBox);
  EXPECT_EQ(ok.findBinding(0)->handlerOffset, offsetOf("okButtonPress"));
  EXPECT_EQ(ok.findBinding(5)->handlerOffset, offsetOf("okButtonEnter"));
  EXPECT_EQ(ok.findBinding(6)->handlerOffset, offsetOf("okButtonLeave"));
  EXPECT_EQ(ok.findBinding(2)->handlerOffset, offsetOf("okButtonRelease"));
  EXPECT_EQ(unit("动画物体_确定").type, t::kCartoonObject);
  EXPECT_FALSE(unit("动画物体_确定").visible());
}

TEST_F(ProgramForms, SettingsUnitsFitTheClientAreaWithoutOverlapping) {
  // The client area of a 352 x 398 tool window is at least 340 x 364.
  const ui::UnitTable& u = settings_->units;
  for (std::size_t i = 1; i < u.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_GE(u[i].left, 0);
    EXPECT_GE(u[i].top, 0);
    EXPECT_LE(u[i].left + u[i].width, 340);
    // A combo box's height includes its drop-down list.
    if (u[i].type != t::kComboBox) {
      EXPECT_LE(u[i].top + u[i].height, 364);
    }
    for (std::size_t j = i + 1; j < u.size(); ++j) {
      if (!u[i].visible() || !u[j].visible() || u[i].type == t::kComboBox || u[j].type == t::kComboBox) continue;
      const bool apart = u[i].left + u[i].width <= u[j].left || u[j].left + u[j].width <= u[i].left ||
                         u[i].top + u[i].height <= u[j].top || u[j].top + u[j].height <= u[i].top;
      EXPECT_TRUE(apart) << "overlaps entry " << j;
    }
  }
}

TEST_F(ProgramForms, LoadRewriteAndCompileAgainGiveTheSameBytes) {
  EXPECT_EQ(ui::writeFormBlock(table_.forms()), block_);
  EXPECT_EQ(ui::writeFormBlock(compileProgramForms()), block_);
}

}  // namespace
}  // namespace horavia::tools
