// The window unit's stored data and property table: frame, caption buttons,
// background, keyboard conventions, taskbar and shape settings, title and
// embedded files. The table is the one description of the window's
// properties 8-31: the stored layout, the runtime's table and the window's
// reading and writing of each (ui/window/form_unit.cpp runs the hooks).
//
// Streams of versions 0-6 are read; fields that a version does not carry keep
// the defaults below. Writers always produce version 6 with every field.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/property_rows.h"
#include "base/stored_fields.h"

namespace horavia::ui {

using base::Bytes;
using base::StoredStatus;

// The window's frame; the tool-window frames have no taskbar button.
enum class WindowBorder : std::int32_t {
  None = 0,
  Resizable = 1,
  Fixed = 2,
  ResizableTool = 3,
  FixedTool = 4,
  ResizableSunken = 5,
  FixedSunken = 6,
};
// Where a background picture goes (the window's and a draw panel's).
enum class PictureMode : std::int32_t { TopLeft = 0, Tiled = 1, Centred = 2, Stretched = 3 };
enum class MusicMode : std::int32_t { Loop = 0, Once = 1, NoAutomaticPlay = 2 };
// What showing the window does: keep the stored place, centre it on the
// screen, minimize or maximize it.
enum class StartPosition : std::int32_t { AsStored = 0, Centred = 1, Minimized = 2, Maximized = 3 };

// The window's outline: none, an ellipse, a rounded rectangle, a ring, or
// one of the closed outlines 4-29 of ui/window/shapes.h.
enum class WindowShape : std::int32_t { None = 0, Ellipse = 1, RoundedRectangle = 2, Ring = 3, FirstOutline = 4,
                                        LastOutline = 29 };

struct WindowData {
  static constexpr std::uint32_t kWriteVersion = 6;
  static constexpr std::uint32_t kMaxVersion = 6;

  base::Choice<WindowBorder> border = WindowBorder::Fixed;
  base::Choice<PictureMode> pictureMode = PictureMode::Tiled;
  std::uint32_t backColour = base::kDefaultColour;  // system button face when default
  std::int32_t maximizeBox = 0;
  std::int32_t minimizeBox = 0;
  std::int32_t controlBox = 1;  // system menu in the caption
  base::Choice<StartPosition> startPosition = StartPosition::AsStored;
  std::int32_t closable = 1;
  base::Choice<MusicMode> musicMode = MusicMode::Loop;
  std::int32_t enterMovesFocus = 0;
  std::int32_t escCloses = 1;
  std::int32_t f1OpensHelp = 0;
  std::int32_t helpContext = 0;
  std::int32_t showInTaskbar = 1;  // takes effect at the next load
  std::int32_t dragAnywhere = 0;
  base::Choice<WindowShape> shape = WindowShape::None;
  std::int32_t alwaysOnTop = 0;
  std::int32_t keepCaptionActive = 0;
  std::string className;           // empty = the default class; takes effect at the next load
  Bytes backgroundPicture;         // picture file image
  Bytes icon;                      // icon file image
  Bytes music;                     // WAVE or MIDI file image
  std::string title;               // code page 936
  std::string helpFile;

  template <class V>
  void visitFields(V& v);
};

// What the window does when a property changes beyond storing it. Start
// position and shape act on every write: writing the start position again
// places the window again, writing shape 0 removes a picture's outline.
enum class WindowHook { None, Title, Frame, Redraw, Background, Music, StartPosition, Icon, Shape, AlwaysOnTop };

inline constexpr auto kWindowProperties = [] {
  using namespace base::property_kind;
  using base::Between;
  using base::Field;
  using base::kAsGiven;
  using base::Live;
  using D = WindowData;
  using H = WindowHook;
  return base::MakePropertyTable<D, 32>(
      // No.    name                 kind       member                 since clamp           hook
      Field(9,  "border",            kChoice,   &D::border,            0,    Between(0, 6),  H::Frame),
      Field(12, "pictureMode",       kChoice,   &D::pictureMode,       0,    Between(0, 3),  H::Redraw),
      Field(10, "backColour",        kColour,   &D::backColour,        0,    kAsGiven,       H::Redraw),
      Field(16, "maximizeBox",       kBoolean,  &D::maximizeBox,       0,    kAsGiven,       H::Frame),
      Field(17, "minimizeBox",       kBoolean,  &D::minimizeBox,       0,    kAsGiven,       H::Frame),
      Field(15, "controlBox",        kBoolean,  &D::controlBox,        0,    kAsGiven,       H::Frame),
      Live(18,  "startPosition",     kChoice,   &D::startPosition,     0,    Between(0, 3),  H::StartPosition),
      Field(19, "closable",          kBoolean,  &D::closable,          0,    kAsGiven,       H::Frame),
      Field(14, "musicMode",         kChoice,   &D::musicMode,         0,    Between(0, 2),  H::Music),
      Field(21, "enterMovesFocus",   kBoolean,  &D::enterMovesFocus,   0,    kAsGiven,       H::None),
      Field(22, "escCloses",         kBoolean,  &D::escCloses,         0,    kAsGiven,       H::None),
      Field(23, "f1OpensHelp",       kBoolean,  &D::f1OpensHelp,       0,    kAsGiven,       H::None),
      Field(25, "helpContext",       kInteger,  &D::helpContext,       0,    kAsGiven,       H::None),
      Field(26, "showInTaskbar",     kBoolean,  &D::showInTaskbar,     2,    kAsGiven,       H::None),
      Field(27, "dragAnywhere",      kBoolean,  &D::dragAnywhere,      3,    kAsGiven,       H::None),
      Live(28,  "shape",             kChoice,   &D::shape,             3,    Between(0, 29), H::Shape),
      Field(29, "alwaysOnTop",       kBoolean,  &D::alwaysOnTop,       4,    kAsGiven,       H::AlwaysOnTop),
      Field(30, "keepCaptionActive", kBoolean,  &D::keepCaptionActive, 5,    kAsGiven,       H::None),
      Field(31, "className",         kText,     &D::className,         6,    kAsGiven,       H::None),
      Field(11, "backgroundPicture", kPicture,  &D::backgroundPicture, 0,    kAsGiven,       H::Background),
      Field(20, "icon",              kIcon,     &D::icon,              0,    kAsGiven,       H::Icon),
      Field(13, "music",             kSound,    &D::music,             0,    kAsGiven,       H::Music),
      Field(8,  "title",             kText,     &D::title,             0,    kAsGiven,       H::Title),
      Field(24, "helpFile",          kFileName, &D::helpFile,          0,    kAsGiven,       H::None));
}();
static_assert(kWindowProperties.numbersAreSound());

template <class V>
void WindowData::visitFields(V& v) {
  base::VisitStoredFields(kWindowProperties, *this, v);
}

// A window whose data reads as anything but Ok cannot be created.
inline StoredStatus readWindowData(std::span<const std::uint8_t> bytes, WindowData& out) {
  return base::readStored(bytes, out);
}
inline Bytes writeWindowData(const WindowData& data) { return base::writeStored(data); }

}  // namespace horavia::ui
