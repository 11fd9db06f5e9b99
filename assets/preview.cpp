// horavia-skin-preview: composes a skin as the program shows it, with the
// program's own decoders, rotation and blending, and writes PNGs to look at.
//
//   horavia-skin-preview SKIN_FOLDER CHIME_GIF OUTPUT_FOLDER
//
// clock.png    the face with the hands at 10:10:30, cut to its outline and
//              set on a desktop that is dark on the left, light on the right
// seconds.png  the second hand at four awkward angles, twice the size
// wheel.png    the wheel and needle at rest, and turned by 137 degrees
// end1.png, end2.png, chime.png
//              every frame of the animations, over the wheel or the clock,
//              and one frame a third of the way in at twice the size
// zoom.png     the top-left edge of the clock, three times enlarged
// clock@2x.png, wheel@2x.png
//              twice the size, pixel for pixel
//
// Objects are placed as the animation box places them: a turned picture
// keeps its centre, with the halves taken as integer divisions.
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/picture.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text_codec.h"

namespace {

using horavia::anim::FrameImage;

constexpr std::uint32_t kWhiteKey = 0xFFFFFF;

std::vector<std::uint8_t> Read(const std::string& path) {
  return horavia::platform::ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

// A 300 × 300 scene: the box's surface, pixels 0x00RRGGBB.
struct Scene {
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(300 * 300, 0);
  horavia::anim::Region outline;
};

Scene Background(const std::vector<std::uint8_t>& face, const std::vector<std::uint8_t>& outline) {
  Scene scene;
  if (auto bitmap = horavia::anim::PictureToBitmap(face)) {
    for (int y = 0; y < std::min(300, bitmap->height); ++y)
      for (int x = 0; x < std::min(300, bitmap->width); ++x) scene.pixels[y * 300 + x] = bitmap->at(x, y);
  }
  scene.outline = horavia::anim::RegionFromPictureBytes(outline, kWhiteKey).value_or(horavia::anim::Region{});
  return scene;
}

// Blends one frame of the picture at (x, y), turned about its centre.
void Place(Scene& scene, const FrameImage& picture, int frame, int x, int y, int degrees) {
  std::optional<FrameImage> turned = horavia::anim::Rotate(picture, degrees);
  if (!turned || frame >= turned->frameCount()) return;
  x += picture.width / 2 - turned->width / 2;
  y += picture.height / 2 - turned->height / 2;
  const horavia::anim::ImageFrame& f = turned->frames[frame];
  horavia::anim::BlendFrame({scene.pixels.data(), 300, 300}, {f.pixels.data(), turned->width, turned->height},
                            {x, y, 0, 0, turned->width, turned->height}, 0, f.keyColour);
}

// The scene cut to its outline, on a desktop dark on the left, light on the
// right, with a saturated band across the middle.
QImage OnDesktop(const Scene& scene) {
  QImage image(300, 300, QImage::Format_RGB32);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) {
      QRgb desktop = x < 150 ? qRgb(0x20, 0x22, 0x28) : qRgb(0xEA, 0xEA, 0xEA);
      if (y > 135 && y < 165) desktop = qRgb(0x30, 0xA0, 0x50);
      image.setPixel(x, y, scene.outline.contains(x, y) ? (0xFF000000 | scene.pixels[y * 300 + x]) : desktop);
    }
  }
  return image;
}

// Frames side by side, six to a row.
QImage Sheet(const std::vector<QImage>& frames) {
  const int columns = std::min<int>(6, static_cast<int>(frames.size()));
  const int rows = (static_cast<int>(frames.size()) + columns - 1) / columns;
  const int cell = frames.empty() ? 0 : frames[0].width() + 4;
  QImage sheet(columns * cell, rows * cell, QImage::Format_RGB32);
  sheet.fill(qRgb(0x60, 0x60, 0x60));
  QPainter painter(&sheet);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    painter.drawImage(static_cast<int>(i % columns) * cell + 2, static_cast<int>(i / columns) * cell + 2, frames[i]);
  }
  return sheet;
}

