// The one path for fatal runtime errors: the error box, then exit code -1
// without the application's clean-up routine.
#pragma once

#include <string_view>

namespace horavia::runtime {

// message: code-page-936 text (may be empty); code: 0 for none, else shown as
// "错误代码：<code>".
[[noreturn]] void FatalError(std::string_view message, int code = 0);

// Fatal error with the message of one of the error codes 1-11.
[[noreturn]] void ReportRuntimeError(int code);

}  // namespace horavia::runtime
