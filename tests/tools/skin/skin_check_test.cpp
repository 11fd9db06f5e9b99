// `horavia-skin check` on the shipped skins (sound), on copies of the default
// skin damaged one way each (the problem named, exit code 1, or a warning
// and exit code 0), and on cut and scrambled files (always an answer).
#include <random>

#include "platform/text_codec.h"
#include "tests/tools/skin/skin_fixture.h"

namespace horavia::tools::skin::testing {
namespace {

using anim::testing::GifFrame;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNavy = 0x203060;

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
void WriteText(const fs::path& path, const std::string& text) { WriteFile(path, Bytes(text.begin(), text.end())); }
// pf.ini as the program expects it: code page 936.
void WriteSettings(const fs::path& folder, const std::string& utf8) {
  WriteText(folder / "pf.ini", platform::Utf8ToCp936(utf8));
}
Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool InDisc(int x, int y, int radius) {
  const int dx = 2 * x + 1 - 300, dy = 2 * y + 1 - 300;
  return dx * dx + dy * dy < 4 * radius * radius;
}
// A 300 × 300 hand on white: a dark bar up from the centre, with a one-pixel
// border of `edge` around it.
Bytes Hand(std::uint32_t edge, bool pointsDown = false) {
  return GifOf(300, 300, [=](int x, int y) {
    const int yy = pointsDown ? 299 - y : y;
    if (x >= 148 && x < 152 && yy >= 40 && yy < 152) return 0x101010u;
    if (x >= 147 && x < 153 && yy >= 39 && yy < 153) return edge;
    return kWhite;
  });
}
Bytes Face(std::function<std::uint32_t(int, int)> inside) {
  return GifOf(300, 300, [=](int x, int y) { return InDisc(x, y, 140) ? inside(x, y) : kWhite; });
}

// [shipped] ----------------------------------------------------------------------

class ShippedSkin : public SkinFolderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedSkin, IsSoundAndEveryFileIsRead) {
  ASSERT_TRUE(fs::is_directory(kShippedSkins / GetParam())) << "build the assets first";
  EXPECT_EQ(Run({"check", (kShippedSkins / GetParam()).string()}), 0) << output();
  EXPECT_NE(output().find("0 problems, 0 warnings"), std::string::npos) << output();
  for (const char* file : {"表盘.gif", "转盘.gif", "时针.gif", "分针.gif", "秒针.gif", "选择针.gif", "结束1.gif",
                           "结束2.gif", "开始.mp3", "结束.mp3", "pf.ini"}) {
    EXPECT_FALSE(Lines("info", file).empty()) << file << " not reported on:\n" << output();
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, ShippedSkin, ::testing::Values("蓝色", "喜庆"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return info.index == 0 ? std::string("Blue") : std::string("Festive");
                         });

// [damaged] ----------------------------------------------------------------------

struct Damage {
  const char* name;
  std::function<void(const fs::path&)> apply;
  const char* file;   // the file the finding names
  const char* grade;  // "problem" or "warning"
  const char* words;  // part of the finding's text
};

std::ostream& operator<<(std::ostream& out, const Damage& d) { return out << d.name; }

const Damage kDamages[] = {
    {"JunkFace", [](const fs::path& f) { WriteText(f / "表盘.gif", "this is no picture, just text in a file"); },
     "表盘.gif", "problem", "does not decode"},
    {"PngFace",
     [](const fs::path& f) {
       anim::testing::PngPicture png{300, 300, 2, 8, false, Bytes(300 * 300 * 3, 0x40), {}, {}};
       WriteFile(f / "表盘.gif", anim::testing::EncodePng(png));
     },
     "表盘.gif", "problem", "is a PNG"},
    {"AllWhiteFace", [](const fs::path& f) { WriteFile(f / "表盘.gif", GifOf(300, 300, [](int, int) { return kWhite; })); },
     "表盘.gif", "problem", "all white"},
    {"FaceWithAPaleRim",
     [](const fs::path& f) {
       WriteFile(f / "表盘.gif", Face([](int x, int y) { return InDisc(x, y, 138) ? kNavy : 0xF0F0F0u; }));
     },
     "表盘.gif", "problem", "light fringe"},
    {"FaceWithoutWhite", [](const fs::path& f) { WriteFile(f / "表盘.gif", GifOf(300, 300, [](int, int) { return kNavy; })); },
     "表盘.gif", "warning", "no white"},
    {"FaceWithAHole",
     [](const fs::path& f) {
       WriteFile(f / "表盘.gif", Face([](int x, int y) { return x == 150 && y == 150 ? kWhite : kNavy; }));
     },
     "表盘.gif", "warning", "holes in the window"},
    {"FaceKeyedByGifTransparency",
     [](const fs::path& f) {
       GifFrame disc = Patch(0, 0, 300, 300);
       for (int i = 0; i < 300 * 300; ++i) disc.indices[i] = InDisc(i % 300, i / 300, 140) ? 1 : 0;
       disc.transparentIndex = 0;
       WriteFile(f / "表盘.gif", GifFrames(300, 300, {0x00FF00, kNavy}, {disc}));
     },
     "表盘.gif", "problem", "marks #00FF00 as transparent"},
    {"FaceImageSmallerThanItsScreen",
     [](const fs::path& f) { WriteFile(f / "表盘.gif", GifFrames(300, 300, {kWhite, kNavy}, {Patch(10, 10, 280, 280)})); },
     "表盘.gif", "warning", "covers only part of its screen"},
    {"OversizedFace",
     [](const fs::path& f) {
       WriteFile(f / "表盘.gif", GifFrames(4000, 4000, {0, kNavy}, {Patch(0, 0, 2, 2)}));
     },
     "表盘.gif", "problem", "far more than a skin picture needs"},
    {"WheelOfTheWrongSize", [](const fs::path& f) { WriteFile(f / "转盘.gif", GifOf(280, 300, [](int, int) { return kNavy; })); },
     "转盘.gif", "problem", "must be the clock's size"},
    {"TruncatedHand",
     [](const fs::path& f) {
       Bytes hand = ReadFile(f / "时针.gif");
       hand.resize(hand.size() / 2);
       WriteFile(f / "时针.gif", hand);
     },
     "时针.gif", "problem", "cut short"},
    {"HandWithDamagedData",
     [](const fs::path& f) {
       // One 1 × 1 image whose code stream has no literal after its clear code.
       WriteFile(f / "时针.gif", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                                       ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 1, 0x3C, 0, ';'});
     },
     "时针.gif", "problem", "does not decode as a hand (GIF): its compressed pixel data is damaged"},
    {"SmallHand", [](const fs::path& f) { WriteFile(f / "分针.gif", GifOf(200, 200, [](int x, int) { return x < 100 ? kNavy : kWhite; })); },
     "分针.gif", "problem", "must be the clock's size"},
    {"HandWithAHalo", [](const fs::path& f) { WriteFile(f / "秒针.gif", Hand(0xF4F4F4)); }, "秒针.gif", "problem",
     "light halo"},
    {"HandPointingDown", [](const fs::path& f) { WriteFile(f / "秒针.gif", Hand(0x404040, true)); }, "秒针.gif",
     "warning", "seems to point to 180°"},
    {"AnimatedNeedle",
     [](const fs::path& f) {
       WriteFile(f / "选择针.gif", GifOf(300, 300, [](int x, int y) { return InDisc(x, y, 10) ? kNavy : kWhite; }, 3));
     },
     "选择针.gif", "warning", "has 3 frames"},
    {"EndPictureOfManyFrames",
     [](const fs::path& f) {
       WriteFile(f / "结束1.gif", GifFrames(300, 300, {0, kNavy}, std::vector<GifFrame>(200, Patch(0, 0, 1, 1))));
     },
     "结束1.gif", "problem", "has 200 frames of 300 × 300, 69 MiB decoded: more than the 64 MiB the program decodes of "
     "one picture, so it keeps only the first 186 frames"},
    {"StillEndPicture", [](const fs::path& f) { WriteFile(f / "结束2.gif", GifOf(40, 40, [](int x, int) { return x < 20 ? 0u : kNavy; })); },
     "结束2.gif", "warning", "still picture"},
    {"EndPictureOutOfTheBox",
     [](const fs::path& f) { WriteSettings(f, "[配置]\r\n结束1=2\r\n结束1x=100\r\n结束1y=12\r\n"); }, "结束1.gif",
     "warning", "reach past"},
    {"JunkPlays", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n结束1=abc\r\n"); }, "pf.ini", "problem",
     "结束1 = \"abc\" is not a whole number; the program reads it as 0"},
    {"NegativePlays", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n结束2=-3\r\n"); }, "pf.ini", "problem",
     "negative"},
    {"PositionOutside", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n结束2y=300\r\n"); }, "pf.ini", "problem",
     "结束2y = 300 lies outside"},
    {"WheelSwitchOfTwo", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n转盘=2\r\n"); }, "pf.ini", "problem",
     "only 1"},
    {"SettingsInUtf8", [](const fs::path& f) { WriteText(f / "pf.ini", "[配置]\n结束1=2\n"); }, "pf.ini", "problem",
     "saved as UTF-8"},
    {"UnknownSetting", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n结束1=2\r\n结束3=1\r\n"); }, "pf.ini",
     "warning", "sets \"结束3\", which the program does not read"},
    {"OnePrize", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=1\r\n奖项1=a\r\n"); }, "pf.ini",
     "problem", "must be 2 to 36"},
    {"NegativeWeight",
     [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=3\r\n权重2=-1\r\n"); }, "pf.ini", "problem",
     "a weight is below 0 (奖项2 / 权重2)"},
    {"NothingToWin",
     [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=2\r\n权重1=0\r\n权重2=0\r\n"); }, "pf.ini",
     "problem", "no prize can be won"},
    {"LabelTooLong",
     [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=2\r\n奖项2=" + std::string(65, 'x') + "\r\n"); },
     "pf.ini", "problem", "longer than 64 bytes (奖项2 / 权重2)"},
    {"JunkWeight", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=2\r\n权重1=lots\r\n"); }, "pf.ini",
     "problem", "权重1 = \"lots\" is not a whole number; the program reads it as 0"},
    {"EmptyLabel", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=2\r\n奖项1=a\r\n"); }, "pf.ini",
     "warning", "奖项2 is empty"},
    {"PrizeBeyondTheCount",
     [](const fs::path& f) { WriteSettings(f, "[配置]\r\n奖项数=2\r\n奖项1=a\r\n奖项2=b\r\n奖项3=c\r\n"); },
     "pf.ini", "warning", "sets \"奖项3\", but with 奖项数 = 2 the program does not read it"},
    {"LabelsWithoutPrizes", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n写奖项=1\r\n"); }, "pf.ini",
     "warning", "no prizes to write"},
    {"LongResult", [](const fs::path& f) { WriteSettings(f, "[配置]\r\n显示结果秒数=600\r\n"); }, "pf.ini",
     "warning", "显示结果秒数 = 600: the program takes 60"},
    {"MissingSound", [](const fs::path& f) { fs::remove(f / "开始.mp3"); }, "开始.mp3", "warning",
     "missing: a spin starts silently"},
    {"JunkSound", [](const fs::path& f) { WriteText(f / "结束.mp3", std::string(5000, 'x')); }, "结束.mp3", "problem",
     "does not decode as MP3"},
    {"FaceInOtherCase", [](const fs::path& f) { fs::rename(f / "表盘.gif", f / "表盘.GIF"); }, "表盘.gif", "problem",
     "\"表盘.GIF\" is there"},
    {"HandNamedInLegacyBytes",
     [](const fs::path& f) { fs::rename(f / "时针.gif", f / platform::Utf8ToCp936("时针.gif")); }, "时针.gif",
     "problem", "code-page-936 bytes"},
};

class DamagedSkin : public SkinFolderTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedSkin, NamesWhatIsWrong) {
  CopyShipped("蓝色");
  GetParam().apply(folder());
  const int code = Check();
  const std::vector<std::string> lines = Lines(GetParam().grade, GetParam().file);
  const std::string words = GetParam().words;
  const bool named = std::any_of(lines.begin(), lines.end(),
                                 [&](const std::string& line) { return line.find(words) != std::string::npos; });
  EXPECT_TRUE(named) << "want a " << GetParam().grade << " on " << GetParam().file << " saying \"" << GetParam().words
                     << "\", have:\n"
                     << output();
  // Warnings alone leave the skin sound.
  EXPECT_EQ(code, std::string(GetParam().grade) == "problem" ? 1 : 0) << output();
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedSkin, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkinFolderTest, AnEmptyFolderIsAllowedButWarnsOfEveryFile) {
  EXPECT_EQ(Check(), 0);
  EXPECT_NE(output().find("0 problems, 11 warnings"), std::string::npos) << output();
}

TEST_F(SkinFolderTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Run({"check"}), 2);
  EXPECT_EQ(Run({"check", (folder() / "nothing here").string()}), 2);
  EXPECT_NE(errors().find("is not a folder"), std::string::npos);
  EXPECT_EQ(Run({"inspect", folder().string()}), 2);
  EXPECT_EQ(Run({}), 2);
}

// [robustness] -------------------------------------------------------------------

// Every cut of a picture up to half its length is a problem of that file;
// cuts and scrambled bytes of any file always get an answer.
TEST_F(SkinFolderTest, CutAndScrambledFilesAreReportedNotFatal) {
  std::mt19937 random(20240611);
  for (const char* name : {"表盘.gif", "时针.gif", "结束1.gif", "开始.mp3"}) {
    const Bytes whole = ReadFile(kShippedSkins / "蓝色" / name);
    ASSERT_GT(whole.size(), 100u) << name;
    const bool picture = std::string(name).ends_with(".gif");
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{6}, std::size_t{13}, std::size_t{100},
                            std::size_t{800}, whole.size() / 3, whole.size() / 2, whole.size() - 1}) {
      SCOPED_TRACE(std::string(name) + " cut to " + std::to_string(cut));
      WriteFile(folder() / name, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
      const int code = Check();
      EXPECT_TRUE(code == 0 || code == 1);
      if (picture && cut <= whole.size() / 2) {
        EXPECT_FALSE(Lines("problem", name).empty()) << output();
      }
    }
    for (int round = 0; round < 8; ++round) {
      Bytes scrambled = whole;
      for (int i = 0; i < 40; ++i) scrambled[random() % scrambled.size()] = static_cast<std::uint8_t>(random());
      WriteFile(folder() / name, scrambled);
      const int code = Check();
      EXPECT_TRUE(code == 0 || code == 1) << name << " round " << round;
    }
    fs::remove(folder() / name);
  }
}

}  // namespace
}  // namespace horavia::tools::skin::testing
