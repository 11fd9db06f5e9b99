// Stored data and property tables of the simple units: one record and one
// table per type. The table is the one description of the type's
// properties: its rows give the stored layout (read when the unit is
// created, written back in the same layout when it re-creates itself, and
// written by the form compiler from the form sources), the runtime's
// property table, and the unit's reading and writing of each property.
//
// Index
//   [choices]    the numbered values of the choice fields
//   [CheckBox]   fixed layout, versions 0-2
//   [SliderBar]  fixed layout, versions 0-1
//   [Label] [Button] [ComboBox] [ListBox] [PicBox] [DrawPanel] [EditBox]
//                layouts of this runtime: a version dword, then the fields
//   [files]      readers and writers
//
// Texts are code-page-936 bytes; colours 0x00BBGGRR with 0xFF000000 for the
// default; a font is a 60-byte logical font record or empty for the default
// GUI font; pictures are picture file images. Item lists hold one item per
// line, separated by "\r\n".
//
// Each type's hook names what its unit does when a property changes beyond
// storing it (ui/controls/<type>.cpp); None stores only.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "anim/gifplayer/placement.h"
#include "base/property_rows.h"
#include "base/stored_fields.h"
#include "ui/forms/window_data.h"

namespace horavia::ui {

using base::Bytes;
using base::StoredStatus;

namespace controls_table {
using namespace base::property_kind;
using base::AtLeast;
using base::Between;
using base::Field;
using base::kAsGiven;
using base::kNotStored;
using base::Live;
using base::MakePropertyTable;
inline constexpr std::int32_t kMaxValue = 32767;  // a slider's numbers
}  // namespace controls_table

// [choices] -------------------------------------------------------------------

// Where a caption sits along one axis; other stored numbers count as End.
enum class Alignment : std::int32_t { Start = 0, Centre = 1, End = 2 };
// The frame round a label, picture box or draw panel (list and edit boxes
// know the first two).
enum class BorderStyle : std::int32_t { None = 0, Sunken = 1, Raised = 2, SingleLine = 3 };
// The slider's frames.
enum class EdgeStyle : std::int32_t { None = 0, Sunken = 1, Raised = 2, ShallowSunken = 3, Framed = 4, SingleLine = 5 };
enum class ButtonStyle : std::int32_t { Push = 0, DefaultPush = 1 };
enum class ComboStyle : std::int32_t { DropDown = 0, Simple = 1, DropDownList = 2 };
enum class Orientation : std::int32_t { Horizontal = 0, Vertical = 1 };
enum class TickMarks : std::int32_t { None = 0, Above = 1, Below = 2, Both = 3 };
enum class ScrollBars : std::int32_t { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

// [CheckBox] ------------------------------------------------------------------

struct CheckBoxData {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  std::int32_t pushLike = 0;
  std::int32_t flat = 0;
  std::int32_t textOnLeft = 0;
  base::Choice<Alignment> horizontalAlign = Alignment::Start;
  base::Choice<Alignment> verticalAlign = Alignment::Centre;
  std::uint32_t textColour = 0;
  std::uint32_t backColour = base::kDefaultColour;
  std::int32_t checked = 0;
  Bytes picture;  // shown instead of the caption
  Bytes font;
  std::string caption = "\xD1\xA1\xD4\xF1\xBF\xF2";  // "选择框"
  std::string extraText1;
  std::string extraText2;

