// The desktop backend over Qt: the clipboard, the alert sound, the
// desktop's opener and program starts, and the standard folders the desktop
// keeps in the user's settings (QStandardPaths reads them); and how window
// pixels reach the X server.

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "platform/desktop.h"
#include "platform/qt_platform.h"

namespace horavia::platform {
namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string U(const QString& s) { return s.toUtf8().toStdString(); }

QGuiApplication* GuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

bool SetClipboard(const std::string& utf8) {
  if (GuiApp() == nullptr) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(Q(utf8));
  return true;
}

void AlertSound() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

bool Launch(const ShellAction& action) {
  switch (action.kind) {
    case ShellAction::OpenUrl: return QDesktopServices::openUrl(QUrl(Q(action.url)));
    case ShellAction::StartProgram: {
      QStringList arguments;
      for (const auto& a : action.arguments) arguments << Q(a);
      return QProcess::startDetached(Q(action.program), arguments, Q(action.workingFolder));
    }
    case ShellAction::None: return false;
  }
  return false;
}

std::string Standard(QStandardPaths::StandardLocation location) {
  return U(QStandardPaths::writableLocation(location));
}

std::string StandardFolder(FolderKind kind) {
  switch (kind) {
    case FolderKind::Documents: return Standard(QStandardPaths::DocumentsLocation);
    case FolderKind::Desktop: return Standard(QStandardPaths::DesktopLocation);
    default: return {};
  }
}

const DesktopBackend kQtDesktop = {&SetClipboard, &AlertSound, &Launch, &StandardFolder};

}  // namespace

void InstallQtDesktop() { SetDesktopBackend(&kQtDesktop); }

void PreferX11Windows() {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || !qEnvironmentVariableIsSet("DISPLAY")) return;
  qputenv("QT_QPA_PLATFORM", "xcb");
}

// The offscreen platform warns each time a window is shaped or raised,
// which the program does as a matter of course; those warnings alone are
// dropped, everything else goes where it went.
void UseOffscreenWindows() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("HORAVIA_DIALOGS", "print");
  static const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) return;
        if (previous != nullptr) previous(type, context, message);
      });
}

void AvoidSharedMemoryFlushes() {
  if (qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) return;
  qputenv("QT_XCB_NO_MITSHM", "1");
}

}  // namespace horavia::platform
