#include "bass/byte_source.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace horavia::bass {

std::unique_ptr<ByteSource> ByteSource::FromFile(const std::string& hostPath, std::uint64_t offset,
                                                 std::uint64_t length) {
  std::FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (file == nullptr) return nullptr;
  std::unique_ptr<ByteSource> source(new ByteSource);
  source->file_ = file;
  if (fseeko(file, 0, SEEK_END) != 0) return nullptr;
  off_t end = ftello(file);
  if (end < 0 || offset > static_cast<std::uint64_t>(end)) return nullptr;
  std::uint64_t remaining = static_cast<std::uint64_t>(end) - offset;
  source->begin_ = offset;
  source->size_ = (length == 0 || length > remaining) ? remaining : length;
  return source;
}

std::unique_ptr<ByteSource> ByteSource::FromMemory(const void* data, std::uint64_t offset,
                                                   std::uint64_t length) {
  if (data == nullptr || offset >= length) return nullptr;
  std::unique_ptr<ByteSource> source(new ByteSource);
  source->memory_ = static_cast<const std::uint8_t*>(data) + offset;
  source->size_ = length - offset;
  return source;
}

ByteSource::~ByteSource() {
  if (file_ != nullptr) std::fclose(file_);
}

std::ptrdiff_t ByteSource::readRange(std::uint64_t position, std::span<std::uint8_t> out) {
  if (position >= size_) return 0;
  std::uint64_t available = size_ - position;
  std::size_t count = out.size() < available ? out.size() : static_cast<std::size_t>(available);
  if (memory_ != nullptr) {
    std::copy_n(memory_ + position, count, out.data());
    return static_cast<std::ptrdiff_t>(count);
  }
  if (fseeko(file_, static_cast<off_t>(begin_ + position), SEEK_SET) != 0) return -1;
  std::size_t got = std::fread(out.data(), 1, count, file_);
  if (got == 0 && std::ferror(file_)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

std::ptrdiff_t ByteSource::read(std::span<std::uint8_t> out) {
  std::ptrdiff_t got = readRange(position_, out);
  if (got > 0) position_ += static_cast<std::uint64_t>(got);
  return got;
}

std::int64_t ByteSource::seek(std::int64_t offset, int whence) {
  std::int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<std::int64_t>(position_);
  else if (whence == SEEK_END) base = static_cast<std::int64_t>(size_);
  else if (whence != SEEK_SET) return -1;
  // Reject a target before the window or one whose sum would overflow.
  if (offset < 0 && offset < -base) return -1;
  if (offset > 0 && offset > INT64_MAX - base) return -1;
  position_ = static_cast<std::uint64_t>(base + offset);
  return static_cast<std::int64_t>(position_);
}

bool ByteSource::readAt(std::uint64_t position, std::span<std::uint8_t> out) {
  return readRange(position, out) == static_cast<std::ptrdiff_t>(out.size());
}

}  // namespace horavia::bass
