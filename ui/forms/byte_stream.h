// The one checked reader (and its writer) for stored form bytes: little-endian
// dwords, z-strings, counted strings and counted blocks.
//
// A read that would pass the end of the span fails, and the failure sticks:
// every later read also fails and yields zero or empty, so a caller can read a
// run of fields and test ok() once. Because a failed count reads as 0, nothing
// is ever allocated from a count that the bytes could not back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace horavia::ui {

using Bytes = std::vector<std::uint8_t>;

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }

  std::uint32_t u32();
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  // The next n bytes, or an empty span (and failure) when fewer remain.
  std::span<const std::uint8_t> take(std::size_t n);
  bool skip(std::size_t n) { return take(n).size() == n && ok_; }
  // Text up to a zero byte, which is consumed; failure when no zero follows.
  std::string zString();
  // A dword byte count and that many bytes.
  std::string countedString();
  Bytes countedBlock();
  std::span<const std::uint8_t> countedSpan();
  // Everything that is left.
  std::span<const std::uint8_t> rest();

  // Marks the stream as failed, for checks the caller makes on values read.
  void fail() { ok_ = false; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  void u32(std::uint32_t value);
  void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
  void raw(std::span<const std::uint8_t> bytes);
  void raw(const std::string& bytes);
  void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
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

}  // namespace horavia::ui
