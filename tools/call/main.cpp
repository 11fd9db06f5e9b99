// horavia-call: try one runtime command by hand.
//
//   horavia-call [--folder DIR] LIBRARY INDEX [ARG ...]
//
// LIBRARY is core, ext, special, system or data and INDEX the command's
// number in that library. The runtime starts with the program folder DIR
// (the current folder when not given), calls the command once and prints
// its result as one line.
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_platform.h"
#include "runtime/libraries/library_records.h"
#include "runtime/runtime_app.h"
#include "tools/call/call_console.h"

namespace {

constexpr const char* kUsage =
    "usage: horavia-call [--folder DIR] LIBRARY INDEX [ARG ...]\n"
    "  LIBRARY  core | ext | special | system | data\n"
    "  ARG      int:N short:N byte:N long:N float:X double:X bool:0|1 date:X\n"
    "           text:STRING bytes:HEX omit\n";

int Usage(const char* problem) {
  std::fprintf(stderr, "horavia-call: %s\n%s", problem, kUsage);
  return 2;
}

// A graphical application where a display (or an off-screen platform) is
// there, so the clipboard and the desktop's opener work; else a plain one.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
  bool graphical = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
                   std::getenv("QT_QPA_PLATFORM") != nullptr;
  std::unique_ptr<QCoreApplication> app;
  if (graphical) {
    app = std::make_unique<QApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  horavia::platform::InstallQtPlatform();
  return app;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  std::string folder = std::filesystem::current_path().string();
  if (words.size() >= 2 && words[0] == "--folder") {
    folder = std::filesystem::absolute(words[1]).lexically_normal().string();
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.size() < 2) return Usage("a library and a command number are needed");

  int library = horavia::tools::LibraryNumber(words[0]);
  if (library == 0) return Usage("unknown library");
  char* end = nullptr;
  long index = std::strtol(words[1].c_str(), &end, 10);
  if (end == words[1].c_str() || *end != '\0' || index < 0) return Usage("the command number is not a number");

  horavia::tools::ArgumentStore store;
  std::vector<horavia::runtime::ArgRecord> args;
  for (std::size_t i = 2; i < words.size(); ++i) {
    auto arg = horavia::tools::ParseArgument(words[i], store);
    if (!arg) return Usage(("cannot read the argument \"" + words[i] + "\"").c_str());
    args.push_back(*arg);
  }

  int qtArgc = 1;
  auto app = MakeApplication(qtArgc, argv);

  using namespace horavia::runtime;
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  Runtime().setProgramPath(folder + "/horavia-call");
  ImageHeader header;
  header.libraryCount = kLibraryCount;
  header.libraries = RuntimeLibraries();
  Runtime().setImage(&header);
  Runtime().initializeImage();

  const LibraryInfo* info = Runtime().library(library);
  if (info == nullptr || index >= info->commandCount) {
    std::fprintf(stderr, "horavia-call: %s has no command %ld\n", words[0].c_str(), index);
    return 2;
  }
  CommandFunction command = info->commands[index];
  auto declared = horavia::tools::ResultTypeOf(command);
  if (!declared) {
    // The empty slots and the unit commands: they act on windows (or, in the
    // data library, have nothing to do) and a console has none.
    std::fprintf(stderr, "horavia-call: %s %ld needs a window and cannot run here\n", words[0].c_str(), index);
    return 3;
  }

  ArgRecord result;
  command(&result, static_cast<std::int32_t>(args.size()), args.empty() ? nullptr : args.data());
  std::printf("%s\n", horavia::tools::FormatResult(result, *declared).c_str());
  horavia::tools::FreeResult(result, *declared);
  std::fflush(stdout);
  Runtime().shutdown();
  return 0;
}