  template <class V>
  void visitFields(V& v);
};

enum class CheckBoxHook { None, Redraw, Caption, Picture, Font, Checked };

inline constexpr auto kCheckBoxProperties = [] {
  using namespace controls_table;
  using D = CheckBoxData;
  using H = CheckBoxHook;
  return MakePropertyTable<D, 21>(
      // No.    name               kind      member               since clamp          hook
      Field(9,  "pushLike",        kBoolean, &D::pushLike,        0,    kAsGiven,      H::Redraw),
      Field(10, "flat",            kBoolean, &D::flat,            0,    kAsGiven,      H::Redraw),
      Field(12, "textOnLeft",      kBoolean, &D::textOnLeft,      0,    kAsGiven,      H::Redraw),
      Field(13, "horizontalAlign", kChoice,  &D::horizontalAlign, 0,    Between(0, 2), H::Redraw),
      Field(14, "verticalAlign",   kChoice,  &D::verticalAlign,   0,    Between(0, 2), H::Redraw),
      Field(15, "textColour",      kColour,  &D::textColour,      0,    kAsGiven,      H::Redraw),
      Field(16, "backColour",      kColour,  &D::backColour,      0,    kAsGiven,      H::Redraw),
      // Checked exactly when the control reports its check state as on.
      Live(18,  "checked",    kBoolean, &D::checked,    0,    kAsGiven, H::Checked),
      Field(8,  "picture",    kPicture, &D::picture,    0,    kAsGiven, H::Picture),
      Field(17, "font",       kFont,    &D::font,       0,    kAsGiven, H::Font),
      Field(11, "caption",    kText,    &D::caption,    0,    kAsGiven, H::Caption),
      Field(19, "extraText1", kText,    &D::extraText1, 2,    kAsGiven, H::None),
      Field(20, "extraText2", kText,    &D::extraText2, 2,    kAsGiven, H::None));
}();

// [SliderBar] -----------------------------------------------------------------

// Twelve integers, each one property (8-19).
struct SliderBarData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  base::Choice<EdgeStyle> border = EdgeStyle::None;
  base::Choice<Orientation> orientation = Orientation::Horizontal;
  base::Choice<TickMarks> tickMarks = TickMarks::Below;
  std::int32_t tickFrequency = 1;
  std::int32_t selectionShown = 0;
  std::int32_t selectionStart = 0;
  std::int32_t selectionLength = 0;
  std::int32_t pageSize = 5;
  std::int32_t lineSize = 1;
  std::int32_t minimum = 1;
  std::int32_t maximum = 10;
  std::int32_t position = 1;

  template <class V>
  void visitFields(V& v);
};

// Orientation, tick marks and the selection's display change the kind of
// control the unit is: the engine re-creates it (Recreate).
enum class SliderBarHook { None, Redraw, Recreate, Steps, Range, Position };

inline constexpr auto kSliderBarProperties = [] {
  using namespace controls_table;
  using D = SliderBarData;
  using H = SliderBarHook;
  return MakePropertyTable<D, 20>(
      // No.    name               kind      member               since clamp                  hook
      Field(8,  "border",          kChoice,  &D::border,          0,    Between(0, 5),         H::Redraw),
      Field(9,  "orientation",     kChoice,  &D::orientation,     0,    Between(0, 1),         H::Recreate),
      Field(10, "tickMarks",       kChoice,  &D::tickMarks,       0,    Between(0, 3),         H::Recreate),
      Field(11, "tickFrequency",   kInteger, &D::tickFrequency,   0,    Between(0, kMaxValue), H::Steps),
      Field(12, "selectionShown",  kBoolean, &D::selectionShown,  0,    kAsGiven,              H::Recreate),
      Field(13, "selectionStart",  kInteger, &D::selectionStart,  0,    Between(0, kMaxValue), H::Redraw),
      Field(14, "selectionLength", kInteger, &D::selectionLength, 0,    Between(0, kMaxValue), H::Redraw),
      Field(15, "pageSize",        kInteger, &D::pageSize,        0,    Between(1, kMaxValue), H::Steps),
      Field(16, "lineSize",        kInteger, &D::lineSize,        0,    Between(1, kMaxValue), H::Steps),
      Field(17, "minimum",         kInteger, &D::minimum,         0,    Between(0, kMaxValue), H::Range),
      Field(18, "maximum",         kInteger, &D::maximum,         0,    Between(0, kMaxValue), H::Range),
      Live(19,  "position",        kInteger, &D::position,        0,    Between(0, kMaxValue), H::Position));
}();

// [Label] ---------------------------------------------------------------------

// Numbers 17-28 are not used by this runtime's labels.
struct LabelData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::string caption = "\xB1\xEA\xC7\xA9";  // "标签"
  std::uint32_t textColour = 0;
  std::uint32_t backColour = base::kDefaultColour;
  base::Choice<Alignment> horizontalAlign = Alignment::Start;
  base::Choice<Alignment> verticalAlign = Alignment::Start;
  base::Choice<BorderStyle> border = BorderStyle::None;
  std::int32_t wordWrap = 1;
  std::int32_t transparent = 0;  // draws nothing behind the text
  Bytes font;

