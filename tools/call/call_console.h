// horavia-call's pieces: reading arguments from the command line into
// argument records, calling one command, writing its result as one line.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "runtime/library_types.h"
#include "runtime/values.h"

namespace horavia::tools {

// The blocks that argument records point to, kept alive for the call.
struct ArgumentStore {
  std::deque<std::string> texts;               // code page 936, zero-terminated
  std::deque<std::vector<char>> byteSets;      // [1][length][bytes]
};

// One argument: int:N, short:N, byte:N, long:N, float:X, double:X,
// bool:0|1, date:X, text:STRING (UTF-8), bytes:HEX or omit. Nothing when it
// is malformed.
std::optional<runtime::ArgRecord> ParseArgument(const std::string& word, ArgumentStore& store);

// 1-5 for core, ext, special, system, data; 0 for any other name.
int LibraryNumber(const std::string& name);

// The result's type of a command, as its library's command table records
// it; nothing for the commands that act on windows (or have no function).
std::optional<runtime::TypeTag> ResultTypeOf(runtime::CommandFunction command);

// "<tag in hex> <value>": a number, text:<UTF-8>, bytes:<hex>, a JSON list
// of UTF-8 strings for an array of texts, or "none" for no result.
std::string FormatResult(const runtime::ArgRecord& result, runtime::TypeTag declared);

// Frees what a result of that type owns.
void FreeResult(const runtime::ArgRecord& result, runtime::TypeTag declared);

}  // namespace horavia::tools
