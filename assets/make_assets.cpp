// horavia-make-assets: draws the program's pictures at build time.
//
//   horavia-make-assets PROGRAM_FOLDER ASSET_FOLDER
//
// PROGRAM_FOLDER/skins/<skin>/  the skin pictures and pf.ini of each skin
// ASSET_FOLDER/chime.gif        the hourly chime, carried in the start window
// ASSET_FOLDER/ok-normal.gif, ok-pressed.gif, ok-hover.gif
//                               the OK button, carried as constants
// ASSET_FOLDER/icons/horavia-<size>.png, horavia.svg
//                               the application icon
//
// Everything is drawn with Qt (run it on the offscreen platform) from code
// and the installed fonts, and comes out byte for byte the same every run.
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/app_icon.h"
#include "assets/canvas.h"
#include "assets/chime.h"
#include "assets/gif_encoder.h"
#include "assets/ok_button.h"
#include "assets/skin_art.h"
#include "platform/text_codec.h"

namespace {

using namespace horavia::assets;

// The colour the chime is drawn around; its top-left pixel.
constexpr std::uint32_t kChimeKey = 0xFF00FF;

bool WriteGif(const std::string& path, const RgbPicture& picture, std::vector<std::uint32_t> reserved,
              int maxColours = 256) {
  const std::vector<std::uint8_t> bytes = EncodeGif(picture, reserved, maxColours);
  if (!bytes.empty() && WriteFileBytes(path, bytes)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

// The skin's settings, in code page 936 as the program reads INI files.
std::string SkinSettings(const SkinArt& art) {
  std::string text = "[配置]\r\n";
  auto line = [&text](const char* key, int value) { text += std::string(key) + "=" + std::to_string(value) + "\r\n"; };
  line("结束1", art.end1.plays);
  line("结束2", art.end2.plays);
  line("结束1x", art.end1.x);
  line("结束1y", art.end1.y);
  line("结束2x", art.end2.x);
  line("结束2y", art.end2.y);
  line("转盘", art.wheelTurns ? 1 : 0);
  // The prizes, written onto the wheel by the program; the result shows for
  // five seconds.
  const PrizeList& prizes = *art.prizes;
  line("奖项数", static_cast<int>(prizes.prizes.size()));
  line("奖项起始角", prizes.startAngle);
  for (std::size_t i = 0; i < prizes.prizes.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    text += "奖项" + n + "=" + prizes.prizes[i].label + "\r\n";
    line(("权重" + n).c_str(), prizes.prizes[i].weight);
  }
  line("写奖项", 1);
  line("显示结果秒数", 5);
  return horavia::platform::Utf8ToCp936(text);
}

bool WriteSkin(const std::string& programFolder, const SkinArt& art) {
  const std::string folder = programFolder + "/skins/" + art.name + "/";
  const std::vector<std::uint32_t> white = {kWhite};
  bool ok = WriteGif(folder + "表盘.gif", art.face, white);
  ok &= WriteGif(folder + "转盘.gif", art.wheel, white);
  ok &= WriteGif(folder + "时针.gif", art.hourHand, white);
  ok &= WriteGif(folder + "分针.gif", art.minuteHand, white);
  ok &= WriteGif(folder + "秒针.gif", art.secondHand, white);
  ok &= WriteGif(folder + "选择针.gif", art.needle, white);
  ok &= WriteGif(folder + "结束1.gif", art.end1.picture, {art.end1.key});
  ok &= WriteGif(folder + "结束2.gif", art.end2.picture, {art.end2.key});
  const std::string settings = SkinSettings(art);
  ok &= WriteFileBytes(folder + "pf.ini", std::vector<std::uint8_t>(settings.begin(), settings.end()));
  return ok;
}

bool WriteIcons(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  bool ok = true;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string path = folder + "/horavia-" + std::to_string(size) + ".png";
    ok &= DrawAppIcon(size).save(QString::fromStdString(path), "PNG");
  }
  const std::string svg = AppIconSvg();
  ok &= WriteFileBytes(folder + "/horavia.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()));
  return ok;
}

// Build machines often run without a session: Qt's note that it has no
// runtime folder is noise in the build log. Everything else is passed on.
QtMessageHandler defaultHandler = nullptr;
void QuietAboutSession(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set")) return;
  defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: horavia-make-assets PROGRAM_FOLDER ASSET_FOLDER\n");
    return 2;
  }
  defaultHandler = qInstallMessageHandler(QuietAboutSession);
  QGuiApplication application(argc, argv);
  const std::string programFolder = argv[1], assetFolder = argv[2];
  bool ok = WriteSkin(programFolder, DrawBlueSkin());
  ok &= WriteSkin(programFolder, DrawFestiveSkin());
  // The chime travels inside the program's start window: few colours keep it small.
  ok &= WriteGif(assetFolder + "/chime.gif", DrawChime(kChimeKey), {kChimeKey}, 32);
  ok &= WriteGif(assetFolder + "/ok-normal.gif", DrawOkButton(OkLook::Normal), {});
  ok &= WriteGif(assetFolder + "/ok-pressed.gif", DrawOkButton(OkLook::Pressed), {});
  ok &= WriteGif(assetFolder + "/ok-hover.gif", DrawOkButton(OkLook::Hover), {});
  ok &= WriteIcons(assetFolder + "/icons");
  return ok ? 0 : 1;
}
