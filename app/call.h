// How the application reaches the runtime: commands by library and number
// with argument records, unit properties by number, and what comes back
// freed when it is no longer needed. A handler reads like its list of steps:
//
//   Call(BoxCommand::SetObjectAngle, {...})  one command
//   Read(unit, property) / Write(...)       one unit property
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "runtime/libraries/command_numbers.h"
#include "runtime/values.h"

namespace horavia::app {

using runtime::ArgRecord;
using runtime::BoxCommand;
using runtime::CoreCommand;
using runtime::SpecialCommand;
using runtime::SystemCommand;
using runtime::UnitRef;

// [arguments] -----------------------------------------------------------------

inline ArgRecord Int(std::int32_t v) { return ArgRecord::Int(v); }
inline ArgRecord Bool(bool v) { return ArgRecord::Bool(v); }
inline ArgRecord Real(double v) { return ArgRecord::Double(v); }
// A code-page-936 text; the pointer is borrowed for the call.
inline ArgRecord Text(const char* text) { return ArgRecord::Pointer(text, runtime::kTagText); }
inline ArgRecord Text(const std::string& text) { return Text(text.c_str()); }
// A byte-set block ([1][length][bytes]); null is the empty byte-set.
inline ArgRecord ByteSet(const void* block) { return ArgRecord::Pointer(block, runtime::kTagByteSet); }
inline ArgRecord Unit(const UnitRef& unit) { return unit.record(); }
// An optional argument left out.
inline ArgRecord Omitted() { return {}; }

// [results] -------------------------------------------------------------------

// What a command gave back. A text or byte-set it handed out is freed with
// this object unless taken; other results are plain values.
class Returned {
 public:
  Returned(ArgRecord record, bool owned) : record_(record), owned_(owned) {}
  Returned(Returned&& other) noexcept : record_(other.record_), owned_(other.owned_) { other.owned_ = false; }
  Returned(const Returned&) = delete;
  Returned& operator=(const Returned&) = delete;
  Returned& operator=(Returned&&) = delete;
  ~Returned();

  std::int32_t integer() const { return record_.asInt32(); }
  bool boolean() const { return record_.low != 0; }
  double real() const { return record_.asDouble(); }
  // The text's bytes (code page 936); empty for the empty text.
  std::string text() const;
  // The byte-set block, valid while this object lives (null when empty).
  const void* byteSet() const { return record_.asPointer(); }
  // Takes over the heap text or byte-set; the caller frees it.
  char* takeText();
  void* takeByteSet() { return takeText(); }

 private:
  ArgRecord record_;
  bool owned_;
};

Returned Call(CoreCommand command, std::initializer_list<ArgRecord> args = {});
Returned Call(BoxCommand command, std::initializer_list<ArgRecord> args = {});
Returned Call(SpecialCommand command, std::initializer_list<ArgRecord> args = {});
Returned Call(SystemCommand command, std::initializer_list<ArgRecord> args = {});

// [properties] ----------------------------------------------------------------

// A property's raw 64-bit value (texts and byte-sets are new heap blocks the
// caller frees; use ReadBytes for byte data).
std::int64_t Read(const UnitRef& unit, std::int32_t property);
void Write(const UnitRef& unit, std::int32_t property, std::int64_t value);
void WritePointer(const UnitRef& unit, std::int32_t property, const void* block);

// The byte data of a property (a picture, say): the read hands out a new
// byte-set, freed with this object.
class PropertyBytes {
 public:
  PropertyBytes(const UnitRef& unit, std::int32_t property);
  ~PropertyBytes();
  PropertyBytes(const PropertyBytes&) = delete;
  PropertyBytes& operator=(const PropertyBytes&) = delete;
  const void* byteSet() const { return block_; }

 private:
  void* block_;
};

// [texts] ---------------------------------------------------------------------

// A runtime text (heap, code page 936, null = empty) as bytes, and back.
inline std::string TextOf(const char* text) { return text != nullptr ? text : ""; }
char* NewText(const std::string& text);
void FreeBlock(void* block);

}  // namespace horavia::app
