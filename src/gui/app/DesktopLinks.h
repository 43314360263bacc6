#pragma once

#include <QString>
#include <QUrl>

/// Shows a file selected in the system's file manager without waiting: on Linux through the freedesktop
/// file-manager D-Bus interface (org.freedesktop.FileManager1, ShowItems, asynchronous call) when a file manager
/// offers it, else the file's folder opened with QDesktopServices; on Windows "explorer /select,<path>".
/// False when nothing could be started.
bool showInFileManager(const QString& filePath);

/// Opens a web address in the default browser; false when it could not.
bool openWebPage(const QUrl& address);
