// A picture kept as the bytes it came in, with the key it is loaded with:
// what a template keeps for the objects made from it, and what an object
// keeps while nothing shows it. Decoded frames then exist only while
// something is on screen; the compressed bytes are a small part of them
// (a 1.6 MB GIF may decode into gigabytes).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "anim/frameimage/frame_image.h"

namespace horavia::anim {

class PackedPicture {
 public:
  PackedPicture() = default;
  // Copies the bytes; none give the empty picture. With autoKey each
  // frame's key is its top-left pixel's colour, else `key` (or kNoKey).
  PackedPicture(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey)
      : bytes_(bytes.empty() ? nullptr : std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end())),
        key_(key),
        autoKey_(autoKey) {}

  bool empty() const { return bytes_ == nullptr; }
  std::span<const std::uint8_t> bytes() const {
    return bytes_ ? std::span<const std::uint8_t>(*bytes_) : std::span<const std::uint8_t>();
  }
  FrameImageLoad Decode() const { return LoadFrameImage(bytes(), key_, autoKey_); }

  // Equal when both decode to the same image: the same bytes (shared, or
  // equal byte for byte) loaded with the same key.
  friend bool operator==(const PackedPicture& a, const PackedPicture& b) {
    if (a.key_ != b.key_ || a.autoKey_ != b.autoKey_) return false;
    if (a.bytes_ == b.bytes_) return true;
    if (!a.bytes_ || !b.bytes_) return false;
    return *a.bytes_ == *b.bytes_;
  }

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;  // shared by the copies, never changed
  std::uint32_t key_ = kNoKey;
  bool autoKey_ = false;
};

}  // namespace horavia::anim
