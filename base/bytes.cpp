#include "base/bytes.h"

#include <algorithm>

namespace horavia::base {

// [ByteReader] ----------------------------------------------------------------

std::string ByteReader::zString() {
  if (!ok_) return {};
  const std::span<const std::uint8_t> left = bytes_.subspan(position_);
  const auto zero = std::find(left.begin(), left.end(), std::uint8_t{0});
  if (zero == left.end()) {
    fail();
    return {};
  }
  std::string text(left.begin(), zero);
  position_ += text.size() + 1;
  return text;
}

std::span<const std::uint8_t> ByteReader::countedSpan() {
  const std::uint32_t length = u32();
  return take(length);
}

std::string ByteReader::countedString() {
  const std::span<const std::uint8_t> bytes = countedSpan();
  return std::string(bytes.begin(), bytes.end());
}

Bytes ByteReader::countedBlock() {
  const std::span<const std::uint8_t> bytes = countedSpan();
  return Bytes(bytes.begin(), bytes.end());
}

// [ByteWriter] ----------------------------------------------------------------

void ByteWriter::u32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::raw(std::span<const std::uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

void ByteWriter::raw(const std::string& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

void ByteWriter::zString(const std::string& text) {
  // A z-string cannot hold a zero byte: what follows one would be read back
  // as the next field.
  const std::size_t length = text.find('\0');
  raw(text.substr(0, length));
  out_.push_back(0);
}

void ByteWriter::countedString(const std::string& text) {
  u32(static_cast<std::uint32_t>(text.size()));
  raw(text);
}

void ByteWriter::countedBlock(std::span<const std::uint8_t> bytes) {
  u32(static_cast<std::uint32_t>(bytes.size()));
  raw(bytes);
}

void ByteWriter::patchU32(std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4 && at + i < out_.size(); ++i) out_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace horavia::base
