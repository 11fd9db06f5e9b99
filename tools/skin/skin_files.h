// The files of a skin folder, as the program looks for them, and reading them
// with a ceiling: a skin is untrusted input, so nothing here reads more than
// it was allowed to.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace horavia::tools::skin {

enum class SkinFile {
  Face,        // clock face: background and the window's outline
  Wheel,       // prize wheel: an object and the outline in wheel mode
  HourHand,
  MinuteHand,
  SecondHand,
  Needle,
  End1,        // end pictures of a spin, keyed by their top-left pixel
  End2,
  StartSound,
  EndSound,
  Settings,    // pf.ini
};

// The names are the program's own; the program keeps them in code page 936
// and this host's file system spells them in UTF-8, as they are written here.
struct SkinFileName {
  SkinFile file;
  const char* name;
};
inline constexpr std::array<SkinFileName, 11> kSkinFiles = {{
    {SkinFile::Face, "表盘.gif"},
    {SkinFile::Wheel, "转盘.gif"},
    {SkinFile::HourHand, "时针.gif"},
    {SkinFile::MinuteHand, "分针.gif"},
    {SkinFile::SecondHand, "秒针.gif"},
    {SkinFile::Needle, "选择针.gif"},
    {SkinFile::End1, "结束1.gif"},
    {SkinFile::End2, "结束2.gif"},
    {SkinFile::StartSound, "开始.mp3"},
    {SkinFile::EndSound, "结束.mp3"},
    {SkinFile::Settings, "pf.ini"},
}};

const char* FileName(SkinFile file);

// The clock's size: the box, the window and every picture that fills them.
inline constexpr int kClockSize = 300;

// Ceilings on what is read whole. A clock picture of 300 × 300 is tens of
// kilobytes; anything near these is not a skin picture.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{32} << 20;
inline constexpr std::uint64_t kMaxSettingsFileBytes = std::uint64_t{1} << 20;

enum class ReadStatus {
  Read,        // bytes hold the whole file
  Missing,     // nothing of that name
  TooLarge,    // larger than the ceiling; nothing kept
  Unreadable,  // a folder, a device, or a file that cannot be opened
};

struct FileBytes {
  ReadStatus status = ReadStatus::Missing;
  std::vector<std::uint8_t> bytes;
};

// Reads the file in chunks and gives up once it passes `ceiling` bytes, so a
// file that grows or lies about its size cannot make it allocate more.
FileBytes ReadCapped(const std::filesystem::path& path, std::uint64_t ceiling);

// The names in the folder (as the file system gives them), or nothing when
// it is not a readable folder.
std::optional<std::vector<std::string>> ListFolder(const std::filesystem::path& folder);

// Another entry of the folder that the author most likely meant for `name`
// when `name` itself is missing: the same name in other letter case (names
// are matched exactly on this host), or a name kept in code-page-936 bytes,
// as archives made on other systems leave them.
struct NearMiss {
  std::string entry;       // as on disk
  std::string shown;       // printable (UTF-8)
  bool legacyEncoding = false;
};
std::optional<NearMiss> FindNearMiss(const std::vector<std::string>& entries, std::string_view name);

}  // namespace horavia::tools::skin
