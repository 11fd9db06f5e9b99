#include "ui/forms/byte_stream.h"

#include <cstring>

namespace horavia::ui {

std::uint32_t ByteReader::u32() {
  std::span<const std::uint8_t> b = take(4);
  if (b.size() != 4) return 0;
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::span<const std::uint8_t> ByteReader::take(std::size_t n) {
  if (!ok_ || n > bytes_.size() - pos_) {
    ok_ = false;
    return {};
  }
  std::span<const std::uint8_t> out = bytes_.subspan(pos_, n);
  pos_ += n;
  return out;
}

std::string ByteReader::zString() {
  if (!ok_) return {};
  const std::uint8_t* start = bytes_.data() + pos_;
  const void* zero = std::memchr(start, 0, bytes_.size() - pos_);
  if (zero == nullptr) {
    ok_ = false;
    return {};
  }
  const std::size_t length = static_cast<const std::uint8_t*>(zero) - start;
  std::string text(reinterpret_cast<const char*>(start), length);
  pos_ += length + 1;
  return text;
}

std::span<const std::uint8_t> ByteReader::countedSpan() {
  const std::uint32_t length = u32();
  return take(length);
}

std::string ByteReader::countedString() {
  std::span<const std::uint8_t> b = countedSpan();
  return std::string(b.begin(), b.end());
}

Bytes ByteReader::countedBlock() {
  std::span<const std::uint8_t> b = countedSpan();
  return Bytes(b.begin(), b.end());
}

std::span<const std::uint8_t> ByteReader::rest() { return take(remaining()); }

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

}  // namespace horavia::ui
