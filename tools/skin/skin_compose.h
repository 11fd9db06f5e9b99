// A skin composed into the picture the program's window shows, without a
// window: the animation box's own logic, set up as the program sets up its
// clock (the face as the box's background over the button-face colour, five
// objects made at (0, 0) from templates that turn with their angle, pictures
// keyed white, the hands at the clock's angles), and the window's outline
// cut as the program cuts it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "anim/cartoonbox/window_frame.h"

namespace horavia::tools::skin {

struct ClockTime {
  int hour = 10;  // 0-23
  int minute = 10;
  int second = 30;
};

// Whole degrees clockwise from 12, as the clock's tick computes them: the
// hour hand at trunc(h × 30 + m × 0.5), not reduced to 12 hours (the box
// reduces every angle modulo 360), the others at six degrees a step.
struct HandAngles {
  int hour = 0;
  int minute = 0;
  int second = 0;
};
HandAngles HandAnglesAt(const ClockTime& time);

// The picture files the clock and the wheel show, as bytes (empty: missing),
// and what pf.ini says about the wheel.
struct SkinPictures {
  std::vector<std::uint8_t> face;
  std::vector<std::uint8_t> wheel;
  std::vector<std::uint8_t> hourHand;
  std::vector<std::uint8_t> minuteHand;
  std::vector<std::uint8_t> secondHand;
  std::vector<std::uint8_t> needle;
  // The wheel object's picture when the program writes the prizes onto the
  // wheel ("写奖项"=1), a PNG; empty: the wheel as drawn. The window's
  // outline is cut from `wheel` either way.
  std::vector<std::uint8_t> labelledWheel;
  bool wheelTurns = false;  // "转盘"=1: the wheel turns, else the needle
};

// Reads the pictures and pf.ini of a skin folder, and writes the prizes
// onto the wheel as the program does (that needs the toolkit's application
// object for its fonts). A picture beyond the check's ceilings (file size,
// decoded size) or with an unreadable header is left out and named in
// `leftOut` with the reason.
SkinPictures ReadSkinPictures(const std::filesystem::path& folder, std::vector<std::string>& leftOut);

// The program's button-face colour (0x00BBGGRR) under its toolkit's default
// style on this host; the box's background shows it wherever the face
// picture does not reach.
inline constexpr std::uint32_t kDefaultButtonFace = 0xEFEFEF;

struct Composition {
  ClockTime time;
  bool wheel = false;  // wheel mode: the wheel and the needle shown, the outline the wheel's
  std::uint32_t buttonFace = kDefaultButtonFace;
  int turnAngle = 0;  // where the turning object (wheel or needle) stands, as after a spin
};

// 300 × 300 pixels 0xAARRGGBB, top row first: inside the window's outline
// the composed colour with A = 0xFF; outside it 0 (transparent), as the
// program's overlay frames are.
using ComposedClock = anim::WindowFrame;

ComposedClock ComposeSkin(const SkinPictures& skin, const Composition& composition);

}  // namespace horavia::tools::skin
