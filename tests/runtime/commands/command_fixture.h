// Calling commands the way the runtime does, and reading their results.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "runtime/commands/commands.h"
#include "runtime/library_types.h"
#include "runtime/memory.h"
#include "runtime/values.h"

namespace horavia::runtime::testing {

// Calls a command with a zeroed result record, as the command entries do.
inline ArgRecord Call(CommandFunction command, std::vector<ArgRecord> args = {}) {
  ArgRecord result;
  command(&result, static_cast<std::int32_t>(args.size()), args.empty() ? nullptr : args.data());
  return result;
}

inline std::string Cp(const char* utf8) { return platform::Utf8ToCp936(utf8); }

// Argument records that borrow the caller's bytes.
inline ArgRecord TextArg(const std::string& text) { return ArgRecord::Pointer(text.c_str(), kTagText); }

// A byte-set block held by the test.
struct ByteSetArg {
  explicit ByteSetArg(const std::string& bytes) : block(8 + bytes.size()) {
    const std::int32_t header[2] = {1, static_cast<std::int32_t>(bytes.size())};
    std::memcpy(block.data(), header, 8);
    if (!bytes.empty()) std::memcpy(block.data() + 8, bytes.data(), bytes.size());
  }
  ArgRecord record() const { return ArgRecord::Pointer(block.data(), kTagByteSet); }
  std::vector<char> block;
};

// The text a result points to, freed after reading. "null" results read as
// an empty text; IsNull tells the two apart.
inline std::string TakeText(const ArgRecord& result) {
  auto* text = static_cast<char*>(result.asPointer());
  std::string s = text != nullptr ? text : "";
  Free(text);
  return s;
}

inline std::string TakeBytes(const ArgRecord& result) {
  void* block = result.asPointer();
  ByteSetView view = ByteSetBytes(block);
  std::string s = view.data != nullptr ? std::string(reinterpret_cast<const char*>(view.data), view.size) : "";
  Free(block);
  return s;
}

inline bool IsNull(const ArgRecord& result) { return result.asPointer() == nullptr; }

// The pieces of a text array, freed after reading.
inline std::vector<std::string> TakeTextArray(const ArgRecord& result) {
  void* block = result.asPointer();
  std::vector<std::string> pieces;
  if (block == nullptr) return pieces;
  ArrayView view = ArrayElements(block);
  auto** texts = static_cast<char**>(view.first);
  for (std::size_t i = 0; i < view.count; ++i) {
    pieces.push_back(texts[i] != nullptr ? texts[i] : "");
    Free(texts[i]);
  }
  Free(block);
  return pieces;
}

}  // namespace horavia::runtime::testing
