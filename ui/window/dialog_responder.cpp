#include "ui/window/dialog_responder.h"

#include <QMessageBox>
#include <vector>

#include "platform/dialogs.h"

namespace horavia::ui {
namespace {

using platform::DialogButton;

std::vector<DialogButton> ButtonsOf(int style) {
  switch (style & platform::kDialogButtonMask) {
    case 1: return {DialogButton::Ok, DialogButton::Cancel};
    case 2: return {DialogButton::Abort, DialogButton::Retry, DialogButton::Ignore};
    case 3: return {DialogButton::Yes, DialogButton::No, DialogButton::Cancel};
    case 4: return {DialogButton::Yes, DialogButton::No};
    case 5: return {DialogButton::Retry, DialogButton::Cancel};
    default: return {DialogButton::Ok};
  }
}

QMessageBox::StandardButton QtButton(DialogButton b) {
  switch (b) {
    case DialogButton::Cancel: return QMessageBox::Cancel;
    case DialogButton::Abort: return QMessageBox::Abort;
    case DialogButton::Retry: return QMessageBox::Retry;
    case DialogButton::Ignore: return QMessageBox::Ignore;
    case DialogButton::Yes: return QMessageBox::Yes;
    case DialogButton::No: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOf(int style) {
  switch (style & platform::kDialogIconMask) {
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case 0x30: return QMessageBox::Warning;
    case 0x40: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

DialogButton Ask(const platform::DialogRequest& request) {
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(request.caption));
  box.setText(QString::fromStdString(request.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setIcon(IconOf(request.style));
  std::vector<DialogButton> buttons = ButtonsOf(request.style);
  QMessageBox::StandardButtons set;
  for (DialogButton b : buttons) set |= QtButton(b);
  box.setStandardButtons(set);
  std::size_t defaultIndex = static_cast<std::size_t>((request.style & platform::kDialogDefaultMask) >> 8);
  if (defaultIndex < buttons.size()) box.setDefaultButton(QtButton(buttons[defaultIndex]));
  if (request.style & (platform::kDialogSystemModal | platform::kDialogTaskModal)) {
    box.setWindowModality(Qt::ApplicationModal);
  }
  int answer = box.exec();
  for (DialogButton b : buttons)
    if (answer == QtButton(b)) return b;
  return platform::DefaultButton(request.style);
}

}  // namespace

void InstallMessageBoxResponder() { platform::SetInteractiveDialogResponder(&Ask); }

}  // namespace horavia::ui
