#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/ascii.h"

namespace horavia::platform {
namespace {

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

std::uint32_t AttributesOf(const std::string& path, std::string_view name) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return 0;
  std::uint32_t a = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  if (access(path.c_str(), W_OK) != 0) a |= kAttrReadOnly;
  if (name.size() > 1 && name[0] == '.' && name != "..") a |= kAttrHidden;
  return a;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";
  // Iterative match with one backtrack point for the last '*'.
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || base::ToAsciiLower(pattern[p]) == base::ToAsciiLower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::unique_ptr<FileSearch> FileSearch::Start(const std::string& hostPattern) {
  std::size_t slash = hostPattern.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : hostPattern.substr(0, slash);
  if (folder.empty()) folder = "/";
  std::string pattern = slash == std::string::npos ? hostPattern : hostPattern.substr(slash + 1);
  if (pattern.empty()) return nullptr;

  auto search = std::unique_ptr<FileSearch>(new FileSearch);
  if (!HasWildcard(pattern)) {
    std::string path = folder + "/" + pattern;
    if (!PathExists(path)) return nullptr;
    search->entries_.push_back({pattern, AttributesOf(path, pattern)});
    return search;
  }
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return nullptr;
  while (dirent* e = readdir(dir)) {
    std::string_view name = e->d_name;
    if (!WildcardMatch(pattern, name)) continue;
    search->entries_.push_back({std::string(name), AttributesOf(folder + "/" + std::string(name), name)});
  }
  closedir(dir);
  if (search->entries_.empty()) return nullptr;
  return search;
}

std::optional<FoundEntry> FileSearch::next() {
  if (position_ >= entries_.size()) return std::nullopt;
  return entries_[position_++];
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& hostPath) {
  if (hostPath.empty()) return std::nullopt;
  int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  close(fd);
  return bytes;
}

bool WriteWholeFile(const std::string& hostPath, const std::vector<std::string_view>& pieces) {
  if (hostPath.empty()) return false;
  std::FILE* f = std::fopen(hostPath.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = true;
  for (std::string_view piece : pieces) {
    if (!piece.empty() && std::fwrite(piece.data(), 1, piece.size(), f) != piece.size()) {
      ok = false;
      break;
    }
  }
  return std::fclose(f) == 0 && ok;
}

bool ReplaceFile(const std::string& hostPath, std::string_view bytes) {
  std::string temp = hostPath + ".tmp-" + std::to_string(getpid());
  if (!WriteWholeFile(temp, {bytes})) {
    std::remove(temp.c_str());
    return false;
  }
  if (std::rename(temp.c_str(), hostPath.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

namespace {

// A file descriptor closed when it goes out of scope.
class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  ~OpenFile() {
    if (fd_ >= 0) close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

std::string ErrorText() { return std::strerror(errno); }

// One write, so that the bytes land whole. Only a full disk or a size limit
// cuts it short; then the rest is tried once more, so that errno says why.
bool WriteOnce(int fd, std::string_view bytes) {
  const ssize_t n = write(fd, bytes.data(), bytes.size());
  if (n < 0 || static_cast<std::size_t>(n) == bytes.size()) return n >= 0;
  bytes.remove_prefix(static_cast<std::size_t>(n));
  if (write(fd, bytes.data(), bytes.size()) >= 0) errno = ENOSPC;  // room enough after all: still a cut line
  return false;
}

// Where the file's whole lines end: just past its last line break, 0 when
// it has none; nothing when it cannot be read.
std::optional<off_t> EndOfWholeLines(const std::string& hostPath, off_t size) {
  OpenFile reader(open(hostPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (reader.fd() < 0) return std::nullopt;
  char buffer[4096];
  for (off_t end = size; end > 0;) {
    const off_t start = end > static_cast<off_t>(sizeof buffer) ? end - static_cast<off_t>(sizeof buffer) : 0;
    const ssize_t n = pread(reader.fd(), buffer, static_cast<std::size_t>(end - start), start);
    if (n != end - start) return std::nullopt;
    for (ssize_t i = n; i > 0; --i) {
      if (buffer[i - 1] == '\n') return start + i;
    }
    end = start;
  }
  return 0;
}

}  // namespace

std::optional<std::string> AppendLine(const std::string& hostPath, std::string_view header, std::string_view line) {
  OpenFile file(open(hostPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (file.fd() < 0) return ErrorText();
  struct stat st {};
  if (fstat(file.fd(), &st) != 0) return ErrorText();
  off_t size = st.st_size;
  if (size > 0) {
    // A last line without its break is what a write cut short left (a full
    // disk, a crash): it goes, so that it can never pass for a whole line
    // once another follows it. A file this user may not read is appended to
    // as it is.
    const std::optional<off_t> whole = EndOfWholeLines(hostPath, size);
    if (whole && *whole < size) {
      if (ftruncate(file.fd(), *whole) != 0) return ErrorText();
      size = *whole;
    }
  }
  if (size == 0 && !WriteOnce(file.fd(), header)) return ErrorText();
  if (!WriteOnce(file.fd(), line)) return ErrorText();
  return std::nullopt;
}

std::optional<FileTail> ReadFileTail(const std::string& hostPath, std::size_t maxBytes) {
  OpenFile file(open(hostPath.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (file.fd() < 0 || fstat(file.fd(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const auto size = static_cast<std::uint64_t>(st.st_size);
  const std::uint64_t start = size > maxBytes ? size - maxBytes : 0;
  FileTail tail;
  tail.whole = start == 0;
  tail.bytes.resize(static_cast<std::size_t>(size - start));
  std::size_t got = 0;
  while (got < tail.bytes.size()) {
    const ssize_t n = pread(file.fd(), tail.bytes.data() + got, tail.bytes.size() - got, static_cast<off_t>(start + got));
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  tail.bytes.resize(got);
  return tail;
}

bool PathExists(const std::string& hostPath) {
  struct stat st {};
  return !hostPath.empty() && stat(hostPath.c_str(), &st) == 0;
}

bool SetCurrentFolder(const std::string& hostPath) {
  return !hostPath.empty() && chdir(hostPath.c_str()) == 0;
}

bool IsWritableFolder(const std::string& hostPath) {
  struct stat st {};
  return stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(hostPath.c_str(), W_OK | X_OK) == 0;
}

std::string UserDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] != '\0' ? std::string(home) + "/.local/share" : std::string();
}

bool MakeFolders(const std::string& hostPath) {
  std::error_code error;
  std::filesystem::create_directories(hostPath, error);
  return IsWritableFolder(hostPath);
}

}  // namespace horavia::platform
