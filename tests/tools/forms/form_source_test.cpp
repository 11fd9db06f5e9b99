#include "tools/forms/form_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/text_codec.h"
#include "ui/controls/stored_data.h"
#include "ui/forms/window_data.h"

namespace horavia::tools {
namespace {

// A handler list of three names, so offsets are easy to check.
std::int32_t testHandler(std::string_view name) {
  if (name == "first") return 0;
  if (name == "second") return 1;
  if (name == "third") return 2;
  return -1;
}

SourceContext testContext() {
  SourceContext context;
  context.handlerOffset = testHandler;
  context.values = standardResolver(".");
  return context;
}

struct Compiled {
  bool ok = false;
  std::vector<ui::Form> forms;
  std::string error;
};

Compiled compile(std::string_view source) {
  Compiled c;
  c.ok = compileFormSource(source, testContext(), c.forms, c.error);
  return c;
}

constexpr std::string_view kSmallForm = R"(
# a comment line
form 0x52010007
reserved 3 0x19010001
window 0x06010000
  rect 1 2 3 4
  flags visible
  on 0 second
  data border 4        # trailing comment
  data title "标题 \"q\""
menu 0x26010001
  level 0
  flags hidden checked
  shortcut 19
  caption "菜单"
  handler first
unit 0x16010002 CheckBox 选择框1
  rect 10 20 30 40
  flags visible tabstop
  tab 7
  parent 0x16010003
  cursor 0x7F89
  tag "t"
  on 0 third
  on -3 none
  data caption "开"
  data checked 1
unit 0x16010003 PicBox 图片框
  children 0x16010002 0
  nodata
)";

TEST(FormSource, CompilesEveryStatement) {
  const Compiled c = compile(kSmallForm);
  ASSERT_TRUE(c.ok) << c.error;
  ASSERT_EQ(c.forms.size(), 1u);
  const ui::Form& form = c.forms[0];
  EXPECT_EQ(form.id, 0x52010007u);
  EXPECT_EQ(form.reservedA, 3u);
  EXPECT_EQ(form.reservedB, 0x19010001u);
  ASSERT_EQ(form.units.size(), 4u);

  const ui::Unit& window = form.units[0];
  EXPECT_EQ(window.type, ui::unit_type::kWindow);
  EXPECT_EQ(window.width, 3);
  EXPECT_EQ(window.findBinding(0)->handlerOffset, 1);
  ui::WindowData data;
  ASSERT_EQ(ui::readWindowData(window.typeData, data), base::StoredStatus::Ok);
  EXPECT_EQ(data.border, 4);
  EXPECT_EQ(data.title, platform::Utf8ToCp936("标题 \"q\""));
  EXPECT_EQ(data.escCloses, 1);  // not named: the default

  const ui::Unit& menu = form.units[1];
  EXPECT_EQ(menu.menu.flags, ui::menu_flags::kHidden | ui::menu_flags::kChecked);
  EXPECT_EQ(menu.menu.shortcut, 19u);
  EXPECT_EQ(menu.menu.caption, platform::Utf8ToCp936("菜单"));
  EXPECT_EQ(menu.menu.handlerOffset, 0);  // the first handler is offset 0, not "none"

  const ui::Unit& box = form.units[2];
  EXPECT_EQ(box.name, platform::Utf8ToCp936("选择框1"));
  EXPECT_EQ(box.flags, ui::unit_flags::kVisible | ui::unit_flags::kTabStop);
  EXPECT_EQ(box.tabOrder, 7);
  EXPECT_EQ(box.parent, 0x16010003u);
  EXPECT_EQ(box.mousePointerKind(), 0x7F89);
  EXPECT_EQ(box.tag, "t");
  EXPECT_EQ(box.findBinding(0)->handlerOffset, 2);
  EXPECT_EQ(box.findBinding(-3)->handlerOffset, ui::kNoHandler);
  ui::CheckBoxData check;
  ASSERT_EQ(ui::readCheckBoxData(box.typeData, check), base::StoredStatus::Ok);
  EXPECT_EQ(check.checked, 1);
  EXPECT_EQ(check.caption, platform::Utf8ToCp936("开"));

  const ui::Unit& pic = form.units[3];
  EXPECT_TRUE(pic.typeData.empty());
  EXPECT_EQ(pic.children, (std::vector<std::uint32_t>{0x16010002, 0}));
}

TEST(FormSource, UnitsWithoutDataLinesStoreTheirDefaults) {
  const Compiled c = compile("form 0x52010001\nwindow 0x06010000\nunit 0x16010001 SliderBar s\n");
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.forms[0].units[1].typeData, ui::writeSliderBarData(ui::SliderBarData{}));
  ui::WindowData defaults;
  EXPECT_EQ(c.forms[0].units[0].typeData, ui::writeWindowData(defaults));
}

