// Files and folders on the host. Paths here are host paths (UTF-8); the
// runtime converts its code-page-936 paths with HostPath first.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace horavia::platform {

// Attribute bits of a found entry, as the runtime's file search tests them.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

struct FoundEntry {
  std::string name;  // UTF-8, no folder
  std::uint32_t attributes = 0;
};

// A search over one folder with a wildcard pattern in its last component
// ("*" and "?", matched without regard to ASCII case, "*.*" matching every
// name). A pattern without wildcards finds that one entry.
class FileSearch {
 public:
  // Null when the folder cannot be read or nothing matches.
  static std::unique_ptr<FileSearch> Start(const std::string& hostPattern);
  // The next match, or nothing when the search is over.
  std::optional<FoundEntry> next();

 private:
  std::vector<FoundEntry> entries_;
  std::size_t position_ = 0;
};

bool WildcardMatch(std::string_view pattern, std::string_view name);

// The whole file; nothing when it cannot be opened. A short read keeps what
// arrived.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& hostPath);
// Creates or truncates the file and writes the pieces in order.
bool WriteWholeFile(const std::string& hostPath, const std::vector<std::string_view>& pieces);
// Writes through a temporary file in the same folder and renames it over the
// target, so readers never see half a file and a mapped old file stays valid.
bool ReplaceFile(const std::string& hostPath, std::string_view bytes);

// Appends `line` with one write on a descriptor opened for appending, so a
// crash loses at most this line and never damages earlier ones. A new or
// empty file first gets `header` (a write of its own). A last line that was
// cut short (no line break at its end) is cut off first: it is no record,
// and once another line followed it, a reader could not tell. Returns why
// it failed, or nothing.
std::optional<std::string> AppendLine(const std::string& hostPath, std::string_view header, std::string_view line);

// At most the last `maxBytes` of a file, and whether they start at its
// beginning; nothing when it cannot be read.
struct FileTail {
  std::string bytes;
  bool whole = false;
};
std::optional<FileTail> ReadFileTail(const std::string& hostPath, std::size_t maxBytes);

bool PathExists(const std::string& hostPath);
bool SetCurrentFolder(const std::string& hostPath);

// Whether files can be created in the folder (it exists and this user may
// write there).
bool IsWritableFolder(const std::string& hostPath);
// The user's data folder: $XDG_DATA_HOME, else ~/.local/share; empty when
// neither can be found.
std::string UserDataFolder();
// Creates the folder and its parents; false when it cannot be made.
bool MakeFolders(const std::string& hostPath);

}  // namespace horavia::platform
