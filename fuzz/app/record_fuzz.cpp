// Fuzz entry point for the record of spins. The input is a record file's
// text (or a tail of it): reading it must finish without crashing and give
// only records that are whole, and every record read must come back the
// same when written again and read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/prizes/record.h"

using namespace horavia::app::prizes;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool Same(const SpinRecord& a, const SpinRecord& b) {
  return a.time == b.time && a.skin == b.skin && a.segment == b.segment && a.label == b.label && a.angle == b.angle &&
         a.source == b.source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const bool tail = size > 0 && data[0] % 2 == 1;
  for (const SpinRecord& record : NewestRecords(text, 500, tail)) {
    Check(record.angle >= 0 && record.angle < 360);
    Check(record.segment >= 0);
    const std::string line = RecordLine(record);
    Check(!line.empty() && line.back() == '\n' && line.find_first_of("\r\n") == line.size() - 1);
    // A line break inside a field is written as a space: only records
    // without any come back unchanged.
    const std::string fields = record.time + record.skin + record.label + record.source;
    if (fields.find_first_of("\r\n") != std::string::npos) continue;
    const auto again = NewestRecords(line, 2);
    Check(again.size() == 1 && Same(again[0], record));
  }
  return 0;
}