  template <class V>
  void visitFields(V& v);
};

enum class LabelHook { None, Redraw, Caption, Border, Font };

inline constexpr auto kLabelProperties = [] {
  using namespace controls_table;
  using D = LabelData;
  using H = LabelHook;
  return MakePropertyTable<D, 29>(
      // No.    name               kind      member               since clamp          hook
      Field(8,  "caption",         kText,    &D::caption,         0,    kAsGiven,      H::Caption),
      Field(9,  "textColour",      kColour,  &D::textColour,      0,    kAsGiven,      H::Redraw),
      Field(10, "backColour",      kColour,  &D::backColour,      0,    kAsGiven,      H::Redraw),
      Field(11, "horizontalAlign", kChoice,  &D::horizontalAlign, 0,    Between(0, 2), H::Redraw),
      Field(12, "verticalAlign",   kChoice,  &D::verticalAlign,   0,    Between(0, 2), H::Redraw),
      Field(13, "border",          kChoice,  &D::border,          0,    Between(0, 3), H::Border),
      Field(14, "wordWrap",        kBoolean, &D::wordWrap,        0,    kAsGiven,      H::Redraw),
      Field(15, "transparent",     kBoolean, &D::transparent,     0,    kAsGiven,      H::Redraw),
      Field(16, "font",            kFont,    &D::font,            0,    kAsGiven,      H::Font));
}();

// [Button] --------------------------------------------------------------------

struct ButtonData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  base::Choice<ButtonStyle> style = ButtonStyle::Push;
  base::Choice<Alignment> horizontalAlign = Alignment::Centre;
  base::Choice<Alignment> verticalAlign = Alignment::Centre;
  Bytes picture;
  Bytes font;
  std::string caption = "\xB0\xB4\xC5\xA5";  // "按钮"

  template <class V>
  void visitFields(V& v);
};

enum class ButtonHook { None, Redraw, Caption, Style, Picture, Font };

inline constexpr auto kButtonProperties = [] {
  using namespace controls_table;
  using D = ButtonData;
  using H = ButtonHook;
  return MakePropertyTable<D, 14>(
      // No.    name               kind      member               since clamp          hook
      Field(9,  "style",           kChoice,  &D::style,           0,    Between(0, 1), H::Style),
      Field(11, "horizontalAlign", kChoice,  &D::horizontalAlign, 0,    Between(0, 2), H::Redraw),
      Field(12, "verticalAlign",   kChoice,  &D::verticalAlign,   0,    Between(0, 2), H::Redraw),
      Field(10, "picture",         kPicture, &D::picture,         0,    kAsGiven,      H::Picture),
      Field(13, "font",            kFont,    &D::font,            0,    kAsGiven,      H::Font),
      Field(8,  "caption",         kText,    &D::caption,         0,    kAsGiven,      H::Caption));
}();

// [ComboBox] ------------------------------------------------------------------

// Numbers 16-18 and 20-24 are not used by this runtime's combo boxes.
struct ComboBoxData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  base::Choice<ComboStyle> style = ComboStyle::DropDown;
  std::int32_t sorted = 0;
  std::int32_t maxLength = 0;  // of the edit text, 0 = no limit
  std::uint32_t textColour = 0;
  std::uint32_t backColour = base::kDefaultColour;
  std::string items;
  Bytes font;
  std::string text;  // the edit text

  template <class V>
  void visitFields(V& v);
};

enum class ComboBoxHook { None, Style, Sort, Look, Items, Text, Selection };

