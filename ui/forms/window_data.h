// The window unit's stored data: frame, caption buttons, background, keyboard
// conventions, taskbar and shape settings, title and embedded files.
//
// Streams of versions 0-6 are read; fields that a version does not carry keep
// the defaults below. Writers always produce version 6 with every field. The
// numbers in the comments are the window's property numbers.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/stored_fields.h"

namespace horavia::ui {

using base::Bytes;
using base::StoredStatus;

struct WindowData {
  static constexpr std::uint32_t kWriteVersion = 6;
  static constexpr std::uint32_t kMaxVersion = 6;
  static constexpr std::uint32_t kDefaultColour = 0xFF000000;

  // 0 none, 1 resizable frame, 2 fixed frame, 3 resizable tool-window frame,
  // 4 fixed tool-window frame, 5 resizable sunken frame, 6 fixed sunken (9).
  std::int32_t border = 2;
  std::int32_t pictureMode = 1;                // background picture mode 0-3 (12)
  std::uint32_t backColour = kDefaultColour;   // system button face when default (10)
  std::int32_t maximizeBox = 0;                // (16)
  std::int32_t minimizeBox = 0;                // (17)
  std::int32_t controlBox = 1;                 // system menu in the caption (15)
  std::int32_t startPosition = 0;              // 0 as stored, 1 centred, 2 minimized, 3 maximized (18)
  std::int32_t closable = 1;                   // (19)
  std::int32_t musicMode = 0;                  // 0 loop, 1 once, 2 no automatic play (14)
  std::int32_t enterMovesFocus = 0;            // (21)
  std::int32_t escCloses = 1;                  // (22)
  std::int32_t f1OpensHelp = 0;                // (23)
  std::int32_t helpContext = 0;                // (25)
  std::int32_t showInTaskbar = 1;              // version 2 on (26)
  std::int32_t dragAnywhere = 0;               // version 3 on (27)
  std::int32_t shape = 0;                      // version 3 on, 0-29 (28)
  std::int32_t alwaysOnTop = 0;                // version 4 on (29)
  std::int32_t keepCaptionActive = 0;          // version 5 on (30)
  std::string className;                       // version 6; empty = the default class (31)
  Bytes backgroundPicture;                     // picture file image (11)
  Bytes icon;                                  // icon file image (20)
  Bytes music;                                 // WAVE or MIDI file image (13)
  std::string title;                           // code page 936 (8)
  std::string helpFile;                        // (24)

  template <class V>
  void visitFields(V& v) {
    v.i32("border", border);
    v.i32("pictureMode", pictureMode);
    v.colour("backColour", backColour);
    v.i32("maximizeBox", maximizeBox);
    v.i32("minimizeBox", minimizeBox);
    v.i32("controlBox", controlBox);
    v.i32("startPosition", startPosition);
    v.i32("closable", closable);
    v.i32("musicMode", musicMode);
    v.i32("enterMovesFocus", enterMovesFocus);
    v.i32("escCloses", escCloses);
    v.i32("f1OpensHelp", f1OpensHelp);
    v.i32("helpContext", helpContext);
    v.i32("showInTaskbar", showInTaskbar, 2);
    v.i32("dragAnywhere", dragAnywhere, 3);
    v.i32("shape", shape, 3);
    v.i32("alwaysOnTop", alwaysOnTop, 4);
    v.i32("keepCaptionActive", keepCaptionActive, 5);
    v.text("className", className, 6);
    v.blob("backgroundPicture", backgroundPicture);
    v.blob("icon", icon);
    v.blob("music", music);
    v.text("title", title);
    v.text("helpFile", helpFile);
  }
};

// A window whose data reads as anything but Ok cannot be created.
inline StoredStatus readWindowData(std::span<const std::uint8_t> bytes, WindowData& out) {
  return base::readStored(bytes, out);
}
inline Bytes writeWindowData(const WindowData& data) { return base::writeStored(data); }

}  // namespace horavia::ui
