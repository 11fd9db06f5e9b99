// File, path and system commands.
//
// Index
//   [files]      FileExists, ReadFileBytes, WriteFileBytes
//   [program]    GetProgramDirectory, GetProgramFileName, SetLibraryDirectory
//   [desktop]    SetClipboardText, ShowMessageBox, SoundBeep, ProcessEvents,
//                ShellOpen, GetSpecialFolder
#include <limits>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/text_codec.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/commands.h"
#include "runtime/library_links.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime::commands {

// [files] --------------------------------------------------------------------

void FileExists(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view name = TextOf(ArgAt(argCount, args, 0));
  if (name.empty()) return;
  SetBool(result, platform::FileSearch::Start(platform::HostPath(name)) != nullptr);
}

void ReadFileBytes(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view name = TextOf(ArgAt(argCount, args, 0));
  if (name.empty()) return;
  auto bytes = platform::ReadWholeFile(platform::HostPath(name));
  if (!bytes || bytes->empty()) return;
  // A byte-set's length is a 32-bit number: a larger file cannot be one.
  if (bytes->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 8) return;
  SetPointer(result, MakeByteSet(bytes->data(), bytes->size()));
}

void WriteFileBytes(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string_view name = TextOf(ArgAt(argCount, args, 0));
  if (name.empty()) return;
  std::vector<std::string_view> pieces;
  for (std::int32_t i = 1; i < argCount; ++i) {
    if (args[i].tag != kTagByteSet) continue;
    ByteSetView bytes = ByteSetBytes(args[i].asPointer());
    if (bytes.size == 0) continue;
    pieces.emplace_back(reinterpret_cast<const char*>(bytes.data), bytes.size);
  }
  SetBool(result, platform::WriteWholeFile(platform::HostPath(name), pieces));
}

// [program] ------------------------------------------------------------------

void GetProgramDirectory(ArgRecord* result, std::int32_t, ArgRecord*) {
  // The service hands out a new text, which becomes the caller's.
  SetPointer(result, reinterpret_cast<const void*>(CoreLibraryLink().request(kServiceProgramDirectory)));
}

void GetProgramFileName(ArgRecord* result, std::int32_t, ArgRecord*) {
  SetPointer(result, reinterpret_cast<const void*>(CoreLibraryLink().request(kServiceProgramFileName)));
}

void SetLibraryDirectory(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ExternalTable& externals = Runtime().externals();
  SetPointer(result, CopyText(externals.searchFolder()));
  std::string folder(TextOf(ArgAt(argCount, args, 0)));
  // Character by character: a folder whose last letter has a trail byte of
  // 0x5C still needs its separator.
  if (!folder.empty() && !EndsWithBackslash(folder)) folder.push_back('\\');
  externals.setSearchFolder(std::move(folder));
}

// [desktop] ------------------------------------------------------------------

void SetClipboardText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string text = platform::Cp936ToUtf8(TextOf(ArgAt(argCount, args, 0)));
  SetBool(result, platform::SetClipboardText(text));
}

namespace {

// The command's numbers for the buttons: OK 0, Cancel 1, Abort 2, Retry 3,
// Ignore 4, Yes 5, No 6.
std::int32_t ButtonNumber(platform::DialogButton button) {
  switch (button) {
    case platform::DialogButton::Ok: return 0;
    case platform::DialogButton::Cancel: return 1;
    case platform::DialogButton::Abort: return 2;
    case platform::DialogButton::Retry: return 3;
    case platform::DialogButton::Ignore: return 4;
    case platform::DialogButton::Yes: return 5;
    case platform::DialogButton::No: return 6;
  }
  return 0;
}

}  // namespace

void ShowMessageBox(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  ArgRecord message = ArgAt(argCount, args, 0);
  ArgRecord captionArg = ArgAt(argCount, args, 2);
  std::int32_t style = IntOf(ArgAt(argCount, args, 1));
  if ((style & platform::kDialogSystemModal) == 0) style |= platform::kDialogTaskModal;

  platform::DialogRequest request;
  request.text = platform::Cp936ToUtf8(IsArrayTag(message.tag) ? std::string() : BasicValueToText(message));
  // The dialog seam takes UTF-8, so the default caption needs no conversion.
  request.caption = captionArg.omitted() ? std::string("信息：") : platform::Cp936ToUtf8(TextOf(captionArg));
  request.style = style;
  SetInt(result, ButtonNumber(platform::ShowDialog(request)));
}

void SoundBeep(ArgRecord*, std::int32_t, ArgRecord*) { platform::Beep(); }

void ProcessEvents(ArgRecord*, std::int32_t, ArgRecord*) { CoreLibraryLink().request(kServicePumpMessages); }

namespace {

std::string VerbOf(const ArgRecord& operation) {
  if (operation.omitted()) return {};
  switch (IntOf(operation)) {
    case 1: return "edit";
    case 2: return "explore";
    case 3: return "find";
    case 4: return "open";
    case 5: return "print";
    default: return {};
  }
}

// Show modes 1-6 as given; anything else is a normal window.
int ShowModeOf(const ArgRecord& mode) {
  if (mode.omitted()) return 2;
  std::int32_t m = IntOf(mode);
  return m >= 1 && m <= 6 ? m : 2;
}

// A target with a scheme ("http:", "mailto:") is an address and keeps its
// bytes; anything else is a runtime path.
std::string HostTarget(std::string_view target) {
  std::size_t colon = target.find(':');
  bool address = colon != std::string_view::npos && colon >= 2 &&
                 target.find_first_of("\\/") > colon;
  return address ? platform::Cp936ToUtf8(target) : platform::HostPath(target);
}

}  // namespace

void ShellOpen(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  platform::ShellRequest request;
  request.verb = VerbOf(ArgAt(argCount, args, 0));
  request.target = HostTarget(TextOf(ArgAt(argCount, args, 1)));
  request.parameters = platform::Cp936ToUtf8(TextOf(ArgAt(argCount, args, 2)));
  request.workingFolder = platform::HostPath(TextOf(ArgAt(argCount, args, 3)));
  request.showMode = ShowModeOf(ArgAt(argCount, args, 4));
  platform::ShellOpen(request);
}

void GetSpecialFolder(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  std::string folder = platform::SpecialFolder(IntOf(ArgAt(argCount, args, 0)));
  if (folder.empty()) return;
  std::string path = platform::RuntimePath(folder);
  if (!EndsWithBackslash(path)) path.push_back('\\');
  SetPointer(result, CopyText(path));
}

}  // namespace horavia::runtime::commands