inline constexpr auto kComboBoxProperties = [] {
  using namespace controls_table;
  using D = ComboBoxData;
  using H = ComboBoxHook;
  return MakePropertyTable<D, 25>(
      // No.    name          kind      member          since clamp          hook
      Field(8,  "style",      kChoice,  &D::style,      0,    Between(0, 2), H::Style),
      Field(9,  "sorted",     kBoolean, &D::sorted,     0,    kAsGiven,      H::Sort),
      Field(10, "maxLength",  kInteger, &D::maxLength,  0,    AtLeast(0),    H::Look),
      Field(11, "textColour", kColour,  &D::textColour, 0,    kAsGiven,      H::Look),
      Field(12, "backColour", kColour,  &D::backColour, 0,    kAsGiven,      H::Look),
      Live(13,  "items",      kText,    &D::items,      0,    kAsGiven,      H::Items),
      Field(14, "font",       kFont,    &D::font,       0,    kAsGiven,      H::Look),
      Live(15,  "text",       kText,    &D::text,       0,    kAsGiven,      H::Text),
      // The control's own index, -1 for none, whoever changed it.
      Live(19, "selection", kInteger, kNotStored,  kAsGiven, H::Selection));
}();

// [ListBox] -------------------------------------------------------------------

// The program's skin list stores none of this; it starts at these defaults.
// Numbers 15 and 17-21 are not used by this runtime's list boxes.
struct ListBoxData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  base::Choice<BorderStyle> border = BorderStyle::Sunken;
  std::int32_t sorted = 0;
  std::int32_t multiSelect = 0;
  std::uint32_t textColour = 0;
  std::uint32_t backColour = base::kDefaultColour;
  std::string items;
  Bytes font;

  template <class V>
  void visitFields(V& v);
};

enum class ListBoxHook { None, Look, Sort, Items, Selection };

inline constexpr auto kListBoxProperties = [] {
  using namespace controls_table;
  using D = ListBoxData;
  using H = ListBoxHook;
  return MakePropertyTable<D, 22>(
      // No.    name           kind      member           since clamp          hook
      Field(8,  "border",      kChoice,  &D::border,      0,    Between(0, 1), H::Look),
      Field(9,  "sorted",      kBoolean, &D::sorted,      0,    kAsGiven,      H::Sort),
      Field(10, "multiSelect", kBoolean, &D::multiSelect, 0,    kAsGiven,      H::Look),
      Field(11, "textColour",  kColour,  &D::textColour,  0,    kAsGiven,      H::Look),
      Field(12, "backColour",  kColour,  &D::backColour,  0,    kAsGiven,      H::Look),
      Live(13,  "items",       kText,    &D::items,       0,    kAsGiven,      H::Items),
      Field(14, "font",        kFont,    &D::font,        0,    kAsGiven,      H::Look),
      // The selected item of a single-selection list, -1 for none.
      Live(16, "selection", kInteger, kNotStored,  kAsGiven, H::Selection));
}();

// [PicBox] --------------------------------------------------------------------

// The program's two hidden picture stores carry none of this. Version 2 adds
// the GIF player's settings. The picture (10) is a plain byte store: what is
// written reads back the same, shown or hidden.
struct PicBoxData {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  base::Choice<BorderStyle> border = BorderStyle::None;
  base::Choice<anim::Placement> drawMode = anim::Placement::TopLeft;
  std::uint32_t backColour = base::kDefaultColour;  // the button face when default
  Bytes picture;
  std::int32_t keepBackground = 1;  // the area is not filled before drawing
  std::int32_t autoPlay = 1;        // an animation starts when first shown

  template <class V>
  void visitFields(V& v);
};

enum class PicBoxHook { None, Border, Player, Picture, Playing };

