#include "tools/skin/skin_files.h"

#include <fstream>

#include "base/ascii.h"
#include "platform/text_codec.h"

namespace horavia::tools::skin {

namespace fs = std::filesystem;

const char* FileName(SkinFile file) {
  for (const SkinFileName& entry : kSkinFiles) {
    if (entry.file == file) return entry.name;
  }
  return "";
}

FileBytes ReadCapped(const fs::path& path, std::uint64_t ceiling) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return {ReadStatus::Missing, {}};
  // Only plain files: a pipe or a device under a skin's name would never end.
  if (!fs::is_regular_file(status)) return {ReadStatus::Unreadable, {}};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {ReadStatus::Unreadable, {}};
  FileBytes out{ReadStatus::Read, {}};
  char chunk[1 << 16];
  while (in) {
    in.read(chunk, sizeof chunk);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (out.bytes.size() + got > ceiling) return {ReadStatus::TooLarge, {}};
    out.bytes.insert(out.bytes.end(), chunk, chunk + got);
  }
  if (in.bad()) return {ReadStatus::Unreadable, {}};
  return out;
}

std::optional<std::vector<std::string>> ListFolder(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return std::nullopt;
  fs::directory_iterator it(folder, error);
  if (error) return std::nullopt;
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    names.push_back(it->path().filename().string());
  }
  return names;
}

std::optional<NearMiss> FindNearMiss(const std::vector<std::string>& entries, std::string_view name) {
  for (const std::string& entry : entries) {
    if (entry != name && base::EqualIgnoringAsciiCase(entry, name)) return NearMiss{entry, entry, false};
  }
  // A name kept in code-page-936 bytes reads as the program's name once
  // decoded; a UTF-8 name never does.
  for (const std::string& entry : entries) {
    const std::string decoded = platform::Cp936ToUtf8(entry);
    if (decoded != entry && base::EqualIgnoringAsciiCase(decoded, name)) return NearMiss{entry, decoded, true};
  }
  return std::nullopt;
}

}  // namespace horavia::tools::skin
