// Stored data of the simple units: one record per type, read when the unit is
// created and written back in the same layout when it re-creates itself, and
// written by the form compiler from the form sources.
//
// Index
//   [CheckBox]   fixed layout, versions 0-2
//   [SliderBar]  fixed layout, versions 0-1
//   [Label] [Button] [ComboBox] [ListBox] [PicBox] [DrawPanel] [EditBox]
//                layouts of this runtime: a version dword, then the fields
//
// Texts are code-page-936 bytes; colours 0x00BBGGRR with 0xFF000000 for the
// default; a font is a 60-byte logical font record or empty for the default
// GUI font; pictures are picture file images. Item lists hold one item per
// line, separated by "\r\n".
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/stored_fields.h"

namespace horavia::ui {

using base::Bytes;
using base::StoredStatus;

inline constexpr std::uint32_t kDefaultColour = 0xFF000000;

// [CheckBox] ------------------------------------------------------------------

struct CheckBoxData {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  std::int32_t pushLike = 0;         // property 9
  std::int32_t flat = 0;             // 10
  std::int32_t textOnLeft = 0;       // 12
  std::int32_t horizontalAlign = 0;  // 13: 0 left, 1 centre, other right
  std::int32_t verticalAlign = 1;    // 14: 0 top, 1 centre, other bottom
  std::uint32_t textColour = 0;      // 15
  std::uint32_t backColour = kDefaultColour;  // 16
  std::int32_t checked = 0;          // 18
  Bytes picture;                     // 8: shown instead of the caption
  Bytes font;                        // 17
  std::string caption = "\xD1\xA1\xD4\xF1\xBF\xF2";  // 11: "选择框"
  std::string extraText1;            // 19, version 2
  std::string extraText2;            // 20, version 2

  template <class V>
  void visitFields(V& v) {
    v.i32("pushLike", pushLike);
    v.i32("flat", flat);
    v.i32("textOnLeft", textOnLeft);
    v.i32("horizontalAlign", horizontalAlign);
    v.i32("verticalAlign", verticalAlign);
    v.colour("textColour", textColour);
    v.colour("backColour", backColour);
    v.i32("checked", checked);
    v.blob("picture", picture);
    v.blob("font", font);
    v.text("caption", caption);
    v.text("extraText1", extraText1, 2);
    v.text("extraText2", extraText2, 2);
  }
};

// [SliderBar] -----------------------------------------------------------------

// Twelve integers, each one property (8-19).
struct SliderBarData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t border = 0;           // 0-5
  std::int32_t orientation = 0;      // 0-1
  std::int32_t tickMarks = 2;        // 0-3
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
  void visitFields(V& v) {
    v.i32("border", border);
    v.i32("orientation", orientation);
    v.i32("tickMarks", tickMarks);
    v.i32("tickFrequency", tickFrequency);
    v.i32("selectionShown", selectionShown);
    v.i32("selectionStart", selectionStart);
    v.i32("selectionLength", selectionLength);
    v.i32("pageSize", pageSize);
    v.i32("lineSize", lineSize);
    v.i32("minimum", minimum);
    v.i32("maximum", maximum);
    v.i32("position", position);
  }
};

// [Label] ---------------------------------------------------------------------

struct LabelData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::string caption = "\xB1\xEA\xC7\xA9";  // "标签"
  std::uint32_t textColour = 0;
  std::uint32_t backColour = kDefaultColour;
  std::int32_t horizontalAlign = 0;  // 0 left, 1 centre, 2 right
  std::int32_t verticalAlign = 0;    // 0 top, 1 centre, 2 bottom
  std::int32_t border = 0;           // 0 none, 1 sunken, 2 raised, 3 single line
  std::int32_t wordWrap = 1;
  std::int32_t transparent = 0;      // draws nothing behind the text
  Bytes font;

  template <class V>
  void visitFields(V& v) {
    v.text("caption", caption);
    v.colour("textColour", textColour);
    v.colour("backColour", backColour);
    v.i32("horizontalAlign", horizontalAlign);
    v.i32("verticalAlign", verticalAlign);
    v.i32("border", border);
    v.i32("wordWrap", wordWrap);
    v.i32("transparent", transparent);
    v.blob("font", font);
  }
};

// [Button] --------------------------------------------------------------------

struct ButtonData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t style = 0;            // 0 push button, 1 default push button
  std::int32_t horizontalAlign = 1;  // 0 left, 1 centre, 2 right
  std::int32_t verticalAlign = 1;    // 0 top, 1 centre, 2 bottom
  Bytes picture;
  Bytes font;
  std::string caption = "\xB0\xB4\xC5\xA5";  // "按钮"

  template <class V>
  void visitFields(V& v) {
    v.i32("style", style);
    v.i32("horizontalAlign", horizontalAlign);
    v.i32("verticalAlign", verticalAlign);
    v.blob("picture", picture);
    v.blob("font", font);
    v.text("caption", caption);
  }
};