inline constexpr auto kPicBoxProperties = [] {
  using namespace controls_table;
  using D = PicBoxData;
  using H = PicBoxHook;
  return MakePropertyTable<D, 15>(
      // No.    name              kind      member              since clamp          hook
      Field(8,  "border",         kChoice,  &D::border,         0,    Between(0, 3), H::Border),
      Field(9,  "drawMode",       kChoice,  &D::drawMode,       0,    Between(0, 2), H::Player),
      Field(11, "backColour",     kColour,  &D::backColour,     0,    kAsGiven,      H::Player),
      Field(10, "picture",        kPicture, &D::picture,        0,    kAsGiven,      H::Picture),
      Field(12, "keepBackground", kBoolean, &D::keepBackground, 2,    kAsGiven,      H::Player),
      Field(13, "autoPlay",       kBoolean, &D::autoPlay,       2,    kAsGiven,      H::Player),
      // An animation plays (started and stopped by writing it).
      Live(14, "playing", kBoolean, kNotStored,  kAsGiven, H::Playing));
}();

// [DrawPanel] -----------------------------------------------------------------

// No stored form of this program holds a draw panel; empty data gives these
// defaults. Numbers 15-24 are not used by this runtime's draw panels.
struct DrawPanelData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  base::Choice<BorderStyle> border = BorderStyle::None;
  std::uint32_t backColour = base::kDefaultColour;
  Bytes picture;  // the background picture
  base::Choice<PictureMode> pictureMode = PictureMode::TopLeft;
  std::int32_t keepPicture = 1;  // drawings survive a resize

  template <class V>
  void visitFields(V& v);
};

enum class DrawPanelHook { None, Border, Background, Picture, PositionX, PositionY };

inline constexpr auto kDrawPanelProperties = [] {
  using namespace controls_table;
  using D = DrawPanelData;
  using H = DrawPanelHook;
  return MakePropertyTable<D, 25>(
      // No.    name           kind      member           since clamp          hook
      Field(8,  "border",      kChoice,  &D::border,      0,    Between(0, 3), H::Border),
      Field(9,  "backColour",  kColour,  &D::backColour,  0,    kAsGiven,      H::Background),
      Field(10, "picture",     kPicture, &D::picture,     0,    kAsGiven,      H::Picture),
      Field(11, "pictureMode", kChoice,  &D::pictureMode, 0,    Between(0, 3), H::Background),
      Field(12, "keepPicture", kBoolean, &D::keepPicture, 0,    kAsGiven,      H::None),
      // The current drawing position.
      Live(13, "positionX", kInteger, kNotStored,  kAsGiven, H::PositionX),
      Live(14, "positionY", kInteger, kNotStored,  kAsGiven, H::PositionY));
}();

// [EditBox] -------------------------------------------------------------------

// Numbers 19-28 are not used by this runtime's edit boxes.
struct EditBoxData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  base::Choice<BorderStyle> border = BorderStyle::Sunken;
  std::int32_t multiLine = 0;
  base::Choice<ScrollBars> scrollBars = ScrollBars::None;
  std::int32_t readOnly = 0;
  std::int32_t password = 0;
  std::int32_t maxLength = 0;  // 0 = no limit
  base::Choice<Alignment> horizontalAlign = Alignment::Start;
  std::uint32_t textColour = 0;
  std::uint32_t backColour = base::kDefaultColour;
  Bytes font;
  std::string text;

  template <class V>
  void visitFields(V& v);
};

// A single-line and a multi-line edit are different controls: switching
// re-creates the unit (Recreate).
enum class EditBoxHook { None, Look, Recreate, Text };

inline constexpr auto kEditBoxProperties = [] {
  using namespace controls_table;
  using D = EditBoxData;
  using H = EditBoxHook;
  return MakePropertyTable<D, 29>(
      // No.    name               kind      member               since clamp          hook
      Field(9,  "border",          kChoice,  &D::border,          0,    Between(0, 1), H::Look),
      Field(10, "multiLine",       kBoolean, &D::multiLine,       0,    kAsGiven,      H::Recreate),
      Field(11, "scrollBars",      kChoice,  &D::scrollBars,      0,    Between(0, 3), H::Look),
      Field(12, "readOnly",        kBoolean, &D::readOnly,        0,    kAsGiven,      H::Look),
      Field(13, "password",        kBoolean, &D::password,        0,    kAsGiven,      H::Look),
      Field(14, "maxLength",       kInteger, &D::maxLength,       0,    AtLeast(0),    H::Look),
      Field(15, "horizontalAlign", kChoice,  &D::horizontalAlign, 0,    Between(0, 2), H::Look),
      Field(16, "textColour",      kColour,  &D::textColour,      0,    kAsGiven,      H::Look),
      Field(17, "backColour",      kColour,  &D::backColour,      0,    kAsGiven,      H::Look),
      Field(18, "font",            kFont,    &D::font,            0,    kAsGiven,      H::Look),
      Live(8,   "text",            kText,    &D::text,            0,    kAsGiven,      H::Text));
}();