TEST(FormSource, BlobsComeFromHexOrAreEmpty) {
  const Compiled c = compile(
      "form 0x52010001\nwindow 0x06010000\n"
      "unit 0x16010001 PicBox p\n  data picture hex:474946\n"
      "unit 0x16010002 PicBox q\n  data picture \"\"\n");
  ASSERT_TRUE(c.ok) << c.error;
  ui::PicBoxData p, q;
  ASSERT_EQ(ui::readPicBoxData(c.forms[0].units[1].typeData, p), base::StoredStatus::Ok);
  EXPECT_EQ(p.picture, (base::Bytes{'G', 'I', 'F'}));
  ASSERT_EQ(ui::readPicBoxData(c.forms[0].units[2].typeData, q), base::StoredStatus::Ok);
  EXPECT_TRUE(q.picture.empty());
}

TEST(FormSource, ReadsAssetFilesBesideTheSourceAndListsThem) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("horavia-forms-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "pics");
  std::ofstream(folder / "pics" / "a.gif", std::ios::binary) << "GIF89a";
  std::vector<std::string> filesRead;
  SourceContext context = testContext();
  context.values = standardResolver(folder.string(), &filesRead);
  std::vector<ui::Form> forms;
  std::string error;
  const bool ok = compileFormSource(
      "form 0x52010001\nwindow 0x06010000\n  data backgroundPicture file:pics/a.gif\n", context, forms, error);
  std::filesystem::remove_all(folder);
  ASSERT_TRUE(ok) << error;
  ui::WindowData data;
  ASSERT_EQ(ui::readWindowData(forms[0].units[0].typeData, data), base::StoredStatus::Ok);
  EXPECT_EQ(data.backgroundPicture, (base::Bytes{'G', 'I', 'F', '8', '9', 'a'}));
  ASSERT_EQ(filesRead.size(), 1u);
  EXPECT_EQ(std::filesystem::path(filesRead[0]).filename(), "a.gif");
}

TEST(FormSource, ReadsGeneratedPicturesFromTheAssetFolder) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("horavia-assets-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "sources");
  std::filesystem::create_directories(root / "generated");
  std::ofstream(root / "generated" / "chime.gif", std::ios::binary) << "GIF89a";
  std::vector<std::string> filesRead;
  SourceContext context = testContext();
  context.values = standardResolver((root / "sources").string(), &filesRead, (root / "generated").string());
  std::vector<ui::Form> forms;
  std::string error;
  const bool ok = compileFormSource(
      "form 0x52010001\nwindow 0x06010000\nunit 0x16010001 PicBox p\n  data picture asset:chime.gif\n", context,
      forms, error);
  // The same name as a file: value looks beside the source, where it is not.
  std::string fileError;
  std::vector<ui::Form> unused;
  const bool besideSource = compileFormSource(
      "form 0x52010001\nwindow 0x06010000\nunit 0x16010001 PicBox p\n  data picture file:chime.gif\n", context,
      unused, fileError);
  std::filesystem::remove_all(root);
  ASSERT_TRUE(ok) << error;
  ui::PicBoxData data;
  ASSERT_EQ(ui::readPicBoxData(forms[0].units[1].typeData, data), ui::StoredStatus::Ok);
  EXPECT_EQ(data.picture, (ui::Bytes{'G', 'I', 'F', '8', '9', 'a'}));
  // The build's depfile lists the generated picture, so a new drawing
  // rebuilds the block.
  ASSERT_EQ(filesRead.size(), 1u);
  EXPECT_EQ(std::filesystem::path(filesRead[0]), root / "generated" / "chime.gif");
  EXPECT_FALSE(besideSource);
  EXPECT_NE(fileError.find("cannot read chime.gif"), std::string::npos) << fileError;
}

struct BadSource {
  const char* what;
  const char* source;
  const char* errorPart;  // a piece the message must contain
};

