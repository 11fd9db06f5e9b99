// The box and template units in a loaded window: their tables, properties
// with clamps, stored data, painting and pointer events.
#include <QMouseEvent>
#include <QPainter>
#include <set>

#include "anim/cartoonbox/object_template.h"
#include "tests/ui/cartoon/cartoon_fixture.h"
#include "ui/units/logical_font.h"
#include "ui/units/property_values.h"

namespace horavia::ui::testing {
namespace {

using namespace property_kind;

TEST(CartoonTables, PropertyKindsSlotBySlot) {
  const std::int32_t boxKinds[21] = {kInteger, kInteger, kInteger, kInteger, kText, kBoolean, kBoolean,
                                     kPointer, kChoice, kColour, kPicture, kChoice, kChoice, kChoice,
                                     kInteger2, kValue, kChoice, kValue, kValue, kValue2, kFont};
  for (int i = 0; i < 21; ++i) EXPECT_EQ(kCartoonBoxProperties[i].kind, boxKinds[i]) << "box property " << i;
  const std::int32_t templateKinds[32] = {
      kInteger, kInteger, kInteger, kInteger, kText, kBoolean, kBoolean, kPointer,
      kText, kFont, kValue, kOtherFile2, kBoolean, kColour, kBoolean, kInteger2,
      kInteger2, kValue, kInteger2, kInteger2, kInteger2, kInteger2, kInteger2, kInteger2,
      kBoolean, kChoice, kInteger2, kSound, kSound, kBoolean, kSound, kInteger2};
  for (int i = 0; i < 32; ++i) EXPECT_EQ(kCartoonObjectProperties[i].kind, templateKinds[i]) << "template property " << i;
  EXPECT_STREQ(kCartoonBoxProperties[8].englishName, "border");
  EXPECT_STREQ(kCartoonObjectProperties[31].englishName, "type");
  EXPECT_STREQ(kCartoonBoxProperties[20].name, "\xd7\xd6\xcc\xe5");  // "字体" in code page 936
}

// [the box] ------------------------------------------------------------------------

TEST_F(CartoonTest, BoxStartsFromItsStoredDataAndClampsWhatIsWritten) {
  box.border = 2;
  box.penWidth = 7;
  Load();
  EXPECT_EQ(Read(kBoxId, 8), 2u);
  EXPECT_EQ(BoxUnit().clientRect(), QRect(3, 3, 114, 94));
  EXPECT_EQ(Read(kBoxId, 14), 7u);
  const std::pair<int, std::pair<int, std::uint32_t>> writes[] = {
      {8, {9, 5}}, {11, {7, 3}}, {11, {-3, 0}}, {12, {9, 6}}, {13, {20, 15}}, {14, {40000, 32767}},
      {14, {-1, 0}}, {16, {99, 55}}, {15, {0x123456, 0x123456}}, {19, {0x7F000000, 0x7F000000}}};
  for (const auto& [property, value] : writes) {
    Write(kBoxId, property, value.first);
    EXPECT_EQ(Read(kBoxId, property), value.second) << "property " << property << " written " << value.first;
  }
  EXPECT_EQ(BoxUnit().clientRect(), QRect(1, 1, 118, 98));  // border 5: one pixel

  anim::CartoonBoxData back;
  ASSERT_EQ(anim::readCartoonBoxData(BoxUnit().writeBack(), back), anim::StoredStatus::Ok);
  EXPECT_EQ(back.border, 5);
  EXPECT_EQ(back.brushStyle, 55);
  EXPECT_EQ(back.textBackColor, 0x7F000000u);
}

TEST_F(CartoonTest, FontReadsAsTheDefaultUntilOneIsWritten) {
  Load();
  const QFont defaultFont = QFontFromUnitFont(DefaultGuiFont());
  EXPECT_EQ(Read(kBoxId, 20, font_facet::kBold), 0u);
  engine().writeProperty(kForm, kBoxId, 20, font_facet::kBold, 1, 0);
  EXPECT_EQ(Read(kBoxId, 20, font_facet::kBold), 1u);
  anim::CartoonBoxData back;
  anim::readCartoonBoxData(BoxUnit().writeBack(), back);
  ASSERT_EQ(back.font.size(), kLogicalFontSize);
  const std::optional<UnitFont> stored = UnitFontFromRecord(back.font);
  EXPECT_EQ(stored->weight, 700);
  EXPECT_EQ(QFontFromUnitFont(*stored).pixelSize(), defaultFont.pixelSize());
}

TEST_F(CartoonTest, NewerStoredDataCreatesNoBox) {
  Load();
  std::vector<std::uint8_t> newer = anim::writeCartoonBoxData({});
  newer[0] = 3;
  UnitCreateParams params;
  params.typeData = newer;
  EXPECT_EQ(CartoonBoxUnit::Create(params), nullptr);
  newer = anim::writeCartoonObjectData({});
  newer[0] = 4;
  params.typeData = newer;
  EXPECT_EQ(CartoonObjectUnit::Create(params), nullptr);
}

TEST_F(CartoonTest, PaintsBackgroundPictureAndObjectsInsideTheBorder) {
  box.border = 3;
  box.pic = SolidBmp(10, 10, 0x00FF00);
  box.backColor = 0x0000FF;  // red as 0x00BBGGRR
  Load();
  const std::int32_t id = Call(ui::box_command::kCreateObject, {BoxRef(), Ref(kHandId, runtime::unit_type::kCartoonObject),
                                                                 Int(30), Int(40)}).asInt32();
  ASSERT_EQ(id, 1);
  const QImage shot = BoxUnit().grab().toImage();
  EXPECT_EQ(shot.pixelColor(1 + 5, 1 + 5), QColor(0, 255, 0));   // the picture at the top left
  EXPECT_EQ(shot.pixelColor(1 + 50, 1 + 5), QColor(255, 0, 0));  // the colour beside it
  EXPECT_EQ(shot.pixelColor(1 + 35, 1 + 45), QColor(255, 0, 0)); // the hand: red, 20 × 10 at (30, 40)
  EXPECT_EQ(shot.pixelColor(1 + 35, 1 + 52), QColor(255, 0, 0)); // the colour below it
  Write(kBoxId, 9, static_cast<std::int32_t>(anim::kDefaultColour));
  const QImage plain = BoxUnit().grab().toImage();
  EXPECT_EQ(plain.pixelColor(1 + 50, 1 + 5), BoxUnit().palette().color(QPalette::Button));
}

// Whoever shows the box elsewhere hears of every repaint the box asks for,
// and of nothing while the box stands still.
TEST_F(CartoonTest, TheRepaintListenerHearsEveryRepaintTheBoxAsksFor) {
  Load();
  int repaints = 0;
  BoxUnit().setRepaintListener([&repaints] { ++repaints; });
  const std::int32_t id = Call(ui::box_command::kCreateObject, {BoxRef(), Ref(kHandId, runtime::unit_type::kCartoonObject),
                                                                 Int(30), Int(40)}).asInt32();
  EXPECT_GE(repaints, 1);
  const int afterCreate = repaints;
  Call(ui::box_command::kSetObjectVisible, {BoxRef(), Int(id), runtime::ArgRecord::Bool(true)});  // already shown: no repaint
  EXPECT_EQ(repaints, afterCreate);
  Call(ui::box_command::kSetObjectVisible, {BoxRef(), Int(id), runtime::ArgRecord::Bool(false)});
  EXPECT_GT(repaints, afterCreate);
  BoxUnit().setRepaintListener({});
  Call(ui::box_command::kSetObjectVisible, {BoxRef(), Int(id), runtime::ArgRecord::Bool(true)});
}

// [events] ---------------------------------------------------------------------------

void Send(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(at), w.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

TEST_F(CartoonTest, PointerEventsReachTheBoundSubroutinesWithTheirArguments) {
  Load();
  const std::int32_t id = Call(ui::box_command::kCreateObject, {BoxRef(), Ref(kHandId, runtime::unit_type::kCartoonObject),
                                                                 Int(10), Int(10)}).asInt32();
  CartoonBoxUnit& unit = BoxUnit();
  Send(unit, QEvent::MouseMove, {15, 15}, Qt::NoButton, Qt::NoButton);
  Send(unit, QEvent::MouseButtonPress, {15, 15}, Qt::LeftButton, Qt::LeftButton);
  Send(unit, QEvent::MouseMove, {80, 80}, Qt::NoButton, Qt::LeftButton);
  Send(unit, QEvent::MouseButtonRelease, {80, 80}, Qt::LeftButton, Qt::NoButton);
  Send(unit, QEvent::MouseButtonDblClick, {15, 15}, Qt::LeftButton, Qt::LeftButton);
  const auto uid = static_cast<std::uint32_t>(id);
  std::vector<std::pair<int, std::vector<std::uint32_t>>> got;
  for (const HandlerCall& call : Calls()) {
    got.push_back({call.handler, call.args});
    EXPECT_EQ(call.source.unitId, kBoxId);
  }
  EXPECT_EQ(got, (std::vector<std::pair<int, std::vector<std::uint32_t>>>{
                     {3, {uid, 0}}, {0, {uid}}, {4, {uid, uid}}, {1, {0, uid}}, {2, {uid}}}));
  EXPECT_EQ(unit.window()->focusWidget(), &unit);  // a click gave the box the keyboard focus
}

TEST_F(CartoonTest, FalseFromTheMoveHandlerKeepsTheObjectInPlace) {
  Load();
  Results()[5] = SubroutineResult::Bool(false);
  const std::int32_t id = Call(ui::box_command::kCreateObject, {BoxRef(), Ref(kHandId, runtime::unit_type::kCartoonObject),
                                                                 Int(10), Int(10)}).asInt32();
  Call(ui::box_command::kSetObjectAngle, {BoxRef(), Int(id), Int(90)});
  EXPECT_EQ(BoxUnit().box().find(id)->rect(), (anim::BoxRect{10, 10, 10, 20}));
  Results()[5] = SubroutineResult::Bool(true);
  Call(ui::box_command::kSetObjectAngle, {BoxRef(), Int(id), Int(0)});
  EXPECT_EQ(BoxUnit().box().find(id)->rect(), (anim::BoxRect{5, 15, 20, 10}));
}

// [templates] -------------------------------------------------------------------------

TEST_F(CartoonTest, TemplateClampsWhatIsWrittenAndRebuildsItsPicture) {
  Load();
  const std::pair<int, std::pair<int, std::int32_t>> writes[] = {
      {15, {-1, 0}},    {18, {150, 100}}, {18, {-5, 0}},   {20, {101, 100}}, {21, {-1, 0}},
      {23, {400, 360}}, {23, {-400, -360}}, {25, {7, 3}}, {26, {-1, 0}},  {19, {-40, -40}}, {31, {-9, -9}}};
  for (const auto& [property, value] : writes) {
    Write(kHandId, property, value.first);
    EXPECT_EQ(static_cast<std::int32_t>(Read(kHandId, property)), value.second) << "property " << property;
  }
  const anim::ObjectTemplate& t = Template(kHandId).objectTemplate();
  EXPECT_FALSE(t.picture.image.usable()) << "a template keeps its picture's bytes, not decoded frames";
  EXPECT_EQ(t.picture.Pixels().width, 20);
  Write(kHandId, 12, 1);  // AutoGetTransColor: the top-left red becomes the key
  EXPECT_EQ(t.picture.Pixels().frames[0].keyColour, 0x0000FFu);
  Write(kHandId, 12, 0);
  Write(kHandId, 13, 0x00FF00);
  EXPECT_EQ(t.picture.Pixels().frames[0].keyColour, 0x00FF00u);
}

TEST_F(CartoonTest, TextTemplateDrawsChineseInTwoColours) {
  Load();
  const anim::FrameImage& image = Template(kTextId).objectTemplate().picture.image;
  ASSERT_TRUE(image.usable());
  EXPECT_GT(image.width, image.height);  // two characters side by side
  std::set<std::uint32_t> colours(image.frames[0].pixels.begin(), image.frames[0].pixels.end());
  EXPECT_EQ(colours, (std::set<std::uint32_t>{0x00FFFFFF, 0x00FF0000}));  // white key, red text
  EXPECT_EQ(image.frames[0].keyColour, 0x00FFFFFFu);
}

TEST_F(CartoonTest, TextTemplateDrawsInItsOwnFont) {
  text.font = RecordFromUnitFont(UnitFont{0, 400, false, false, false, -40, ""});
  Load();
  const anim::FrameImage& image = Template(kTextId).objectTemplate().picture.image;
  ASSERT_TRUE(image.usable());
  EXPECT_GE(image.height, 40);  // the default GUI font is far smaller
}

TEST_F(CartoonTest, TemplateSaysWhichPropertiesApply) {
  Load();
  const auto applies = reinterpret_cast<PropertyAppliesFunction>(
      runtime::Runtime().typeRecord(runtime::unit_type::kCartoonObject)->interface(kQueryPropertyApplies));
  namespace t = anim::template_property;
  QWidget* hand = Widget(kForm, kHandId);  // a picture, no text
  EXPECT_FALSE(applies(hand, t::kText));
  EXPECT_FALSE(applies(hand, t::kFont));
  EXPECT_TRUE(applies(hand, t::kPlayGif));
  EXPECT_TRUE(applies(hand, t::kTransparentColor));
  EXPECT_FALSE(applies(hand, t::kCollidedSound));
  QWidget* text = Widget(kForm, kTextId);
  EXPECT_TRUE(applies(text, t::kFont));
  EXPECT_FALSE(applies(text, t::kPicture));
  EXPECT_FALSE(applies(text, t::kGifDelay));
  const auto boxApplies = reinterpret_cast<PropertyAppliesFunction>(
      runtime::Runtime().typeRecord(runtime::unit_type::kCartoonBox)->interface(kQueryPropertyApplies));
  EXPECT_FALSE(boxApplies(&BoxUnit(), anim::box_property::kPicDrawMode));
}

TEST_F(CartoonTest, TextConversionReachesTheTextAndTheFontFace) {
  Load();
  text.font = RecordFromUnitFont(UnitFont{0, 400, false, false, false, -12, "Old"});
  const auto convert = reinterpret_cast<ConvertTextsFunction>(
      runtime::Runtime().typeRecord(runtime::unit_type::kCartoonObject)->interface(kQueryConvertTexts));
  const std::vector<std::uint8_t> out =
      convert(anim::writeCartoonObjectData(text), [](const std::string& s) { return "<" + s + ">"; });
  anim::CartoonObjectData back;
  ASSERT_EQ(anim::readCartoonObjectData(out, back), anim::StoredStatus::Ok);
  EXPECT_EQ(back.text, "<" + text.text + ">");
  EXPECT_EQ(UnitFontFromRecord(back.font)->face, "<Old>");
  EXPECT_EQ(UnitFontFromRecord(back.font)->height, -12);
}

}  // namespace
}  // namespace horavia::ui::testing
