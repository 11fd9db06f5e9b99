// Why a picture did not decode. Every decoder answers a value or one of
// these reasons, so that a tool can tell a skin author what is wrong with a
// file instead of only that something is.
#pragma once

#include <optional>
#include <utility>

namespace horavia::anim {

enum class DecodeError : int {
  None = 0,       // decoded
  UnknownFormat,  // the leading bytes are not those of a format read here
  Truncated,      // the data ends before the picture does
  Malformed,      // a header or block contradicts itself or its format
  Unsupported,    // a valid variant of the format that the program does not read
  TooLarge,       // more pixels than a picture may have (see pixel_size.h)
  DamagedData,    // the compressed pixel data does not decode
  NoImage,        // the file holds no image (a GIF of extensions only)
};

// A short phrase for the reason, worded to follow "does not decode: ".
const char* DecodeErrorText(DecodeError error);

// A decoded value or the reason there is none. Reads like an optional, so
// callers that only need to know whether it worked test it as a bool.
template <typename T>
class [[nodiscard]] Decoded {
 public:
  Decoded(T value) : value_(std::move(value)) {}  // NOLINT: a value converts, as to an optional
  // A failure; None is no reason, so it counts as a malformed file.
  Decoded(DecodeError error) : error_(error == DecodeError::None ? DecodeError::Malformed : error) {}  // NOLINT

  explicit operator bool() const { return value_.has_value(); }
  DecodeError error() const { return error_; }

  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T&& operator*() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  DecodeError error_ = DecodeError::None;
};

}  // namespace horavia::anim