// [ComboBox] ------------------------------------------------------------------

struct ComboBoxData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t style = 0;            // 0 drop-down, 1 simple, 2 drop-down list
  std::int32_t sorted = 0;
  std::int32_t maxLength = 0;        // of the edit text, 0 = no limit
  std::uint32_t textColour = 0;
  std::uint32_t backColour = kDefaultColour;
  std::string items;
  Bytes font;
  std::string text;                  // the edit text

  template <class V>
  void visitFields(V& v) {
    v.i32("style", style);
    v.i32("sorted", sorted);
    v.i32("maxLength", maxLength);
    v.colour("textColour", textColour);
    v.colour("backColour", backColour);
    v.text("items", items);
    v.blob("font", font);
    v.text("text", text);
  }
};

// [ListBox] -------------------------------------------------------------------

// The program's skin list stores none of this; it starts at these defaults.
struct ListBoxData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t border = 1;           // 0 none, 1 sunken
  std::int32_t sorted = 0;
  std::int32_t multiSelect = 0;
  std::uint32_t textColour = 0;
  std::uint32_t backColour = kDefaultColour;
  std::string items;
  Bytes font;

  template <class V>
  void visitFields(V& v) {
    v.i32("border", border);
    v.i32("sorted", sorted);
    v.i32("multiSelect", multiSelect);
    v.colour("textColour", textColour);
    v.colour("backColour", backColour);
    v.text("items", items);
    v.blob("font", font);
  }
};

// [PicBox] --------------------------------------------------------------------

// The program's two hidden picture stores carry none of this. Version 2 adds
// the GIF player's settings.
struct PicBoxData {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  std::int32_t border = 0;           // 0 none, 1 sunken, 2 raised, 3 single line
  std::int32_t drawMode = 0;         // placement: 0 top-left, 1 stretched, 2 centred
  std::uint32_t backColour = kDefaultColour;
  Bytes picture;                     // property 10
  std::int32_t keepBackground = 1;   // version 2: the area is not filled before drawing
  std::int32_t autoPlay = 1;         // version 2: an animation starts when first shown

  template <class V>
  void visitFields(V& v) {
    v.i32("border", border);
    v.i32("drawMode", drawMode);
    v.colour("backColour", backColour);
    v.blob("picture", picture);
    v.i32("keepBackground", keepBackground, 2);
    v.i32("autoPlay", autoPlay, 2);
  }
};

// [DrawPanel] -----------------------------------------------------------------

// No stored form of this program holds a draw panel; empty data gives these
// defaults.
struct DrawPanelData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t border = 0;           // 0 none, 1 sunken, 2 raised, 3 single line
  std::uint32_t backColour = kDefaultColour;
  Bytes picture;                     // the background picture
  std::int32_t pictureMode = 0;      // 0 top-left, 1 tiled, 2 centred, 3 stretched
  std::int32_t keepPicture = 1;      // drawings survive a resize

  template <class V>
  void visitFields(V& v) {
    v.i32("border", border);
    v.colour("backColour", backColour);
    v.blob("picture", picture);
    v.i32("pictureMode", pictureMode);
    v.i32("keepPicture", keepPicture);
  }
};

// [EditBox] -------------------------------------------------------------------

struct EditBoxData {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t border = 1;           // 0 none, 1 sunken
  std::int32_t multiLine = 0;
  std::int32_t scrollBars = 0;       // 0 none, 1 horizontal, 2 vertical, 3 both
  std::int32_t readOnly = 0;
  std::int32_t password = 0;
  std::int32_t maxLength = 0;        // 0 = no limit
  std::int32_t horizontalAlign = 0;  // 0 left, 1 centre, 2 right
  std::uint32_t textColour = 0;
  std::uint32_t backColour = kDefaultColour;
  Bytes font;
  std::string text;

  template <class V>
  void visitFields(V& v) {
    v.i32("border", border);
    v.i32("multiLine", multiLine);
    v.i32("scrollBars", scrollBars);
    v.i32("readOnly", readOnly);
    v.i32("password", password);
    v.i32("maxLength", maxLength);
    v.i32("horizontalAlign", horizontalAlign);
    v.colour("textColour", textColour);
    v.colour("backColour", backColour);
    v.blob("font", font);
    v.text("text", text);
  }
};

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