void PrintTo(const BadSource& bad, std::ostream* os) { *os << bad.what; }

class FormSourceErrors : public ::testing::TestWithParam<BadSource> {};

TEST_P(FormSourceErrors, NameTheLineAndTheFault) {
  const Compiled c = compile(GetParam().source);
  EXPECT_FALSE(c.ok);
  EXPECT_NE(c.error.find(GetParam().errorPart), std::string::npos) << "have: " << c.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormSourceErrors,
    ::testing::Values(
        BadSource{"unknown handler", "form 0x52010001\nwindow 0x06010000\n  on 0 fourth\n", "line 3: no handler called fourth"},
        BadSource{"unknown data key", "form 0x52010001\nwindow 0x06010000\n  data colour 1\n", "line 3: no field colour"},
        BadSource{"text for a number", "form 0x52010001\nwindow 0x06010000\n  data border \"4\"\n", "border wants an integer"},
        BadSource{"number for a text", "form 0x52010001\nwindow 0x06010000\n  data title 4\n", "title wants a quoted text"},
        BadSource{"bad blob", "form 0x52010001\nwindow 0x06010000\n  data icon hex:4\n", "hex: wants pairs"},
        BadSource{"missing file", "form 0x52010001\nwindow 0x06010000\n  data icon file:no/such.ico\n", "cannot read no/such.ico"},
        BadSource{"asset without an asset folder", "form 0x52010001\nwindow 0x06010000\n  data icon asset:a.ico\n",
                  "asset: needs the asset folder"},
        BadSource{"text outside code page 936", "form 0x52010001\nwindow 0x06010000\n  data title \"\xF0\x9F\x98\x80\"\n",
                  "code page 936"},
        BadSource{"duplicate unit id", "form 0x52010001\nwindow 0x06010000\nunit 0x16010001 Label a\nunit 0x16010001 Label b\n",
                  "line 4: a second unit with the same id"},
        BadSource{"unknown type", "form 0x52010001\nwindow 0x06010000\nunit 0x16010001 Slider s\n", "line 3: no unit type called Slider"},
        BadSource{"window not first", "form 0x52010001\nunit 0x16010001 Label a\n", "line 2: the window unit is the first"},
        BadSource{"menu id on a unit", "form 0x52010001\nwindow 0x06010000\nunit 0x26010001 Label a\n", "only they"},
        BadSource{"invalid form id", "form 0x16010001\n", "line 1: a form id is 0x52xxxxxx"},
        BadSource{"duplicate form id", "form 0x52010001\nwindow 0x06010000\nform 0x52010001\n", "line 3: a second form"},
        BadSource{"unit outside a form", "window 0x06010000\n", "line 1: a unit outside a form"},
        BadSource{"unterminated text", "form 0x52010001\nwindow 0x06010000\n  tag \"abc\n", "line 3: a text without"},
        BadSource{"data on a type without a record", "form 0x52010001\nwindow 0x06010000\nunit 0x16010001 DrawPanel d\n  data x 1\n",
                  "line 4: this unit type stores no data"},
        BadSource{"nodata with fields", "form 0x52010001\nwindow 0x06010000\nunit 0x16010001 PicBox p\n  nodata\n  data border 1\n",
                  "nodata names data fields"},
        BadSource{"menu statement on a unit", "form 0x52010001\nwindow 0x06010000\n  caption \"x\"\n", "not a unit statement"},
        BadSource{"twice the same event", "form 0x52010001\nwindow 0x06010000\n  on 0 first\n  on 0 second\n", "line 4: a second binding"}),
    [](const ::testing::TestParamInfo<BadSource>& info) {
      std::string name;
      for (char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(IntegerValues, AcceptDecimalHexAndNegativeWithinThirtyTwoBits) {
  EXPECT_EQ(parseInteger("42"), 42u);
  EXPECT_EQ(parseInteger("0x7F89"), 0x7F89u);
  EXPECT_EQ(parseInteger("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(parseInteger("-2147483648"), 0x80000000u);
  EXPECT_EQ(parseInteger("0xFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_FALSE(parseInteger("0x100000000"));
  EXPECT_FALSE(parseInteger("-2147483649"));
  EXPECT_FALSE(parseInteger(""));
  EXPECT_FALSE(parseInteger("12a"));
  EXPECT_FALSE(parseInteger("0x"));
}

}  // namespace
}  // namespace horavia::tools
