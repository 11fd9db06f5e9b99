// The one checked reader of untrusted bytes, and its writer.
//
// ByteReader reads little-endian integers, z-strings, counted strings and
// counted blocks from a span it does not own. A read that would pass the end
// fails the reader, and the failure sticks: that read and every later one
// yields zero or empty and moves nothing, so a caller may read a run of
// fields and test ok() once before trusting any of them. Because a failed
// count reads as 0, nothing is ever allocated from a count that the bytes
// could not back.
//
// ByteWriter appends the same fields; what it writes, ByteReader reads back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace horavia::base {

using Bytes = std::vector<std::uint8_t>;

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  // Fails the reader, for checks the caller makes on the values it read.
  void fail() { ok_ = false; }

  std::size_t position() const { return position_; }
  std::size_t size() const { return bytes_.size(); }
  // Bytes left to read: none once the reader has failed.
  std::size_t remaining() const { return ok_ ? bytes_.size() - position_ : 0; }
  bool atEnd() const { return remaining() == 0; }

  // Moves to an absolute offset; an offset past the end fails the reader.
  bool seek(std::size_t offset) {
    if (!ok_ || offset > bytes_.size()) return failRead();
    position_ = offset;
    return true;
  }

  bool skip(std::size_t count) {
    if (!ensure(count)) return false;
    position_ += count;
    return true;
  }

  // The next byte without consuming it.
  std::uint8_t peek() { return ensure(1) ? bytes_[position_] : 0; }

  std::uint8_t u8() { return ensure(1) ? bytes_[position_++] : 0; }

  std::uint16_t u16() {
    if (!ensure(2)) return 0;
    const std::uint16_t value = static_cast<std::uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
    position_ += 2;
    return value;
  }

  std::uint32_t u32() {
    if (!ensure(4)) return 0;
    const std::uint32_t value = static_cast<std::uint32_t>(bytes_[position_]) |
                                static_cast<std::uint32_t>(bytes_[position_ + 1]) << 8 |
                                static_cast<std::uint32_t>(bytes_[position_ + 2]) << 16 |
                                static_cast<std::uint32_t>(bytes_[position_ + 3]) << 24;
    position_ += 4;
    return value;
  }

  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

  // The next count bytes as a view into the input.
  std::span<const std::uint8_t> take(std::size_t count) {
    if (!ensure(count)) return {};
    const std::span<const std::uint8_t> piece = bytes_.subspan(position_, count);
    position_ += count;
    return piece;
  }

  // Everything that is left, consumed.
  std::span<const std::uint8_t> rest() { return take(remaining()); }

  // Text up to a zero byte, which is consumed; fails when no zero follows.
  std::string zString();
  // A dword byte count and that many bytes.
  std::span<const std::uint8_t> countedSpan();
  std::string countedString();
  Bytes countedBlock();

 private:
  // True when count more bytes can be read; otherwise fails the reader.
  bool ensure(std::size_t count) {
    if (ok_ && count <= bytes_.size() - position_) return true;
    return failRead();
  }
  bool failRead() {
    ok_ = false;
    return false;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  void u32(std::uint32_t value);
  void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
  void raw(std::span<const std::uint8_t> bytes);
  void raw(const std::string& bytes);
  void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }
  void zString(const std::string& text);  // stops at an embedded zero byte
  void countedString(const std::string& text);
  void countedBlock(std::span<const std::uint8_t> bytes);

  // Overwrites a dword written earlier (a length known only afterwards).
  void patchU32(std::size_t at, std::uint32_t value);
  std::size_t size() const { return out_.size(); }
  const Bytes& bytes() const { return out_; }
  Bytes take() { return std::move(out_); }

 private:
  Bytes out_;
};

}  // namespace horavia::base
