#include "app/DesktopLinks.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QProcess>
#endif

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
