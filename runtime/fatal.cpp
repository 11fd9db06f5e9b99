#include "runtime/fatal.h"

#include "runtime/messages.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime {

void FatalError(std::string_view message, int code) { Runtime().fatal(message, code); }

void ReportRuntimeError(int code) {
  const auto& m = messages::kConstants;
  static constexpr int kCount = 11;
  const char* const texts[kCount] = {m.Error1, m.Error2, m.Error3, m.Error4,  m.Error5, m.Error6,
                                     m.Error7, m.Error8, m.Error9, m.Error10, m.Error11};
  const char* text = (code >= 1 && code <= kCount) ? texts[code - 1] : "";
  Runtime().fatal(text, code);
}

}  // namespace horavia::runtime
