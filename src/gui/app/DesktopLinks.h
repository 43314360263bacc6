#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <QUrl>

/// Shows a file selected in the system's file manager without waiting: on Linux through the freedesktop
/// file-manager D-Bus interface (org.freedesktop.FileManager1, ShowItems, asynchronous call) when a file
/// manager offers it, else the file's folder opened with QDesktopServices; on Windows "explorer
/// /select,<path>". A path where there is no file opens its folder. False when nothing could be started.
bool showInFileManager(const QString& filePath);

/// Opens a web address in the default browser; false when it could not.
bool openWebPage(const QUrl& address);

/// A picture viewer's command line.
struct ViewerCommand {
  QString program;
  QStringList arguments;
};

/// The first known picture viewer that `findProgram` (a program name to its
/// path, empty when not installed) finds, started full screen on `picturePath`.
/// None when no known viewer is there.
std::optional<ViewerCommand> fullScreenViewer(const QString& picturePath,
                                              const std::function<QString(const QString&)>& findProgram);

/// Opens a picture in the system's picture viewer without waiting: full
/// screen in a viewer that can, else in the desktop's default viewer. False
/// when nothing could be started.
bool openPictureFullScreen(const QString& picturePath);
