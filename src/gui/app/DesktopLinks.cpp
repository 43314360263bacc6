#include "app/DesktopLinks.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include <QProcess>
#include <QStandardPaths>

#ifdef KORVEL_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#endif

namespace {

#ifdef KORVEL_HAVE_DBUS
// A machine without a session bus, or without a file manager on it, falls back to opening the folder.
bool showThroughFileManagerService(const QString& absolutePath) {
  const QString service = QStringLiteral("org.freedesktop.FileManager1");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) {
    return false;
  }
  QDBusConnectionInterface* names = bus.interface();
  const bool running = names->isServiceRegistered(service).value();
  if (!running && !names->activatableServiceNames().value().contains(service)) {
    return false;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                                     service, QStringLiteral("ShowItems"));
  call << QStringList{QUrl::fromLocalFile(absolutePath).toString()} << QString();
  // Fire and forget: the program never waits for the file manager.
  return bus.send(call);
}
#endif

}  // namespace

bool showInFileManager(const QString& filePath) {
  if (filePath.isEmpty()) {
    return false;
  }
  const QFileInfo file(filePath);
  const QString absolutePath = file.absoluteFilePath();
  // Asked to select what is not there, a file manager shows an error or
  // some folder of its own choosing; the file's folder is where the operator
  // meant to go.
  if (!file.exists()) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
  }
#ifdef Q_OS_WIN
  QProcess explorer;
  explorer.setProgram(QStringLiteral("explorer"));
  // explorer parses its own command line: the path goes in quotes right after the comma.
  explorer.setNativeArguments(QStringLiteral("/select,\"%1\"").arg(QDir::toNativeSeparators(absolutePath)));
  return explorer.startDetached();
#else
#ifdef KORVEL_HAVE_DBUS
  if (showThroughFileManagerService(absolutePath)) {
    return true;
  }
#endif
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
#endif
}

bool openWebPage(const QUrl& address) {
  if (!address.isValid() || address.isEmpty()) {
    return false;
  }
  return QDesktopServices::openUrl(address);
}

std::optional<ViewerCommand> fullScreenViewer(const QString& picturePath,
                                              const std::function<QString(const QString&)>& findProgram) {
  const QString path = QDir::toNativeSeparators(QFileInfo(picturePath).absoluteFilePath());
#ifdef Q_OS_WIN
  // The viewer built into Windows opens full screen through rundll32; its
  // entry point takes the rest of the command line as the file's path.
  const QString system = qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\WINDOWS"));
  const QString rundll = findProgram(QStringLiteral("rundll32.exe"));
  if (rundll.isEmpty()) return std::nullopt;
  return ViewerCommand{rundll, {system + QStringLiteral("\\System32\\shimgvw.dll,ImageView_Fullscreen ") + path}};
#else
  // Viewers of the common desktops, each with its own way of saying full screen.
  static const struct {
    const char* program;
    const char* fullScreen;
  } kViewers[] = {{"eog", "--fullscreen"},      {"ristretto", "--fullscreen"}, {"gwenview", "--fullscreen"},
                  {"gthumb", "--fullscreen"},   {"viewnior", "--fullscreen"},  {"feh", "--fullscreen"}};
  for (const auto& viewer : kViewers) {
    const QString program = findProgram(QString::fromLatin1(viewer.program));
    if (!program.isEmpty()) return ViewerCommand{program, {QString::fromLatin1(viewer.fullScreen), path}};
  }
  return std::nullopt;
#endif
}

bool openPictureFullScreen(const QString& picturePath) {
  const std::optional<ViewerCommand> viewer =
      fullScreenViewer(picturePath, [](const QString& name) { return QStandardPaths::findExecutable(name); });
  if (viewer) {
    QProcess process;
    process.setProgram(viewer->program);
#ifdef Q_OS_WIN
    process.setNativeArguments(viewer->arguments.join(u' '));
#else
    process.setArguments(viewer->arguments);
#endif
    if (process.startDetached()) return true;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(picturePath).absoluteFilePath()));
}
