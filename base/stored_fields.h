// Versioned stored data of a unit type, described once and walked by every
// reader and writer of it.
//
// A type's stored data is a record struct that lists its fields in stream
// order, each with the first version that carries it:
//
//   struct SliderBarData {
//     static constexpr std::uint32_t kWriteVersion = 1;  // what writers emit
//     static constexpr std::uint32_t kMaxVersion = 1;    // newest one read
//     std::int32_t border = 0;
//     template <class V> void visitFields(V& v) {
//       v.i32("border", border);
//       v.text("caption", caption, 2);  // present from version 2 on
//     }
//   };
//
// readStored and writeStored below turn the record into bytes and back; the
// form compiler walks the same list to set fields by name. Because the list is
// the only description of the layout, the form compiler and a unit writing
// its own state back cannot disagree. It lives in base/ because records of
// both ui (the window, the simple units) and anim (the animation box) use it.
//
// Kinds: i32 (int32), colour (dword, 0x00BBGGRR or 0xFF000000 for the
// default), text (counted string, code page 936), blob (counted block).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/bytes.h"

namespace horavia::base {

// The result of reading stored data.
enum class StoredStatus {
  Ok,                  // every field of the stream's version was read
  Truncated,           // the bytes ended inside a field (or before the version)
  UnsupportedVersion,  // the version is newer than the type can read
};
const char* ToString(StoredStatus status);

namespace detail {

class StoredFieldReader {
 public:
  StoredFieldReader(ByteReader& in, std::uint32_t version) : in_(in), version_(version) {}
  void i32(std::string_view, std::int32_t& field, std::uint32_t since = 0) {
    if (present(since)) field = in_.i32();
  }
  void colour(std::string_view, std::uint32_t& field, std::uint32_t since = 0) {
    if (present(since)) field = in_.u32();
  }
  void text(std::string_view, std::string& field, std::uint32_t since = 0) {
    if (present(since)) field = in_.countedString();
  }
  void blob(std::string_view, Bytes& field, std::uint32_t since = 0) {
    if (present(since)) field = in_.countedBlock();
  }

 private:
  bool present(std::uint32_t since) const { return since <= version_ && in_.ok(); }
  ByteReader& in_;
  std::uint32_t version_;
};

class StoredFieldWriter {
 public:
  explicit StoredFieldWriter(ByteWriter& out) : out_(out) {}
  void i32(std::string_view, const std::int32_t& field, std::uint32_t = 0) { out_.i32(field); }
  void colour(std::string_view, const std::uint32_t& field, std::uint32_t = 0) { out_.u32(field); }
  void text(std::string_view, const std::string& field, std::uint32_t = 0) { out_.countedString(field); }
  void blob(std::string_view, const Bytes& field, std::uint32_t = 0) { out_.countedBlock(field); }

 private:
  ByteWriter& out_;
};

}  // namespace detail

// Reads a record of type T. Fields the stream's version lacks take T's
// defaults, whatever `out` held before; on failure `out` must not be used.
template <class T>
StoredStatus readStored(std::span<const std::uint8_t> bytes, T& out) {
  out = T{};
  ByteReader in(bytes);
  const std::uint32_t version = in.u32();
  if (!in.ok()) return StoredStatus::Truncated;
  if (version > T::kMaxVersion) return StoredStatus::UnsupportedVersion;
  detail::StoredFieldReader reader(in, version);
  out.visitFields(reader);
  return in.ok() ? StoredStatus::Ok : StoredStatus::Truncated;
}

// For types whose units may carry no stored data at all: empty bytes give
// the defaults; anything else must read as a whole record.
template <class T>
StoredStatus readStoredOrDefaults(std::span<const std::uint8_t> bytes, T& out) {
  if (bytes.empty()) {
    out = T{};
    return StoredStatus::Ok;
  }
  return readStored(bytes, out);
}

// Writes T at its write version with every field.
template <class T>
Bytes writeStored(const T& record) {
  static_assert(T::kWriteVersion <= T::kMaxVersion);
  ByteWriter out;
  out.u32(T::kWriteVersion);
  detail::StoredFieldWriter writer(out);
  // visitFields is written once for both directions; writing only reads it.
  const_cast<T&>(record).visitFields(writer);
  return out.take();
}

}  // namespace horavia::base