static_assert(kCheckBoxProperties.numbersAreSound() && kSliderBarProperties.numbersAreSound() &&
              kLabelProperties.numbersAreSound() && kButtonProperties.numbersAreSound() &&
              kComboBoxProperties.numbersAreSound() && kListBoxProperties.numbersAreSound() &&
              kPicBoxProperties.numbersAreSound() && kDrawPanelProperties.numbersAreSound() &&
              kEditBoxProperties.numbersAreSound());

template <class V>
void CheckBoxData::visitFields(V& v) { base::VisitStoredFields(kCheckBoxProperties, *this, v); }
template <class V>
void SliderBarData::visitFields(V& v) { base::VisitStoredFields(kSliderBarProperties, *this, v); }
template <class V>
void LabelData::visitFields(V& v) { base::VisitStoredFields(kLabelProperties, *this, v); }
template <class V>
void ButtonData::visitFields(V& v) { base::VisitStoredFields(kButtonProperties, *this, v); }
template <class V>
void ComboBoxData::visitFields(V& v) { base::VisitStoredFields(kComboBoxProperties, *this, v); }
template <class V>
void ListBoxData::visitFields(V& v) { base::VisitStoredFields(kListBoxProperties, *this, v); }
template <class V>
void PicBoxData::visitFields(V& v) { base::VisitStoredFields(kPicBoxProperties, *this, v); }
template <class V>
void DrawPanelData::visitFields(V& v) { base::VisitStoredFields(kDrawPanelProperties, *this, v); }
template <class V>
void EditBoxData::visitFields(V& v) { base::VisitStoredFields(kEditBoxProperties, *this, v); }

// [files] ---------------------------------------------------------------------

// Readers and writers, one pair per type. A reader gives Ok, Truncated or
// UnsupportedVersion; a unit whose data does not read as Ok is not created.
// Writers always write the newest version with every field. ListBox, PicBox
// and DrawPanel accept empty data as their defaults.
StoredStatus readCheckBoxData(std::span<const std::uint8_t> bytes, CheckBoxData& out);
StoredStatus readSliderBarData(std::span<const std::uint8_t> bytes, SliderBarData& out);
StoredStatus readLabelData(std::span<const std::uint8_t> bytes, LabelData& out);
StoredStatus readButtonData(std::span<const std::uint8_t> bytes, ButtonData& out);
StoredStatus readComboBoxData(std::span<const std::uint8_t> bytes, ComboBoxData& out);
StoredStatus readListBoxData(std::span<const std::uint8_t> bytes, ListBoxData& out);
StoredStatus readPicBoxData(std::span<const std::uint8_t> bytes, PicBoxData& out);
StoredStatus readEditBoxData(std::span<const std::uint8_t> bytes, EditBoxData& out);
StoredStatus readDrawPanelData(std::span<const std::uint8_t> bytes, DrawPanelData& out);

Bytes writeCheckBoxData(const CheckBoxData& data);
Bytes writeSliderBarData(const SliderBarData& data);
Bytes writeLabelData(const LabelData& data);
Bytes writeButtonData(const ButtonData& data);
Bytes writeComboBoxData(const ComboBoxData& data);
Bytes writeListBoxData(const ListBoxData& data);
Bytes writePicBoxData(const PicBoxData& data);
Bytes writeEditBoxData(const EditBoxData& data);
Bytes writeDrawPanelData(const DrawPanelData& data);

}  // namespace horavia::ui
