#include "platform/dialogs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace horavia::platform {
namespace {

struct Responders {
  DialogResponder scripted;     // set by tests
  DialogResponder interactive;  // set by the window layer
};

Responders& State() {
  static Responders responders;
  return responders;
}

bool PrintRequested() {
  const char* mode = std::getenv("HORAVIA_DIALOGS");
  return mode != nullptr && std::strcmp(mode, "print") == 0;
}

DialogButton PrintDialog(const DialogRequest& request) {
  std::string line = DialogLine(request);
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
  return DefaultButton(request.style);
}

}  // namespace

std::string DialogLine(const DialogRequest& request) {
  std::string text;
  for (std::size_t i = 0; i < request.text.size(); ++i) {
    char c = request.text[i];
    if (c == '\r' && i + 1 < request.text.size() && request.text[i + 1] == '\n') continue;
    if (c == '\n' || c == '\r') {
      text += "\\n";
      continue;
    }
    text.push_back(c);
  }
  return "dialog: " + request.caption + " | " + text + " | style=" + std::to_string(request.style);
}

DialogButton DefaultButton(int style) {
  // Buttons of each box, in order; the default bits pick the second or third.
  static constexpr DialogButton kButtons[6][3] = {
      {DialogButton::Ok, DialogButton::Ok, DialogButton::Ok},
      {DialogButton::Ok, DialogButton::Cancel, DialogButton::Cancel},
      {DialogButton::Abort, DialogButton::Retry, DialogButton::Ignore},
      {DialogButton::Yes, DialogButton::No, DialogButton::Cancel},
      {DialogButton::Yes, DialogButton::No, DialogButton::No},
      {DialogButton::Retry, DialogButton::Cancel, DialogButton::Cancel},
  };
  int kind = style & kDialogButtonMask;
  if (kind > 5) kind = 0;
  int which = (style & kDialogDefaultMask) >> 8;
  if (which > 2) which = 0;
  return kButtons[kind][which];
}

DialogButton ShowDialog(const DialogRequest& request) {
  Responders& state = State();
  if (state.scripted) return state.scripted(request);
  if (PrintRequested() || !state.interactive) return PrintDialog(request);
  return state.interactive(request);
}

void SetDialogResponder(DialogResponder responder) { State().scripted = std::move(responder); }

void SetInteractiveDialogResponder(DialogResponder responder) {
  State().interactive = std::move(responder);
}

}  // namespace horavia::platform