int SkinNumber(const std::string& ini, const char* key) {
  const auto value = horavia::platform::IniLookup(ini, horavia::platform::Utf8ToCp936("配置"),
                                                  horavia::platform::Utf8ToCp936(key));
  return value ? std::atoi(value->c_str()) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: horavia-skin-preview SKIN_FOLDER CHIME_GIF OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string skin = std::string(argv[1]) + "/", out = std::string(argv[3]) + "/";
  auto load = [&](const char* name, bool autoKey) {
    return FrameImage::LoadFromBytes(Read(skin + name), kWhiteKey, autoKey);
  };
  const std::vector<std::uint8_t> faceBytes = Read(skin + "表盘.gif"), wheelBytes = Read(skin + "转盘.gif");
  const FrameImage hour = load("时针.gif", false), minute = load("分针.gif", false);
  const FrameImage second = load("秒针.gif", false);
  const FrameImage wheel = load("转盘.gif", false), needle = load("选择针.gif", false);
  const FrameImage end1 = load("结束1.gif", true), end2 = load("结束2.gif", true);
  const std::vector<std::uint8_t> iniBytes = Read(skin + "pf.ini");
  const std::string ini(iniBytes.begin(), iniBytes.end());
  const bool wheelTurns = SkinNumber(ini, "转盘") == 1;

  Scene clock = Background(faceBytes, faceBytes);
  Place(clock, hour, 0, 0, 0, 305);
  Place(clock, minute, 0, 0, 0, 60);
  Place(clock, second, 0, 0, 0, 180);
  OnDesktop(clock).save(QString::fromStdString(out + "clock.png"));
  OnDesktop(clock).scaled(600, 600).save(QString::fromStdString(out + "clock@2x.png"));
  OnDesktop(clock).copy(0, 0, 100, 100).scaled(300, 300).save(QString::fromStdString(out + "zoom.png"));

  std::vector<QImage> seconds;
  for (int angle : {42, 132, 228, 318}) {
    Scene scene = Background(faceBytes, faceBytes);
    Place(scene, hour, 0, 0, 0, 95);
    Place(scene, minute, 0, 0, 0, 234);
    Place(scene, second, 0, 0, 0, angle);
    seconds.push_back(OnDesktop(scene).scaled(600, 600));
  }
  Sheet(seconds).save(QString::fromStdString(out + "seconds.png"));

  std::vector<QImage> wheels;
  for (int turn : {0, 137}) {
    Scene scene = Background(faceBytes, wheelBytes);
    Place(scene, wheel, 0, 0, 0, wheelTurns ? turn : 0);
    Place(scene, needle, 0, 0, 0, wheelTurns ? 0 : turn);
    wheels.push_back(OnDesktop(scene));
  }
  const QImage wheelSheet = Sheet(wheels);
  wheelSheet.save(QString::fromStdString(out + "wheel.png"));
  wheelSheet.scaled(wheelSheet.size() * 2).save(QString::fromStdString(out + "wheel@2x.png"));

  auto animation = [&](const FrameImage& picture, bool overWheel, int x, int y, const std::string& name) {
    std::vector<QImage> frames;
    for (int f = 0; f < picture.frameCount(); ++f) {
      Scene scene = Background(faceBytes, overWheel ? wheelBytes : faceBytes);
      if (overWheel) {
        Place(scene, wheel, 0, 0, 0, 0);
        Place(scene, needle, 0, 0, 0, 0);
      } else {
        Place(scene, hour, 0, 0, 0, 305);
        Place(scene, minute, 0, 0, 0, 60);
      }
      Place(scene, picture, f, x, y, 0);
      frames.push_back(OnDesktop(scene));
    }
    Sheet(frames).save(QString::fromStdString(out + name + ".png"));
    if (!frames.empty()) {
      frames[frames.size() / 3].scaled(600, 600).save(QString::fromStdString(out + name + "@2x.png"));
    }
  };
  animation(end1, true, SkinNumber(ini, "结束1x"), SkinNumber(ini, "结束1y"), "end1");
  animation(end2, true, SkinNumber(ini, "结束2x"), SkinNumber(ini, "结束2y"), "end2");
  animation(FrameImage::LoadFromBytes(Read(argv[2]), 0, true), false, 56, 96, "chime");
  return 0;
}
