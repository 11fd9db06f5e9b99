// One seam for every message box the program shows.
//
// The answer is chosen by a responder: the interactive one (installed by the
// window layer once Qt runs), the printing one (HORAVIA_DIALOGS=print: one
// line on standard error, then the default button) or a test's script.
#pragma once

#include <functional>
#include <string>

namespace horavia::platform {

// Style bits as the message-box command takes them.
inline constexpr int kDialogButtonMask = 0x0F;   // 0 OK … 5 Retry/Cancel
inline constexpr int kDialogIconMask = 0xF0;     // 0x10 error, 0x20 question, 0x30 warning, 0x40 information
inline constexpr int kDialogDefaultMask = 0xF00; // 0x100 second, 0x200 third button default
inline constexpr int kDialogSystemModal = 0x1000;
inline constexpr int kDialogTaskModal = 0x2000;
inline constexpr int kDialogIconError = 0x10;

// The buttons a box can answer with.
enum class DialogButton : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct DialogRequest {
  std::string caption;  // UTF-8
  std::string text;     // UTF-8, line breaks as "\r\n" or "\n"
  int style = 0;
};

using DialogResponder = std::function<DialogButton(const DialogRequest&)>;

// Shows a box through the current responder and returns the button pressed.
DialogButton ShowDialog(const DialogRequest& request);

// The button a box of this style answers with when nobody chooses.
DialogButton DefaultButton(int style);

// Installs a responder; an empty one returns to the environment's choice.
void SetDialogResponder(DialogResponder responder);
// The interactive responder the window layer offers (used unless
// HORAVIA_DIALOGS=print is set or a test installed its own).
void SetInteractiveDialogResponder(DialogResponder responder);

// The line the printing responder writes, without its newline.
std::string DialogLine(const DialogRequest& request);

}  // namespace horavia::platform
