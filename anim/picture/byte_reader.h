// A bounds-checked little-endian reader over untrusted bytes. Every read past
// the end yields 0 and marks the reader failed; the flag never clears, so a
// decoder may read a whole header and test failed() once before trusting any
// of the values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace horavia::anim {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool failed() const { return failed_; }
  std::size_t position() const { return position_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - position_; }
  bool atEnd() const { return position_ >= bytes_.size(); }

  // Moves to an absolute offset; an offset past the end fails the reader.
  bool seek(std::size_t offset) {
    if (offset > bytes_.size()) return fail();
    position_ = offset;
    return true;
  }

  bool skip(std::size_t count) {
    if (count > remaining()) return fail();
    position_ += count;
    return true;
  }

  // The next byte without consuming it; 0 and failed at the end.
  std::uint8_t peek() {
    if (atEnd()) return fail(), 0;
    return bytes_[position_];
  }

  std::uint8_t u8() {
    if (atEnd()) return fail(), 0;
    return bytes_[position_++];
  }

  std::uint16_t u16() {
    if (remaining() < 2) return fail(), 0;
    std::uint16_t value = static_cast<std::uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
    position_ += 2;
    return value;
  }

  std::uint32_t u32() {
    if (remaining() < 4) return fail(), 0;
    std::uint32_t value = static_cast<std::uint32_t>(bytes_[position_]) |
                          static_cast<std::uint32_t>(bytes_[position_ + 1]) << 8 |
                          static_cast<std::uint32_t>(bytes_[position_ + 2]) << 16 |
                          static_cast<std::uint32_t>(bytes_[position_ + 3]) << 24;
    position_ += 4;
    return value;
  }

  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

  // The next count bytes as a view into the input; empty and failed when
  // fewer remain.
  std::span<const std::uint8_t> take(std::size_t count) {
    if (count > remaining()) return fail(), std::span<const std::uint8_t>{};
    auto piece = bytes_.subspan(position_, count);
    position_ += count;
    return piece;
  }

  // Everything from the current position on.
  std::span<const std::uint8_t> rest() const { return bytes_.subspan(position_); }

 private:
  bool fail() {
    failed_ = true;
    return false;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

}  // namespace horavia::anim
