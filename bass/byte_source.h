// A window of bytes that the decoder reads from: part of a file, or part of
// a block of memory the caller owns. Reads and seeks never leave the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace horavia::bass {

class ByteSource {
 public:
  // The bytes of the file from `offset` on, at most `length` of them (0: up
  // to the end). Null when the file cannot be opened or offset lies past it.
  static std::unique_ptr<ByteSource> FromFile(const std::string& hostPath, std::uint64_t offset,
                                              std::uint64_t length);
  // `length` bytes at `data`, starting `offset` bytes in. The memory is the
  // caller's and must outlive the source. Null when nothing would remain.
  static std::unique_ptr<ByteSource> FromMemory(const void* data, std::uint64_t offset,
                                                std::uint64_t length);
  ~ByteSource();
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;

  std::uint64_t size() const { return size_; }
  // Up to out.size() bytes from the current position; the count read, 0 at
  // the end, -1 when the file fails.
  std::ptrdiff_t read(std::span<std::uint8_t> out);
  // lseek semantics inside the window; the new position or -1.
  std::int64_t seek(std::int64_t offset, int whence);
  // Exactly out.size() bytes at `position` without moving the read
  // position; false when they are not all there.
  bool readAt(std::uint64_t position, std::span<std::uint8_t> out);

 private:
  ByteSource() = default;
  std::ptrdiff_t readRange(std::uint64_t position, std::span<std::uint8_t> out);

  std::FILE* file_ = nullptr;           // set for a file window
  const std::uint8_t* memory_ = nullptr;  // set for a memory window
  std::uint64_t begin_ = 0;             // window start inside the file
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;          // relative to the window
};

}  // namespace horavia::bass
